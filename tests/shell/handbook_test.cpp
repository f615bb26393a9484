#include "shell/handbook.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/account_movements.h"
#include "engine/security_form.h"
#include "engine/security_templates.h"
#include "engine/split_exchange_form.h"
#include "engine/stop_target.h"
#include "engine/tax_categories.h"
#include "engine/trade_form.h"
#include "engine/transaction_editor.h"
#include "quotes/currency_form.h"
#include "quotes/import_format_store.h"
#include "quotes/quote_deletion.h"
#include "quotes/quote_entry.h"
#include "quotes/quote_export.h"
#include "quotes/quote_import_form.h"
#include "quotes/rate_entry.h"
#include "quotes/text_quote_formats.h"
#include "quotes/vtplus_quotes.h"
#include "shell/depot_data_form.h"
#include "shell/general_options_form.h"
#include "shell/html_view.h"
#include "shell/new_file_wizard_form.h"
#include "shell/position_choice_form.h"
#include "shell/report_option_pages.h"
#include "shell/text_output_form.h"
#include "shell/transaction_filter_form.h"

namespace pf {
namespace {

namespace fs = std::filesystem;

// docs/handbuch of the source tree (set by tests/shell/handbook.cmake).
const fs::path kHandbook = PF_HANDBOOK_DIR;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every page of the handbook with the ids its elements carry.
std::map<std::string, std::set<std::string>> PagesWithIds() {
    std::map<std::string, std::set<std::string>> pages;
    const std::regex id(R"re(\sid="([^"]+)")re");
    for (const fs::directory_entry& entry : fs::directory_iterator(kHandbook)) {
        if (entry.path().extension() != ".html") continue;
        std::set<std::string>& ids = pages[entry.path().filename().string()];
        const std::string text = ReadAll(entry.path());
        for (std::sregex_iterator it(text.begin(), text.end(), id), end; it != end; ++it)
            ids.insert((*it)[1].str());
    }
    return pages;
}

// Whether "page.html#anchor" (or "page.html") names a page and an id on it.
::testing::AssertionResult Resolves(const std::map<std::string, std::set<std::string>>& pages,
                                    const std::string& target) {
    const size_t hash = target.find('#');
    const auto page = pages.find(target.substr(0, hash));
    if (page == pages.end()) return ::testing::AssertionFailure() << "no page for " << target;
    if (hash != std::string::npos && !page->second.contains(target.substr(hash + 1)))
        return ::testing::AssertionFailure() << "no id for " << target;
    return ::testing::AssertionSuccess();
}

TEST(Handbook, EveryPageOfTheAreasExists) {
    const auto pages = PagesWithIds();
    for (const char* page :
         {"index.html", "dateien.html", "transaktionen.html", "kurse.html", "berichte.html",
          "charts.html", "optionen.html", "kommandozeile.html"}) {
        SCOPED_TRACE(page);
        EXPECT_TRUE(pages.contains(page));
        const std::string text = ReadAll(kHandbook / page);
        // The browser must not guess the encoding of the umlauts.
        EXPECT_NE(text.find(R"(<meta charset="utf-8">)"), std::string::npos);
    }
}

TEST(Handbook, EverySectionOfTheTablePointsAtAPageAndAnId) {
    const auto pages = PagesWithIds();
    for (const HandbookSection& section : HandbookSections()) {
        SCOPED_TRACE(std::string(section.title));
        EXPECT_TRUE(Resolves(pages, std::string(section.target)));
    }
}

TEST(Handbook, LinksBetweenThePagesAndPicturesLeadSomewhere) {
    const auto pages = PagesWithIds();
    const std::regex link(R"re((?:href|src)="([^"]*)")re");
    for (const auto& [page, ids] : pages) {
        const std::string text = ReadAll(kHandbook / page);
        for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it) {
            std::string target = (*it)[1].str();
            SCOPED_TRACE(page + " -> " + target);
            if (target.starts_with("http:") || target.starts_with("https:")) continue;
            if (target.starts_with("#")) target = page + target;
            if (target.ends_with(".html") || target.find(".html#") != std::string::npos)
                EXPECT_TRUE(Resolves(pages, target));
            else
                EXPECT_TRUE(fs::is_regular_file(kHandbook / target));
        }
    }
}

TEST(Handbook, EveryDialogTitleOfTheProgramHasItsSection) {
    CurrencyForm newCurrency;
    CurrencyForm editedCurrency;
    editedCurrency.editedId = 3;
    TextFormatForm newFormat;
    TextFormatForm editedFormat;
    editedFormat.editing = true;
    const std::vector<std::string> titles = {
        // Files and the document
        kNewFileTitle, kNewFilePage1Title, kNewFilePage2Title, "Kennwort", kDepotDataTitle,
        kOptionsTitle, "Farbe",
        // Transactions
        kPurchaseTitle, kSaleTitle, kAllocationTitle, kMovementTitle, "Aufteilen", kSplitTitle,
        kExchangeTitle, kStopTargetTitle, kTransactionEditorTitle, kTransactionFilterTitle,
        "Kontowährung", kTaxCategoryTitle,
        // Securities, currencies, quotes
        kNewSecurityTitle, kEditSecurityTitle, kSecurityEditorTitle, kUseTemplateTitle,
        kVtplusDataTitle, newCurrency.Title(), editedCurrency.Title(), kCurrencyEditorTitle,
        kQuoteEntryTitle, kRateEntryTitle, kQuoteDeleteTitle, kQuoteImportTitle, kSaveFormatTitle,
        "Importergebnis", kQuoteExportTitle, kQuotesFromTextTitle, newFormat.DialogTitle(),
        editedFormat.DialogTitle(), "Kurse aus Internet", kVtplusQuotesTitle, kVtplusSelectionTitle,
        // Reports, printing, charts
        "Wertpapierauswahl", kHtmlConfigTitle, TextOutputForm::Title(TextOutputTarget::Clipboard),
        TextOutputForm::Title(TextOutputTarget::TextFile), "Drucken", "Seitenansicht",
        "Druckereinrichtung", kPositionChoiceTitle};
    for (const std::string& title : titles) {
        SCOPED_TRACE(title);
        EXPECT_NE(HandbookTarget(title), kHandbookStartPage);
    }
    EXPECT_EQ(newCurrency.Title(), "Neue Währung");
    EXPECT_EQ(editedFormat.DialogTitle(), "Format bearbeiten");
}

TEST(Handbook, EveryPageOfTheOptionsHasASectionOfItsOwn) {
    const auto pages = PagesWithIds();
    for (const std::string& title : AllOptionPageTitles()) {
        SCOPED_TRACE(title);
        const std::string target = HandbookOptionsPageTarget(title);
        EXPECT_TRUE(target.starts_with("optionen.html#")) << target;
        EXPECT_TRUE(Resolves(pages, target));
    }
    EXPECT_EQ(HandbookOptionsPageTarget("Allgemein"), "optionen.html#allgemein");
    // A page the table does not know still opens the options.
    EXPECT_EQ(HandbookOptionsPageTarget("Neue Seite"), "optionen.html");
}

TEST(Handbook, TitlesAreMatchedWithoutTheirAdditions) {
    struct Case {
        const char* title;
        const char* target;
    };
    for (const Case& c : std::vector<Case>{
             {"Neue Datei - Schritt 2 von 2", "dateien.html#neue-datei"},
             {"Kurse löschen", "kurse.html#loeschen"},
             {"Kauf[*]", "transaktionen.html#kauf"},
             // Unknown and partial titles fall back to the start page.
             {"Portfolaris", "index.html"},
             {"Kau", "index.html"},
             {"", "index.html"},
         }) {
        SCOPED_TRACE(c.title);
        EXPECT_EQ(HandbookTarget(c.title), c.target);
    }
}

TEST(Handbook, FolderIsFoundWhereItIsInstalledThenBesideTheProgram) {
    std::set<std::string> present;
    const auto exists = [&present](const std::string& path) { return present.contains(path); };
    EXPECT_EQ(FindHandbookFolder("/opt/pf/bin", exists), "");

    // A build run: the copy beside the program.
    present.insert("/opt/pf/bin/handbuch/index.html");
    EXPECT_EQ(FindHandbookFolder("/opt/pf/bin", exists), "/opt/pf/bin/handbuch");

    // The installed handbook under the program's prefix comes first.
    present.insert("/opt/pf/bin/../share/doc/portfolaris/handbuch/index.html");
    EXPECT_EQ(FindHandbookFolder("/opt/pf/bin", exists),
              "/opt/pf/bin/../share/doc/portfolaris/handbuch");

    // A folder without the start page is no handbook.
    present = {"/x/handbuch/kurse.html"};
    EXPECT_EQ(FindHandbookFolder("/x", exists), "");
    EXPECT_EQ(FindHandbookFolder("", exists), "");
}

TEST(Handbook, TargetIsSplitIntoFileAndSection) {
    HandbookLocation at = LocateInHandbook("/h", "kurse.html#import");
    EXPECT_EQ(at.file, "/h/kurse.html");
    EXPECT_EQ(at.fragment, "import");
    at = LocateInHandbook("/h", "optionen.html");
    EXPECT_EQ(at.file, "/h/optionen.html");
    EXPECT_EQ(at.fragment, "");
    at = LocateInHandbook("/h", "#oben");
    EXPECT_EQ(at.file, "/h/index.html");
    EXPECT_EQ(at.fragment, "oben");
}

}  // namespace
}  // namespace pf
