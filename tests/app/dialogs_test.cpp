#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "app/dialog_bar.h"
#include "app/dialogs/new_file_wizard.h"
#include "app/dialogs/options_dialog.h"
#include "app/dialogs/password_dialog.h"
#include "app/dialogs/security_choice_dialog.h"
#include "app/dialogs/text_output_dialog.h"
#include "app/document_handle.h"
#include "app/message_box.h"
#include "dialog_test.h"
#include "engine/tax_categories.h"
#include "model/document.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {
namespace {

TEST_F(DialogTest, WizardWalksBothPagesAndRefusesAMissingSymbol) {
    NewFileWizard wizard;
    wizard.show();
    EXPECT_EQ(wizard.windowTitle(), u"Neue Datei - Schritt 1 von 2"_s);
    const int first = wizard.currentId();

    // The own currency without a symbol: the box, the focus, and the page stays.
    Find<QRadioButton>(&wizard, "otherChoice")->setChecked(true);
    EXPECT_FALSE(Find<QTreeWidget>(&wizard, "legacyList")->isEnabled());
    wizard.next();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].title, "Neue Datei");
    EXPECT_EQ(shown()[0].text, "Bitte geben Sie ein Währungssymbol ein!");
    EXPECT_EQ(wizard.currentId(), first);
    EXPECT_EQ(wizard.focusWidget(), Find<QLineEdit>(&wizard, "symbol"));

    Find<QLineEdit>(&wizard, "symbol")->setText(u"CHF"_s);
    wizard.next();
    EXPECT_NE(wizard.currentId(), first);
    EXPECT_EQ(wizard.windowTitle(), u"Neue Datei - Schritt 2 von 2"_s);
    auto* account = Find<QComboBox>(&wizard, "accountCurrency");
    ASSERT_EQ(account->count(), 1);
    EXPECT_EQ(account->currentText(), u"CHF"_s);

    // Back to the euro with DM and FF: page 2 now offers those three.
    wizard.back();
    Find<QRadioButton>(&wizard, "euroChoice")->setChecked(true);
    auto* legacy = Find<QTreeWidget>(&wizard, "legacyList");
    ASSERT_EQ(legacy->topLevelItemCount(), 11);
    legacy->topLevelItem(0)->setCheckState(0, Qt::Checked);
    legacy->topLevelItem(7)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(legacy->topLevelItem(7)->text(2), u"6,55957 FF = 1 EUR"_s);
    wizard.next();
    ASSERT_EQ(account->count(), 3);
    EXPECT_EQ(account->currentText(), u"EUR"_s) << "CHF is gone, the first one is taken";
    account->setCurrentIndex(account->findText(u"FF"_s));
    Find<QLineEdit>(&wizard, "holderName")->setText(u"Erika Muster"_s);
    Find<QPlainTextEdit>(&wizard, "holderAddress")->setPlainText(u"Weg 1\n12345 Stadt"_s);
    Find<QLineEdit>(&wizard, "depotNumber")->setText(u"D-1"_s);
    Find<QLineEdit>(&wizard, "accountNumber")->setText(u"K-2"_s);
    Find<QLineEdit>(&wizard, "bankCode")->setText(u"10020030"_s);

    const NewDocumentChoices choices = wizard.Choices();
    EXPECT_EQ(choices.legacyCurrencyMask, (1u << 0) | (1u << 7));
    EXPECT_EQ(choices.ownBaseSymbol, "");
    EXPECT_EQ(choices.initialAccountCurrencySymbol, "FF");
    EXPECT_EQ(choices.depot,
              (DepotMasterData{"Erika Muster", "Weg 1\n12345 Stadt", "10020030", "K-2", "D-1"}));
    EXPECT_EQ(shown().size(), 1u);
}

// Rows must hold their text with the marks above capitals and the descenders: rows as tall
// as the font's height clipped the dots of "Österreichische Schilling" in the wizard's
// currency list. The text line is centred in its row, as the item delegates draw it.
void ExpectRowHoldsAccents(const QFontMetrics& metrics, int rowHeight) {
    EXPECT_GE(rowHeight, metrics.height());
    const int baseline = (rowHeight - metrics.height()) / 2 + metrics.ascent();
    const QRect accent = metrics.tightBoundingRect(u"Ö"_s);
    const QRect descender = metrics.tightBoundingRect(u"g"_s);
    EXPECT_GE(baseline + accent.top(), 0) << "row height " << rowHeight;
    EXPECT_LE(baseline + descender.bottom(), rowHeight - 1) << "row height " << rowHeight;
}

void ExpectRowsHoldAccents(QAbstractItemView* view) {
    ASSERT_GT(view->model()->rowCount(), 0);
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        SCOPED_TRACE(view->objectName().toStdString() + " row " + std::to_string(row));
        const QRect rect = view->visualRect(view->model()->index(row, 0));
        ExpectRowHoldsAccents(view->fontMetrics(), view->isVisible() && rect.isValid()
                                                       ? rect.height()
                                                       : view->sizeHintForRow(row));
    }
}

// The dialogs are built under the application font of each size, as on a desktop with
// that font.
TEST_F(DialogTest, ListRowsKeepTheDotsOfCapitalUmlauts) {
    const QFont applicationFont = QApplication::font();
    struct RestoreFont {
        QFont font;
        ~RestoreFont() { QApplication::setFont(font); }
    } restore{applicationFont};
    for (const int pixels : {0, 11, 12, 13, 16, 20}) {  // 0: the application's font
        SCOPED_TRACE(pixels);
        QFont font = applicationFont;
        if (pixels > 0) font.setPixelSize(pixels);
        QApplication::setFont(font);

        NewFileWizard wizard;
        wizard.show();
        QApplication::processEvents();
        auto* legacy = Find<QTreeWidget>(&wizard, "legacyList");
        EXPECT_EQ(legacy->topLevelItem(1)->text(0), u"Österreichische Schilling"_s);
        EXPECT_EQ(legacy->topLevelItem(5)->text(2), u"1.936,27 Lit = 1 EUR"_s);
        ExpectRowsHoldAccents(legacy);
        // The list shows every row without scrolling.
        EXPECT_GE(legacy->viewport()->height(),
                  legacy->visualItemRect(legacy->topLevelItem(10)).bottom() + 1);
        legacy->topLevelItem(1)->setCheckState(0, Qt::Checked);
        wizard.next();
        auto* account = Find<QComboBox>(&wizard, "accountCurrency");
        ExpectRowsHoldAccents(account->view());

        CFolari2Doc doc;
        doc.NewDocument(NewDocumentChoices{}, DateOf(15, 6, 2026));
        CFL2Wertpapier security;
        security.name = "Österreichische Post";
        security.wkn = "ÖPOST1";
        ASSERT_EQ(doc.AddSecurity(security).result, DocResult::Ok);
        SecurityChoiceDialog choice(doc);
        choice.show();
        QApplication::processEvents();
        ExpectRowsHoldAccents(Find<QListWidget>(&choice, "securities"));

        DialogBar bar;
        bar.show();
        QApplication::processEvents();
        ExpectRowsHoldAccents(bar.ViewSelector()->view());
    }
}

TEST_F(DialogTest, OptionsOkWithDifferentPasswordsStaysOpen) {
    CFolari2Doc doc;
    doc.NewDocument(NewDocumentChoices{}, DateOf(15, 6, 2026));
    OptionsDialog dialog(doc);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), u"Optionen"_s);
    EXPECT_EQ(Find<QLineEdit>(&dialog, "decimalSeparator")->text(), u","_s);

    Find<QGroupBox>(&dialog, "protect")->setChecked(true);
    Find<QLineEdit>(&dialog, "password")->setText(u"geheim"_s);
    Find<QLineEdit>(&dialog, "repetition")->setText(u"gehein"_s);
    ClickOk(&dialog);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].title, "Optionen");
    EXPECT_EQ(shown()[0].text, "Die Kennwörter sind nicht identisch!");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.focusWidget(), Find<QLineEdit>(&dialog, "repetition"));

    Find<QLineEdit>(&dialog, "repetition")->setText(u"geheim"_s);
    Find<QCheckBox>(&dialog, "noThousandsSeparator")->setChecked(true);
    ClickOk(&dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    dialog.ApplyTo(doc);
    EXPECT_EQ(doc.password, (CQRNKennwort{"geheim", 1}));
    EXPECT_EQ(doc.options.thousandsSeparator, "");
}

TEST_F(DialogTest, OptionsSheetHasOneTabPerPageAndShowsARefusedPage) {
    CFolari2Doc doc;
    doc.NewDocument(NewDocumentChoices{}, DateOf(15, 6, 2026));
    OptionsDialog dialog(doc);
    dialog.show();
    QTabWidget* pages = dialog.Pages();
    ASSERT_EQ(pages->count(), static_cast<int>(OptionsPageFactories().size()));
    EXPECT_EQ(pages->tabText(0), u"Allgemein"_s);
    EXPECT_EQ(pages->widget(0)->objectName(), u"generalPage"_s);

    Find<QLineEdit>(&dialog, "decimalSeparator")->setText(u"."_s);
    Find<QLineEdit>(&dialog, "thousandsSeparator")->setText(u"."_s);
    ClickOk(&dialog);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text,
              "Dezimaltrennzeichen und Tausendertrennzeichen dürfen nicht identisch sein!");
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(dialog.focusWidget(), Find<QLineEdit>(&dialog, "decimalSeparator"));
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(DialogTest, EveryEditOfTheDocumentUpdatesTheViewsOnce) {
    CFolari2Doc doc;
    doc.NewDocument(NewDocumentChoices{}, DateOf(15, 6, 2026));
    DocumentHandle handle(std::move(doc));
    int updates = 0;
    int titles = 0;
    QObject::connect(&handle, &DocumentHandle::viewsNeedUpdate, [&](QObject* sender, int hint) {
        EXPECT_EQ(sender, nullptr);
        EXPECT_EQ(hint, 0);
        ++updates;
    });
    QObject::connect(&handle, &DocumentHandle::titleChanged, [&] { ++titles; });

    // An engine operation reaches the views by itself; a refused one does not.
    AppendTaxCategory(handle.Doc(), CFL2StPflKateg{});
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(titles, 1);
    EXPECT_TRUE(handle.IsModified());
    EXPECT_FALSE(DeleteTaxCategory(handle.Doc(), 99));
    EXPECT_EQ(updates, 1);

    // The options sheet: all its pages in one edit.
    handle.SetModified(false);
    OptionsDialog dialog(handle.Doc());
    dialog.ApplyTo(handle.Doc());
    EXPECT_EQ(updates, 2);
    EXPECT_TRUE(handle.IsModified());

    handle.Changed();
    EXPECT_EQ(updates, 3);
}

TEST_F(DialogTest, TextFileOkWithoutANameStaysOpen) {
    TextOutputDialog dialog(TextOutputTarget::TextFile);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), u"Kopieren in Textdatei"_s);
    EXPECT_EQ(dialog.Mode(), 0);
    Find<QPushButton>(&dialog, "browse")->setFocus();
    ClickOk(&dialog);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, "Bitte geben Sie einen Dateinamen ein!");
    EXPECT_EQ(shown()[0].title, "Kopieren in Textdatei");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), Find<QLineEdit>(&dialog, "fileName"));

    Find<QRadioButton>(&dialog, "tabSeparated")->setChecked(true);
    Find<QLineEdit>(&dialog, "fileName")->setText(u"/tmp/bestand.txt"_s);
    ClickOk(&dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Mode(), 1);
    EXPECT_EQ(dialog.FileName(), "/tmp/bestand.txt");

    TextOutputDialog clipboard(TextOutputTarget::Clipboard);
    EXPECT_EQ(clipboard.windowTitle(), u"Kopieren in Zwischenablage"_s);
    EXPECT_EQ(clipboard.findChild<QLineEdit*>(), nullptr);
}

TEST_F(DialogTest, PasswordAskGivesTheTextOrNothingOnCancel) {
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok);
        QTimer::singleShot(0, [ok] {
            auto* dialog = qobject_cast<PasswordDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), u"Kennwort"_s);
            dialog->findChild<QLineEdit*>(u"password"_s)->setText(u"Geheim"_s);
            ok ? dialog->accept() : dialog->reject();
        });
        const auto typed = PasswordDialog::Ask(nullptr, u"/home/erika/depot.fl2"_s);
        EXPECT_EQ(typed, ok ? std::optional<std::string>("Geheim") : std::nullopt);
    }
}

}  // namespace
}  // namespace pf
