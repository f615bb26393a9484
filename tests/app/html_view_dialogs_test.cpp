// The button "HTML-Ansicht" of the holdings view and the dialog "HTML-Ansicht konfigurieren"
// of the holdings options page.
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "app/dialog_bar.h"
#include "app/dialogs/html_config_dialog.h"
#include "app/dialogs/options_dialog.h"
#include "app/document_handle.h"
#include "app/main_window.h"
#include "app/report_view.h"
#include "dialog_test.h"
#include "model/archive/document_file.h"
#include "model/document.h"
#include "platform/clipboard.h"
#include "platform/settings_store.h"
#include "qtcanvas/qt_string.h"
#include "samples/demo_portfolios.h"
#include "shell/report_option_pages.h"
#include "shell/view_catalogue.h"
#include "support/temp_folder.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {
namespace {

using testing::TempFolder;

class RecordingLauncher : public DesktopLauncher {
  public:
    bool OpenFile(const std::string& path) override {
        opened.push_back(path);
        return works;
    }
    std::vector<std::string> opened;
    bool works = true;
};

using HtmlViewTest = DialogTest;

TEST_F(HtmlViewTest, TheHoldingsButtonWritesThePageIntoTheProgramFolderAndOpensIt) {
    TempFolder folder("html_window");
    std::ofstream(folder / "Demo1.fl2", std::ios::binary) << WriteDocument(MakeDemoPortfolio(1));
    MemorySettingsStore settings;
    MemoryClipboard clipboard;
    RecordingLauncher browser;
    MainWindowSetup setup;
    setup.settings = &settings;
    setup.programFolder = folder.Path().string();
    setup.today = DateOf(10, 12, 2026);
    setup.clipboard = &clipboard;
    setup.launcher = &browser;
    MainWindow window(setup);
    window.show();

    auto* button = window.findChild<QPushButton*>(u"htmlView"_s);
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->isEnabled());  // no document yet
    ASSERT_NE(window.OpenFile(ToQString((folder / "Demo1.fl2").string())), nullptr);
    ASSERT_EQ(window.ActiveView()->State().viewId, kViewHoldings);
    EXPECT_TRUE(button->isVisible());
    ASSERT_TRUE(button->isEnabled());

    button->click();
    const std::string page = (folder / "depotbestand.htm").string();
    ASSERT_EQ(browser.opened, std::vector<std::string>{page});
    const std::string bytes = TempFolder::Contents(page);
    EXPECT_EQ(bytes.rfind("<html>", 0), 0u);
    // The images come from the program folder.
    EXPECT_NE(bytes.find("file://" + folder.Path().string() + "/blline.gif"), std::string::npos);
    EXPECT_TRUE(shown().empty());

    browser.works = false;
    button->click();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text, "Fehler bei Aufruf des Webbrowsers!");

    // Other views have no such button.
    window.SetActiveViewId(kViewTransactions);
    EXPECT_FALSE(button->isVisible());
    for (DocumentHandle* d : window.Documents()) d->SetModified(false);
}

TEST_F(HtmlViewTest, TheConfigurationIsEditedFromTheHoldingsPageAndStoredWithIt) {
    CFolari2Doc doc = MakeDemoPortfolio(1);
    OptionsDialog sheet(doc, OptionPageTitlesOfView(kViewHoldings));
    sheet.show();
    QWidget* page = sheet.Pages()->widget(0);
    const std::string chosen =
        (std::filesystem::temp_directory_path() / "pf_html_config_bericht").string();

    WhenModal<HtmlConfigDialog>([&](HtmlConfigDialog& d) {
        EXPECT_EQ(d.windowTitle(), u"HTML-Ansicht konfigurieren"_s);
        EXPECT_TRUE(Find<QRadioButton>(&d, "securityData0")->isChecked());
        EXPECT_EQ(Find<QRadioButton>(&d, "securityData1")->text(), u"WK&N, ISIN/Kürzel"_s);
        EXPECT_EQ(Find<QLineEdit>(&d, kHtmlFontSizesField)->text(), u"12pt;10pt;8pt;8pt"_s);
        EXPECT_FALSE(Find<QLineEdit>(&d, kHtmlFileNameField)->isEnabled());

        // A file of one's own needs a name.
        Find<QCheckBox>(&d, "userFile")->setChecked(true);
        ClickOk(&d);
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].title, "HTML-Ansicht konfigurieren");
        EXPECT_EQ(shown()[0].text, "Bitte geben Sie einen Dateinamen an!");
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(HasFocus(&d, kHtmlFileNameField));

        // "Auswählen..." asks for a file to save and adds the extension.
        WhenModal<QFileDialog>([&](QFileDialog& chooser) {
            EXPECT_EQ(chooser.nameFilters(), QStringList{u"HTML-Dateien (*.htm)"_s});
            EXPECT_EQ(chooser.acceptMode(), QFileDialog::AcceptSave);
            chooser.selectFile(ToQString(chosen));
            static_cast<QDialog&>(chooser).accept();
        });
        Find<QPushButton>(&d, "chooseFile")->click();
        EXPECT_EQ(Find<QLineEdit>(&d, kHtmlFileNameField)->text(), ToQString(chosen + ".htm"));

        Find<QRadioButton>(&d, "securityData2")->setChecked(true);
        Find<QCheckBox>(&d, "dividendColumns")->setChecked(true);
        Type(&d, kHtmlFontSizesField, u"14pt;12pt"_s);
        Find<QDoubleSpinBox>(&d, "htmlStrongRise")->setValue(3.0);
        ClickOk(&d);
        EXPECT_FALSE(d.isVisible());
    });
    Find<QPushButton>(page, "htmlConfigure")->click();
    // Nothing is written before the sheet's OK.
    EXPECT_EQ(doc.options.htmlPage, HtmlPageOptions{});

    ClickOk(&sheet);
    ASSERT_EQ(sheet.result(), QDialog::Accepted);
    sheet.ApplyTo(doc);
    const HtmlPageOptions expected{kHtmlIsinType, 0, 1, 1, 1, "14pt;12pt", 1, chosen + ".htm"};
    EXPECT_EQ(doc.options.htmlPage, expected);
    EXPECT_EQ(doc.options.internetQuotes.trendStrongRise, 3.0);
    EXPECT_TRUE(doc.IsModified());
}

}  // namespace
}  // namespace pf
