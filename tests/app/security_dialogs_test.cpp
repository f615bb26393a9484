#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "app/dialogs/quote_rounding_question.h"
#include "app/dialogs/security_dialog.h"
#include "app/dialogs/security_editor_dialog.h"
#include "app/dialogs/use_template_dialog.h"
#include "app/dialogs/vtplus_data_dialog.h"
#include "dialog_test.h"
#include "engine/engine_test_util.h"
#include "engine/security_form.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

// A document of 1.1.2020 with the euro (0) and the mark (1); "Alpha" (WKN "111") and "Beta"
// ("222") with quotes in euros.
class SecurityDialogsTest : public DialogTest {
  protected:
    SecurityDialogsTest() {
        alpha = b.Security("Alpha", "111");
        beta = b.Security("Beta", "222");
        doc().options.earningsYear1 = "2020";
        doc().options.earningsYear2 = "2021";
        doc().SetModified(false);
    }
    CFolari2Doc& doc() { return b.doc; }

    static QTabWidget* Tabs(QWidget* dialog) { return Find<QTabWidget>(dialog, "tabs"); }
    // The tab that holds the dialog's focus widget.
    static int TabOfFocus(QDialog& dialog) {
        QTabWidget* tabs = Tabs(&dialog);
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i)->isAncestorOf(dialog.focusWidget())) return i;
        return -1;
    }

    DocBuilder b;
    int32_t alpha = -1;
    int32_t beta = -1;
};

TEST_F(SecurityDialogsTest, NewSecurityShowsItsCaptionsAndRefusesAtTheFieldOnItsTab) {
    doc().options.ownCategoryCaption1 = "Risiko";
    doc().options.ownCategoryCaption2.clear();
    SecurityDialog dialog(doc(), SecurityForm::New(doc()));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), u"Neues Wertpapier"_s);
    EXPECT_EQ(LabelOf(&dialog, "name"), u"B&ezeichnung"_s);
    EXPECT_EQ(LabelOf(&dialog, "wkn"), u"&WKN"_s);
    EXPECT_EQ(LabelOf(&dialog, "isin"), u"ISIN/Kürzel"_s);
    EXPECT_EQ(LabelOf(&dialog, "quoteCurrency"), u"K&urse in"_s);
    EXPECT_EQ(LabelOf(&dialog, "earnings1"), u"&Gew. 2020"_s);
    EXPECT_EQ(LabelOf(&dialog, "earnings2"), u"G&ew. 2021"_s);
    EXPECT_EQ(LabelOf(&dialog, "category1"), u"Risiko"_s);
    EXPECT_EQ(LabelOf(&dialog, "category2"), u"EK2"_s);
    EXPECT_EQ(LabelOf(&dialog, "remarks"), u"&Bemerkungen"_s);
    EXPECT_EQ(LabelOf(&dialog, "internetTextBeforeQuote"), u"Text v&or Kurs:"_s);
    auto* currency = Find<QComboBox>(&dialog, "quoteCurrency");
    ASSERT_EQ(currency->count(), 2);
    EXPECT_EQ(currency->currentText(), u"EUR"_s);
    EXPECT_EQ(currency->itemText(1), u"DM"_s);
    EXPECT_EQ(Find<QLineEdit>(&dialog, "internetUrl")->text(), u"http://"_s);
    EXPECT_EQ(Find<QLineEdit>(&dialog, "internetTextBeforeQuote")->text(), u"Kurs:"_s);
    EXPECT_TRUE(Find<QPushButton>(&dialog, "vtplusSelect")->isEnabled());

    struct Case {
        const char* name;
        const char* wkn;
        const char* earnings1;
        const char* text;
        const char* focus;
        int tab;
    };
    const Case cases[] = {
        {"", "999", "", "Bitte geben Sie eine Bezeichnung für das Wertpapier ein!", "name", 0},
        {"Gamma", "", "", "Bitte geben Sie eine Wertpapier-Kennnummer für das Wertpapier ein!",
         "wkn", 0},
        {"Alpha", "999", "", "Ein Wertpapier mit dieser Bezeichnung existiert bereits!", "name", 0},
        {"Gamma", "222", "", "Ein Wertpapier mit dieser Wertpapier-Kennnummer existiert bereits!",
         "wkn", 0},
        {"Gamma", "999", "1,2x", "Bitte geben Sie eine gültige Zahl ein!", "earnings1", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        shown().clear();
        // Start on another tab than the one of the field.
        Tabs(&dialog)->setCurrentIndex(3);
        Find<QLineEdit>(&dialog, "name")->setText(QString::fromUtf8(c.name));
        Find<QLineEdit>(&dialog, "wkn")->setText(QString::fromUtf8(c.wkn));
        Find<QLineEdit>(&dialog, "earnings1")->setText(QString::fromUtf8(c.earnings1));
        ClickOk(&dialog);
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].title, "Neues Wertpapier");
        EXPECT_EQ(shown()[0].text, c.text);
        EXPECT_EQ(Tabs(&dialog)->currentIndex(), c.tab);
        EXPECT_EQ(dialog.focusWidget(), Find<QWidget>(&dialog, c.focus));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(doc().securities.size(), 2u);
    }
}

TEST_F(SecurityDialogsTest, NewAndEditedSecurityReachTheDocument) {
    SecurityDialog dialog(doc(), SecurityForm::New(doc()));
    dialog.show();
    Find<QLineEdit>(&dialog, "name")->setText(u"Gamma AG"_s);
    Find<QLineEdit>(&dialog, "wkn")->setText(u"333"_s);
    Find<QLineEdit>(&dialog, "isin")->setText(u"DE0003330000"_s);
    Find<QComboBox>(&dialog, "quoteCurrency")->setCurrentIndex(1);
    Find<QLineEdit>(&dialog, "sector")->setText(u"Chemie"_s);
    Find<QLineEdit>(&dialog, "dividend")->setText(u"1,5"_s);
    Find<QCheckBox>(&dialog, "noChart")->setChecked(true);
    Find<QLineEdit>(&dialog, "category2")->setText(u"lang"_s);
    Find<QPlainTextEdit>(&dialog, "remarks")->setPlainText(u"erste Zeile\nzweite Zeile"_s);
    Find<QCheckBox>(&dialog, "internetImport")->setChecked(true);
    Find<QLineEdit>(&dialog, "internetUrl")->setText(u"http://kurse.example/333"_s);
    Find<QComboBox>(&dialog, "internetDecimalSeparator")->setCurrentIndex(1);
    int heard = 0;
    doc().AddEditListener([&] { ++heard; });
    ClickOk(&dialog);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(heard, 1);
    const CFL2Wertpapier* s = doc().FindSecurity(dialog.SecurityId());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->name, "Gamma AG");
    EXPECT_EQ(s->wkn, "333");
    EXPECT_EQ(s->isin, "DE0003330000");
    EXPECT_EQ(s->quoteCurrencyId, 1);
    EXPECT_EQ(s->sector, "Chemie");
    EXPECT_EQ(s->dividend, 1.5);
    EXPECT_EQ(s->figuresSet, 1 << 2);  // only the dividend was entered
    EXPECT_EQ(s->noChart, 1);
    EXPECT_EQ(s->noManualQuotes, 0);
    EXPECT_EQ(s->category2, "lang");
    EXPECT_EQ(s->remarks, "erste Zeile\nzweite Zeile");
    EXPECT_EQ(s->internetImport, 1);
    EXPECT_EQ(s->internetUrl, "http://kurse.example/333");
    EXPECT_EQ(s->internetTextBeforeQuote, "Kurs:");
    EXPECT_EQ(s->internetDecimalSeparator, 1);

    // Editing shows the stored fields and keeps the id.
    const int32_t gamma = dialog.SecurityId();
    SecurityDialog edit(doc(), SecurityForm::ForEdit(doc(), gamma));
    edit.show();
    EXPECT_EQ(edit.windowTitle(), u"Wertpapier bearbeiten"_s);
    EXPECT_EQ(Find<QComboBox>(&edit, "quoteCurrency")->currentText(), u"DM"_s);
    EXPECT_EQ(Find<QLineEdit>(&edit, "dividend")->text(), u"1,50"_s);
    EXPECT_EQ(Find<QLineEdit>(&edit, "earnings1")->text(), u""_s);
    EXPECT_EQ(Find<QPlainTextEdit>(&edit, "remarks")->toPlainText(),
              u"erste Zeile\nzweite Zeile"_s);
    EXPECT_EQ(Find<QComboBox>(&edit, "internetDecimalSeparator")->currentIndex(), 1);
    Find<QLineEdit>(&edit, "name")->setText(u"Gamma SE"_s);
    Find<QLineEdit>(&edit, "dividend")->clear();
    ClickOk(&edit);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(edit.SecurityId(), gamma);
    EXPECT_EQ(doc().FindSecurity(gamma)->name, "Gamma SE");
    EXPECT_EQ(doc().FindSecurity(gamma)->figuresSet, 0);
    EXPECT_EQ(doc().securities.size(), 3u);
}

// 100 DM = 100 / 1,95583 EUR = 51,1291881... EUR, rounded to 2 decimals 51,13.
TEST_F(SecurityDialogsTest, ChangedQuoteCurrencyAsksAndConvertsTheHistoryOnlyAfterYes) {
    const int32_t mark = b.Security("Mark AG", "DM1", 1);
    b.Quote(mark, Day(2, 1, 2020), 100.0);
    b.Quote(mark, Day(3, 1, 2020), 195.583);
    doc().SetModified(false);

    SecurityDialog dialog(doc(), SecurityForm::ForEdit(doc(), mark));
    dialog.show();
    Find<QComboBox>(&dialog, "quoteCurrency")->setCurrentIndex(0);
    answer() = QMessageBox::No;
    ClickOk(&dialog);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_TRUE(shown()[0].IsQuestion());
    EXPECT_EQ(shown()[0].title, "Wertpapier bearbeiten");
    EXPECT_EQ(shown()[0].text,
              "Sie haben die Währung für die Wertpapierkurse geändert.\nAlle vorhandenen Kurse "
              "werden nun von DM auf EUR umgestellt.");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(doc().IsModified());
    EXPECT_EQ(doc().FindSecurity(mark)->quoteCurrencyId, 1);
    EXPECT_EQ(doc().FindSecurity(mark)->quotes.Items()[0].value, 100.0);

    answer() = QMessageBox::Yes;
    ClickOk(&dialog);
    EXPECT_EQ(shown().size(), 2u);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const CFL2Wertpapier& s = *doc().FindSecurity(mark);
    EXPECT_EQ(s.quoteCurrencyId, 0);
    ASSERT_EQ(s.quotes.Items().size(), 2u);
    EXPECT_DOUBLE_EQ(s.quotes.Items()[0].value, 51.13);
    EXPECT_DOUBLE_EQ(s.quotes.Items()[1].value, 100.0);
}

// Without a recorder for the boxes the question is the rounding dialog, and its decimals
// decide: 100 DM = 51,1291881... EUR gives 51,1292 with 4 decimals.
TEST_F(SecurityDialogsTest, RoundingDialogChoosesTheDecimalsOfTheConvertedQuotes) {
    const int32_t mark = b.Security("Mark AG", "DM1", 1);
    b.Quote(mark, Day(2, 1, 2020), 100.0);
    SecurityDialog dialog(doc(), SecurityForm::ForEdit(doc(), mark));
    dialog.show();
    Find<QComboBox>(&dialog, "quoteCurrency")->setCurrentIndex(0);
    const MessageBoxHandler recorder = SetMessageBoxHandler(nullptr);
    bool asked = false;
    QTimer::singleShot(0, [&asked] {
        auto* question = qobject_cast<QuoteRoundingQuestion*>(QApplication::activeModalWidget());
        ASSERT_NE(question, nullptr);
        asked = true;
        EXPECT_EQ(Find<QLabel>(question, "questionText")->text(),
                  u"Sie haben die Währung für die Wertpapierkurse geändert.\nAlle vorhandenen "
                  u"Kurse werden nun von DM auf EUR umgestellt."_s);
        auto* decimals = Find<QSpinBox>(question, "quoteDecimals");
        EXPECT_EQ(decimals->value(), 2);
        decimals->setValue(4);
        Find<QPushButton>(question, "yes")->click();
    });
    ClickOk(&dialog);
    SetMessageBoxHandler(recorder);
    EXPECT_TRUE(asked);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(doc().FindSecurity(mark)->quoteCurrencyId, 0);
    EXPECT_DOUBLE_EQ(doc().FindSecurity(mark)->quotes.Items()[0].value, 51.1292);
}

TEST_F(SecurityDialogsTest, QuoteRoundingQuestionOffersZeroToSevenDecimals) {
    const Message question = Message::Question("Wertpapier bearbeiten", "Frage?");
    QuoteRoundingQuestion dialog(question, 2);
    EXPECT_EQ(dialog.windowTitle(), u"Wertpapier bearbeiten"_s);
    EXPECT_EQ(Find<QLabel>(&dialog, "questionText")->text(), u"Frage?"_s);
    auto* decimals = Find<QSpinBox>(&dialog, "quoteDecimals");
    EXPECT_EQ(decimals->minimum(), 0);
    EXPECT_EQ(decimals->maximum(), 7);
    EXPECT_EQ(dialog.Decimals(), 2);
    EXPECT_EQ(LabelOf(&dialog, "quoteDecimals"), u"Kurse &runden auf"_s);
    decimals->setValue(9);
    EXPECT_EQ(dialog.Decimals(), 7);
    EXPECT_EQ(Find<QPushButton>(&dialog, "yes")->text(), u"&Ja"_s);
    Find<QPushButton>(&dialog, "no")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(SecurityDialogsTest, TemplatesAreMadeAndUsedThroughTheDialogs) {
    SecurityDialog dialog(doc(), SecurityForm::ForEdit(doc(), alpha));
    dialog.show();
    auto* url = Find<QLineEdit>(&dialog, "internetUrl");
    auto* text = Find<QLineEdit>(&dialog, "internetTextBeforeQuote");
    auto* makeTemplate = Find<QPushButton>(&dialog, "makeTemplate");
    Tabs(&dialog)->setCurrentIndex(3);

    // Refusals of "Vorlage erzeugen" name the field; nothing is stored.
    url->clear();
    makeTemplate->click();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].title, "Wertpapier bearbeiten");
    EXPECT_EQ(shown()[0].text,
              "Sie müssen zuerst eine Adresse (URL) eingeben, bevor Sie eine neue Vorlage "
              "erzeugen können!");
    EXPECT_EQ(dialog.focusWidget(), url);
    EXPECT_TRUE(doc().InternetTemplates().empty());

    url->setText(u"http://kurse.example/111.htm"_s);
    text->setText(u"Letzter Kurs"_s);
    Find<QComboBox>(&dialog, "internetDecimalSeparator")->setCurrentIndex(1);
    shown().clear();
    makeTemplate->click();
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(doc().InternetTemplates(),
              (std::vector<std::string>{
                  "http://kurse.example/***WKN***.htm*******Letzter Kurs*******P"}));
    makeTemplate->click();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, "Diese Vorlage ist bereits vorhanden!");
    EXPECT_EQ(doc().InternetTemplates().size(), 1u);

    // Beta takes the template over through "Vorlage verwenden...", filled with its WKN.
    SecurityDialog other(doc(), SecurityForm::ForEdit(doc(), beta));
    other.show();
    QTimer::singleShot(0, [] {
        auto* use = qobject_cast<UseTemplateDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(use, nullptr);
        EXPECT_EQ(use->windowTitle(), u"Vorlage verwenden"_s);
        auto* list = Find<QTreeWidget>(use, "templates");
        EXPECT_EQ(list->headerItem()->text(0), u"Adresse/URL"_s);
        EXPECT_EQ(list->headerItem()->text(1), u"Text vor Kurs"_s);
        EXPECT_EQ(list->headerItem()->text(2), u"Dezimaltrennzeichen"_s);
        ASSERT_EQ(list->topLevelItemCount(), 1);
        EXPECT_EQ(list->topLevelItem(0)->text(0), u"http://kurse.example/222.htm"_s);
        EXPECT_EQ(list->topLevelItem(0)->text(2), u"Punkt"_s);
        EXPECT_FALSE(Find<QLabel>(use, "hint")->isVisible());
        ClickOk(use);
    });
    Find<QPushButton>(&other, "useTemplate")->click();
    EXPECT_EQ(Find<QLineEdit>(&other, "internetUrl")->text(), u"http://kurse.example/222.htm"_s);
    EXPECT_EQ(Find<QLineEdit>(&other, "internetTextBeforeQuote")->text(), u"Letzter Kurs"_s);
    EXPECT_EQ(Find<QComboBox>(&other, "internetDecimalSeparator")->currentIndex(), 1);
    ClickOk(&other);
    EXPECT_EQ(doc().FindSecurity(beta)->internetUrl, "http://kurse.example/222.htm");
    EXPECT_EQ(doc().FindSecurity(beta)->internetDecimalSeparator, 1);
}

TEST_F(SecurityDialogsTest, TemplateListShowsItsHintAndDeletesStoredTemplates) {
    doc().InternetTemplates() = {
        "http://a.example/***KRZ***.htm*******Kurs:*******K",
        "http://b.example/***WKN***.htm*******Kurs:*******K",
        "http://c.example/***BEZ***/***WKN***.htm*******Preis*******P",
    };
    TemplateSource source;
    source.name = "Alpha";
    source.wkn = "111";
    UseTemplateDialog dialog(doc(), source);
    dialog.show();
    auto* list = Find<QTreeWidget>(&dialog, "templates");
    auto* hint = Find<QLabel>(&dialog, "hint");
    auto* remove = Find<QPushButton>(&dialog, "delete");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), u"http://b.example/111.htm"_s);
    EXPECT_EQ(list->topLevelItem(0)->text(2), u"Komma"_s);
    EXPECT_EQ(list->topLevelItem(1)->text(0), u"http://c.example/Alpha/111.htm"_s);
    EXPECT_EQ(list->topLevelItem(1)->text(1), u"Preis"_s);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(),
              u"Es sind weitere Vorlagen verfügbar, diese benötigen aber folgende "
              u"Angaben: ISIN/Kürzel"_s);

    // "Löschen" removes the chosen stored template (list index 2, not row 1).
    list->setCurrentItem(list->topLevelItem(1));
    remove->click();
    EXPECT_EQ(doc().InternetTemplates(),
              (std::vector<std::string>{"http://a.example/***KRZ***.htm*******Kurs:*******K",
                                        "http://b.example/***WKN***.htm*******Kurs:*******K"}));
    ASSERT_EQ(list->topLevelItemCount(), 1);
    remove->click();
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(doc().InternetTemplates().size(), 1u);
    EXPECT_FALSE(remove->isEnabled());
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    EXPECT_FALSE(buttons->button(QDialogButtonBox::Ok)->isEnabled());
    EXPECT_FALSE(dialog.Chosen().has_value());

    doc().InternetTemplates().clear();
    UseTemplateDialog empty(doc(), source);
    empty.show();
    EXPECT_EQ(Find<QLabel>(&empty, "hint")->text(), u"Es sind noch keine Vorlagen vorhanden."_s);
}

TEST_F(SecurityDialogsTest, VtplusDataAreCheckedAndStoredWithTheSecurity) {
    VtplusFields fields;
    fields.page = "512";
    VtplusDataDialog data(fields);
    data.show();
    EXPECT_EQ(data.windowTitle(), u"Daten für Kursimport aus dem Videotext"_s);
    EXPECT_EQ(LabelOf(&data, "vtplusSubpage"), u"&Unterseite:"_s);
    EXPECT_EQ(LabelOf(&data, "vtplusQuotePosition"), u"Ku&rsposition:"_s);
    EXPECT_TRUE(Find<QRadioButton>(&data, "vtplusComma")->isChecked());

    struct Case {
        const char* subpage;
        const char* position;
        const char* text;  // empty: accepted
        const char* focus;
    };
    const Case cases[] = {
        {"100", "", "Bitte geben Sie als Unterseite eine Zahl von 1 bis 99 ein!", "vtplusSubpage"},
        {"1", "20/5/10/5",
         "Bitte geben Sie die Position in der Form Spalte/Zeile/Spalte/Zeile ein (Spalten 0 "
         "bis 39)!",
         "vtplusQuotePosition"},
        {"1", "20/5/27/5", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        shown().clear();
        Find<QLineEdit>(&data, "vtplusSubpage")->setText(QString::fromUtf8(c.subpage));
        Find<QLineEdit>(&data, "vtplusQuotePosition")->setText(QString::fromUtf8(c.position));
        ClickOk(&data);
        if (*c.text == '\0') {
            EXPECT_TRUE(shown().empty());
            EXPECT_EQ(data.result(), QDialog::Accepted);
            continue;
        }
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].title, "Daten für Kursimport aus dem Videotext");
        EXPECT_EQ(shown()[0].text, c.text);
        EXPECT_EQ(data.focusWidget(), Find<QWidget>(&data, c.focus));
        EXPECT_TRUE(data.isVisible());
    }

    // Through "&Daten..." of the security dialog into the document.
    SecurityDialog dialog(doc(), SecurityForm::ForEdit(doc(), alpha));
    dialog.show();
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<VtplusDataDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        Find<QLineEdit>(d, "vtplusPage")->setText(u"512"_s);
        Find<QLineEdit>(d, "vtplusSubpage")->setText(u"2"_s);
        Find<QLineEdit>(d, "vtplusQuotePosition")->setText(u"20/5/27/5"_s);
        Find<QLineEdit>(d, "vtplusControlText")->setText(u"Alpha"_s);
        Find<QRadioButton>(d, "vtplusPoint")->setChecked(true);
        ClickOk(d);
    });
    Find<QPushButton>(&dialog, "vtplusData")->click();
    Find<QCheckBox>(&dialog, "vtplusImport")->setChecked(true);
    ClickOk(&dialog);
    EXPECT_TRUE(shown().empty());
    const CFL2Wertpapier& s = *doc().FindSecurity(alpha);
    EXPECT_EQ(s.vtplusImport, 1);
    EXPECT_EQ(s.vtplusPage, "512");
    EXPECT_EQ(s.vtplusSubpage, "2");
    EXPECT_EQ(s.vtplusQuotePosition, "20/5/27/5");
    EXPECT_EQ(s.vtplusControlText, "Alpha");
    EXPECT_EQ(s.vtplusDecimalSeparator, 1);

    // Stored data the check refuses send the user to "&Daten..." on the import tab.
    doc().FindSecurity(beta)->vtplusSubpage = "0";
    SecurityDialog bad(doc(), SecurityForm::ForEdit(doc(), beta));
    bad.show();
    ClickOk(&bad);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, "Bitte geben Sie als Unterseite eine Zahl von 1 bis 99 ein!");
    EXPECT_EQ(bad.focusWidget(), Find<QWidget>(&bad, "vtplusData"));
    EXPECT_EQ(TabOfFocus(bad), 3);
}

TEST_F(SecurityDialogsTest, EditorDeletesOnlyUnusedSecuritiesAndKeepsAChoice) {
    b.Buy(Day(2, 1, 2020), alpha, 10, 5.0);
    const int32_t gamma = b.Security("gamma", "333");
    doc().SetModified(false);
    SecurityEditorDialog editor(doc());
    editor.show();
    EXPECT_EQ(editor.windowTitle(), u"Wertpapier-Editor"_s);
    auto* list = Find<QTreeWidget>(&editor, "securities");
    auto* edit = Find<QPushButton>(&editor, "edit");
    auto* remove = Find<QPushButton>(&editor, "delete");
    EXPECT_EQ(Find<QPushButton>(&editor, "new")->text(), u"&Neu..."_s);
    EXPECT_EQ(edit->text(), u"&Bearbeiten..."_s);
    EXPECT_EQ(remove->text(), u"&Löschen"_s);
    EXPECT_EQ(Find<QPushButton>(&editor, "close")->text(), u"Schließen"_s);
    EXPECT_EQ(list->headerItem()->text(0), u"Bezeichnung"_s);
    EXPECT_EQ(list->headerItem()->text(3), u"Kurse in"_s);
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(2)->text(0), u"gamma"_s);

    list->clearSelection();
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(remove->isEnabled());

    // Alpha is bought: refused, nothing changes.
    editor.Select(alpha);
    EXPECT_TRUE(remove->isEnabled());
    remove->click();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].title, "Wertpapier-Editor");
    EXPECT_EQ(shown()[0].text,
              "Dieses Wertpapier kann nicht gelöscht werden, da es in Transaktionen verwendet "
              "wird!");
    EXPECT_EQ(doc().securities.size(), 3u);
    EXPECT_FALSE(doc().IsModified());

    // Beta: No keeps it, Yes deletes it and the next row is chosen.
    editor.Select(beta);
    answer() = QMessageBox::No;
    remove->click();
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[1].text, "Möchten Sie dieses Wertpapier wirklich löschen?");
    EXPECT_NE(doc().FindSecurity(beta), nullptr);
    answer() = QMessageBox::Yes;
    remove->click();
    EXPECT_EQ(doc().FindSecurity(beta), nullptr);
    EXPECT_TRUE(doc().IsModified());
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(editor.SelectedId(), gamma);

    // "&Neu...": Abbrechen adds nothing; OK adds the security and chooses its row.
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<SecurityDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), u"Neues Wertpapier"_s);
        d->reject();
    });
    Find<QPushButton>(&editor, "new")->click();
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(editor.SelectedId(), gamma);
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<SecurityDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        Find<QLineEdit>(d, "name")->setText(u"Delta"_s);
        Find<QLineEdit>(d, "wkn")->setText(u"444"_s);
        ClickOk(d);
    });
    Find<QPushButton>(&editor, "new")->click();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->currentItem()->text(0), u"Delta"_s);
    EXPECT_EQ(doc().securities.size(), 3u);
    EXPECT_EQ(doc().FindSecurity(editor.SelectedId())->wkn, "444");
    editor.Select(gamma);

    // A double click opens the chosen security in "Wertpapier bearbeiten"; a rename moves it
    // in the list and it stays chosen.
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<SecurityDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), u"Wertpapier bearbeiten"_s);
        Find<QLineEdit>(d, "name")->setText(u"Aachen AG"_s);
        ClickOk(d);
    });
    emit list->itemDoubleClicked(list->currentItem(), 0);
    EXPECT_EQ(doc().FindSecurity(gamma)->name, "Aachen AG");
    EXPECT_EQ(list->topLevelItem(0)->text(0), u"Aachen AG"_s);
    EXPECT_EQ(editor.SelectedId(), gamma);
}

}  // namespace
}  // namespace pf
