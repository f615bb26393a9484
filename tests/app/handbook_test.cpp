// The help menu's "Handbuch" (F1) and the dialogs' "Hilfe" button: the handbook page and
// section go to the window's launcher; failures are told in a box.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest/QTest>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/dialogs/chart_option_page_views.h"
#include "app/dialogs/depot_data_dialog.h"
#include "app/dialogs/password_dialog.h"
#include "app/dialogs/quote_rounding_question.h"
#include "app/dialogs/tax_categories_dialog.h"
#include "app/dialogs/use_template_dialog.h"
#include "app/document_handle.h"
#include "app/help.h"
#include "app/main_window.h"
#include "dialog_test.h"
#include "engine/message.h"
#include "engine/security_form.h"
#include "engine/tax_categories.h"
#include "model/archive/document_file.h"
#include "platform/clipboard.h"
#include "platform/desktop_launcher.h"
#include "platform/settings_store.h"
#include "qtcanvas/qt_desktop_launcher.h"
#include "qtcanvas/qt_string.h"
#include "samples/demo_portfolios.h"
#include "shell/depot_data_form.h"
#include "support/temp_folder.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {
namespace {

// docs/handbuch of the source tree (set by tests/app/handbook.cmake).
const QString kHandbook = QStringLiteral(PF_HANDBOOK_DIR);

class RecordingLauncher : public DesktopLauncher {
  public:
    bool OpenFile(const std::string& path) override { return OpenFileAt(path, ""); }
    bool OpenFileAt(const std::string& path, const std::string& fragment) override {
        opened.emplace_back(path, fragment);
        return works;
    }
    std::vector<std::pair<std::string, std::string>> opened;
    bool works = true;
};

class HandbookTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        OverrideHandbookFolder(kHandbook);
        setup_.settings = &settings_;
        setup_.today = DateOf(10, 12, 2026);
        setup_.clipboard = &clipboard_;
        setup_.launcher = &browser_;
    }
    void TearDown() override {
        OverrideHandbookFolder({});
        DialogTest::TearDown();
    }

    std::pair<std::string, std::string> Page(const char* page, const char* section) const {
        return {(kHandbook + u"/"_s + QString::fromLatin1(page)).toStdString(), section};
    }

    MemorySettingsStore settings_;
    MemoryClipboard clipboard_;
    RecordingLauncher browser_;
    MainWindowSetup setup_;
};

TEST_F(HandbookTest, F1InTheMainWindowOpensTheStartPage) {
    MainWindow window(setup_);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    auto* action = window.findChild<QAction*>(u"helpHandbook"_s);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->shortcut(), QKeySequence(Qt::Key_F1));
    QTest::keyClick(&window, Qt::Key_F1);
    ASSERT_EQ(browser_.opened.size(), 1u);
    EXPECT_EQ(browser_.opened[0], Page("index.html", ""));
    EXPECT_TRUE(shown().empty());
}

TEST_F(HandbookTest, HelpButtonAndF1InADialogOpenItsSection) {
    MainWindow window(setup_);
    window.show();
    DepotDataDialog dialog(DepotMasterData{}, &window);
    dialog.show();
    auto* help = dialog.findChild<QPushButton*>(u"help"_s);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->text(), u"Hilfe"_s);
    help->click();
    ASSERT_EQ(browser_.opened.size(), 1u);
    EXPECT_EQ(browser_.opened[0], Page("dateien.html", "depotdaten"));
    // The button does not close the dialog.
    EXPECT_TRUE(dialog.isVisible());

    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_F1);
    ASSERT_EQ(browser_.opened.size(), 2u);
    EXPECT_EQ(browser_.opened[1], Page("dateien.html", "depotdaten"));

    // F1 reaches dialogs without the button too, by their title.
    QDialog plain(&window);
    plain.setWindowTitle(u"Kurse löschen"_s);
    plain.show();
    plain.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&plain));
    QTest::keyClick(&plain, Qt::Key_F1);
    ASSERT_EQ(browser_.opened.size(), 3u);
    EXPECT_EQ(browser_.opened[2], Page("kurse.html", "loeschen"));
    EXPECT_TRUE(shown().empty());
}

TEST_F(HandbookTest, DialogOutsideTheWindowUsesTheOpenWindowsLauncher) {
    MainWindow window(setup_);
    PasswordDialog dialog(u"depot.fl2"_s);  // no parent, as before a window exists
    dialog.findChild<QPushButton*>(u"help"_s)->click();
    ASSERT_EQ(browser_.opened.size(), 1u);
    EXPECT_EQ(browser_.opened[0], Page("dateien.html", "kennwort"));
}

TEST_F(HandbookTest, ABrowserThatDoesNotStartIsReportedWithThePagesPlace) {
    MainWindow window(setup_);
    browser_.works = false;
    window.findChild<QAction*>(u"helpHandbook"_s)->trigger();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, "Fehler bei Aufruf des Webbrowsers!\nDas Handbuch liegt in " +
                                   Page("index.html", "").first + ".");
}

TEST_F(HandbookTest, AMissingHandbookIsReportedWithoutCallingTheBrowser) {
    OverrideHandbookFolder({});  // the test program's folder holds no handbook
    MainWindow window(setup_);
    window.findChild<QAction*>(u"helpHandbook"_s)->trigger();
    EXPECT_TRUE(browser_.opened.empty());
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text.rfind("Das Handbuch wurde nicht gefunden.", 0), 0u);
}

// Desktop openers drop the section of a file URL; the page that forwards to it keeps it, and
// an address that would end the attribute is escaped.
TEST(ForwardingPage, KeepsTheSectionAndEscapesTheAddress) {
    struct Case {
        const char* path;
        const char* fragment;
        const char* address;
    };
    for (const Case& c : std::vector<Case>{
             {"/opt/pf/share/doc/portfolaris/handbuch/kurse.html", "import",
              "file:///opt/pf/share/doc/portfolaris/handbuch/kurse.html#import"},
             {"/home/erika/QRN Software/handbuch/optionen.html", "allgemein",
              "file:///home/erika/QRN%20Software/handbuch/optionen.html#allgemein"},
             {"/x/a&b\"c.html", "s", "file:///x/a&amp;b%22c.html#s"},
         }) {
        SCOPED_TRACE(c.path);
        QUrl url = QUrl::fromLocalFile(QString::fromUtf8(c.path));
        url.setFragment(QString::fromUtf8(c.fragment));
        const QString page = QString::fromUtf8(ForwardingPage(url));
        const QString address = QString::fromUtf8(c.address);
        EXPECT_TRUE(page.contains(u"content=\"0; url="_s + address + u"\""_s))
            << page.toStdString();
        EXPECT_TRUE(page.contains(u"href=\""_s + address + u"\""_s));
    }
    EXPECT_TRUE(ForwardingPagePath().endsWith(u"/portfolaris-handbuch.html"_s));
}

// Every dialog a menu command opens, on the first demonstration portfolio: its "Hilfe"
// opens the handbook at the dialog's own section and leaves the dialog open.
class HandbookWalk : public HandbookTest {
  protected:
    void SetUp() override {
        HandbookTest::SetUp();
        std::ofstream(folder_ / "Demo1.fl2", std::ios::binary)
            << WriteDocument(MakeDemoPortfolio(1));
        setup_.programFolder = folder_.Path().string();
        window_ = std::make_unique<MainWindow>(setup_);
        window_->show();
        document_ = window_->OpenFile(ToQString((folder_ / "Demo1.fl2").string()));
        ASSERT_NE(document_, nullptr);
    }
    void TearDown() override {
        for (DocumentHandle* d : window_->Documents()) d->SetModified(false);
        window_.reset();
        HandbookTest::TearDown();
    }

    // Triggers `action` and presses "Hilfe" in the modal dialog it opens; `before` runs in
    // the dialog first. Returns the dialog's title ("" when no dialog came).
    QString PressHelpIn(const char* action, const std::function<void(QDialog&)>& before = {}) {
        QString title;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            title = dialog->windowTitle();
            if (before) before(*dialog);
            // A button, or in the print preview an action of its tool bar.
            auto* help = dialog->findChild<QAbstractButton*>(u"help"_s);
            auto* action = dialog->findChild<QAction*>(u"help"_s);
            EXPECT_TRUE(help != nullptr || action != nullptr) << title.toStdString();
            if (help != nullptr) {
                EXPECT_EQ(help->text(), u"Hilfe"_s);
                help->click();
            } else if (action != nullptr) {
                EXPECT_EQ(action->text(), u"Hilfe"_s);
                action->trigger();
            }
            EXPECT_TRUE(dialog->isVisible()) << title.toStdString();
            dialog->reject();
        });
        window_->FindAction(QString::fromLatin1(action))->trigger();
        return title;
    }

    testing::TempFolder folder_{"handbook"};
    std::unique_ptr<MainWindow> window_;
    DocumentHandle* document_ = nullptr;
};

TEST_F(HandbookWalk, EveryMenuDialogsHelpOpensItsSection) {
    struct Case {
        const char* action;
        const char* page;
        const char* section;
    };
    const Case cases[] = {
        {"actionNew", "dateien.html", "neue-datei"},
        {"actionDepotData", "dateien.html", "depotdaten"},
        {"actionOptions", "optionen.html", "allgemein"},
        {"actionCopyClipboard", "berichte.html", "textausgabe"},
        {"actionCopyTextFile", "berichte.html", "textausgabe"},
        {"actionPageSetup", "berichte.html", "drucken"},
        {"actionPrint", "berichte.html", "drucken"},
        {"actionPrintPreview", "berichte.html", "drucken"},
        {"actionNewSecurity", "kurse.html", "wertpapier"},
        {"actionSecurityEditor", "kurse.html", "wertpapier-editor"},
        {"actionEnterQuotes", "kurse.html", "eingeben"},
        {"actionDeleteQuotes", "kurse.html", "loeschen"},
        {"actionImportQuotes", "kurse.html", "import"},
        {"actionExportQuotes", "kurse.html", "export"},
        {"actionQuotesFromText", "kurse.html", "text"},
        {"actionQuotesFromVtplus", "kurse.html", "vtplus"},
        {"actionEnterRates", "kurse.html", "devisenkurse"},
        {"actionNewCurrency", "kurse.html", "waehrung"},
        {"actionCurrencyEditor", "kurse.html", "waehrungs-editor"},
        {"actionPurchase", "transaktionen.html", "kauf"},
        {"actionSale", "transaktionen.html", "verkauf"},
        {"actionMovement", "transaktionen.html", "kontobewegung"},
        {"actionExchange", "transaktionen.html", "umtausch"},
        {"actionSplit", "transaktionen.html", "aktiensplit"},
        {"actionStopTarget", "transaktionen.html", "stopp-ziel"},
        {"actionTransactionEditor", "transaktionen.html", "editor"},
        {"actionTransactionFilter", "transaktionen.html", "filter"},
        {"actionAccountCurrency", "transaktionen.html", "kontowaehrung"},
        {"actionTaxCategories", "transaktionen.html", "steuerpflicht"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        browser_.opened.clear();
        EXPECT_FALSE(PressHelpIn(c.action).isEmpty()) << "no dialog";
        ASSERT_EQ(browser_.opened.size(), 1u);
        EXPECT_EQ(browser_.opened[0], Page(c.page, c.section));
    }
    EXPECT_TRUE(shown().empty());
}

TEST_F(HandbookWalk, OptionsHelpExplainsThePageOnShow) {
    PressHelpIn("actionOptions", [](QDialog& dialog) {
        auto* pages = dialog.findChild<QTabWidget*>(u"pages"_s);
        for (int i = 0; i < pages->count(); ++i)
            if (pages->tabText(i) == u"Charts"_s) pages->setCurrentIndex(i);
    });
    ASSERT_EQ(browser_.opened.size(), 1u);
    EXPECT_EQ(browser_.opened[0], Page("optionen.html", "charts"));
}

// Dialogs with buttons of their own rather than OK and Abbrechen.
TEST_F(HandbookWalk, DialogsWithTheirOwnButtonsHaveHelpToo) {
    CFolari2Doc& doc = document_->Doc();
    UseTemplateDialog templates(doc, TemplateSource{}, window_.get());
    TaxCategoryDialog category(doc, TaxCategoryForm{}, window_.get());
    QuoteRoundingQuestion rounding(Message::Question(kEditSecurityTitle, "Kurse umstellen?"), 2,
                                   window_.get());
    const std::pair<QDialog*, std::pair<const char*, const char*>> cases[] = {
        {&templates, {"kurse.html", "vorlage"}},
        {&category, {"transaktionen.html", "steuerpflicht"}},
        {&rounding, {"kurse.html", "wertpapier"}},
    };
    for (const auto& [dialog, target] : cases) {
        SCOPED_TRACE(dialog->windowTitle().toStdString());
        browser_.opened.clear();
        auto* help = dialog->findChild<QPushButton*>(u"help"_s);
        ASSERT_NE(help, nullptr);
        help->click();
        ASSERT_EQ(browser_.opened.size(), 1u);
        EXPECT_EQ(browser_.opened[0], Page(target.first, target.second));
    }

    // Qt's colour dialog of the chart options gets the button in its own button box.
    ColourButton colour(u"Farbe..."_s, "colour", 0x0000ff, window_.get());
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* help = dialog->findChild<QPushButton*>(u"help"_s);
        EXPECT_NE(help, nullptr);
        if (help != nullptr) help->click();
        dialog->reject();
    });
    browser_.opened.clear();
    colour.click();
    ASSERT_EQ(browser_.opened.size(), 1u);
    EXPECT_EQ(browser_.opened[0], Page("optionen.html", "charts"));
}

}  // namespace
}  // namespace pf
