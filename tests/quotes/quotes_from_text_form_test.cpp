#include "quotes/quotes_from_text_form.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/engine_test_util.h"
#include "engine/stop_target.h"
#include "model/document.h"
#include "platform/settings_store.h"

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

TEST(TrendIcon, ThresholdsAreStrictAndAlertsComeLast) {
    // Thresholds chosen so that the ratios at the edges are exact in binary:
    // T1 50 % -> 1.5, T2 25 % -> 1.25, T3 -50 % -> 0.5, T4 -25 % -> 0.75; quote 100.
    const TrendThresholds wide{50.0, 25.0, -50.0, -25.0};
    struct Case {
        double price, quote, upper, lower;
        TrendThresholds t;
        int icon;
    };
    const Case cases[] = {
        {151.0, 100.0, 0, 0, wide, 1},  // 1.51 > 1.5
        {150.0, 100.0, 0, 0, wide, 2},  // 1.5 is not above 1.5, but above 1.25
        {126.0, 100.0, 0, 0, wide, 2},
        {125.0, 100.0, 0, 0, wide, 3},  // 1.25 is not above 1.25
        {75.0, 100.0, 0, 0, wide, 3},   // 0.75 is not below 0.75
        {74.0, 100.0, 0, 0, wide, 5},
        {50.0, 100.0, 0, 0, wide, 5},  // 0.5 is not below 0.5
        {49.0, 100.0, 0, 0, wide, 4},
        // Defaults 1, 0, -1, 0: any rise or fall shows, 1 % makes it strong.
        {100.0, 100.0, 0, 0, {}, 3},
        {100.5, 100.0, 0, 0, {}, 2},  // 1.005 > 1
        {102.0, 100.0, 0, 0, {}, 1},  // 1.02 > 1.01
        {99.5, 100.0, 0, 0, {}, 5},   // 0.995 < 1
        {98.0, 100.0, 0, 0, {}, 4},   // 0.98 < 0.99
        {100.0, 0.0, 0, 0, {}, 0},    // no quote to compare with
        {100.0, -3.0, 0, 0, {}, 0},
        // Alert prices: reached at or beyond; 0 = none; the lower one wins.
        {120.0, 100.0, 120.0, 0, {}, 6},
        {119.0, 100.0, 120.0, 0, {}, 1},
        {80.0, 100.0, 0, 80.0, {}, 7},
        {81.0, 100.0, 0, 80.0, {}, 4},
        {70.0, 100.0, 60.0, 80.0, {}, 7},  // both reached
        {120.0, 0.0, 110.0, 0, {}, 6},     // an alert shows without an earlier quote
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.price << " vs " << c.quote << " alerts " << c.upper << "/" << c.lower);
        EXPECT_EQ(TrendIcon(c.price, c.quote, c.upper, c.lower, c.t), c.icon);
    }
}

TEST(TrendThresholds, FromTheDocumentWithDefaultsForWhatIsNotANumber) {
    DocumentOptions options;
    EXPECT_EQ(TrendThresholdsOf(options), (TrendThresholds{1.0, 0.0, -1.0, 0.0}));
    options.internetQuotes = {1, 2.5, std::nan(""), -3.0, INFINITY};
    EXPECT_EQ(TrendThresholdsOf(options), (TrendThresholds{2.5, 0.0, -3.0, 0.0}));
}

TEST(AlertPrices, HighestStopAndLowestTargetOfTheOpenLots) {
    DocBuilder b;
    const int32_t alpha = b.Security("Alpha");
    const int32_t beta = b.Security("Beta");
    const int32_t lots[3] = {b.Buy(Day(2, 1, 2020), alpha, 10, 20.0).positionNo,
                             b.Buy(Day(3, 1, 2020), alpha, 10, 20.0).positionNo,
                             b.Buy(Day(4, 1, 2020), alpha, 10, 20.0).positionNo};
    SetStop(b.doc, lots[0], 10.0);
    SetStop(b.doc, lots[1], 12.0);
    SetTarget(b.doc, lots[0], 30.0);
    SetTarget(b.doc, lots[2], 25.0);
    // A sold lot with a higher stop and a lower target does not count.
    const int32_t sold = b.Buy(Day(5, 1, 2020), alpha, 5, 20.0).positionNo;
    SetStop(b.doc, sold, 50.0);
    SetTarget(b.doc, sold, 21.0);
    b.Sell(Day(6, 1, 2020), alpha, {{sold, 5}}, 22.0);
    b.Buy(Day(5, 1, 2020), beta, 1, 20.0);

    const PositionList held = ComputeHoldings(b.doc, HoldingsQuery{});
    EXPECT_EQ(AlertPricesOf(b.doc, held, alpha), (AlertPrices{25.0, 12.0}));
    EXPECT_EQ(AlertPricesOf(b.doc, held, beta), (AlertPrices{0.0, 0.0}));
}

// Alpha (123456) has a quote of 40 three days before the dialog's date and 45 on it; Beta
// (222222) has none and a lot with stop 8; Gamma (333333) has a price the format cannot
// read; Delta is not in the text.
class QuotesFromText : public ::testing::Test {
  protected:
    void SetUp() override {
        alpha = b.Security("Alpha", "123456");
        beta = b.Security("Beta", "222222");
        gamma = b.Security("Gamma", "333333");
        b.Security("Delta", "444444");
        b.Quote(alpha, Day(7, 3, 2024), 40.0);
        SetStop(b.doc, b.Buy(Day(2, 1, 2024), beta, 10, 9.0).positionNo, 8.0);
        b.doc.SetModified(false);
        b.doc.AddEditListener([this] { ++heard; });
        form = QuotesFromTextForm::Open(b.doc, settings, kDate);
        form.SelectFormat(b.doc, 1);  // "|" on both sides
        form.SetText(b.doc, "123456|45,20|\r\n222222|7,5|\r\n333333|n/a|\r\n");
    }
    double QuoteOn(int32_t security, CQRNDatum date) const {
        double value = 0.0;
        return b.doc.FindSecurity(security)->quotes.QuoteOn(date, value) ? value : -1.0;
    }

    const CQRNDatum kDate = Day(10, 3, 2024);
    DocBuilder b;
    MemorySettingsStore settings;
    QuotesFromTextForm form;
    int32_t alpha = -1, beta = -1, gamma = -1;
    int heard = 0;
};

TEST_F(QuotesFromText, RowsShowPriceCurrencyStatusAndTrend) {
    const std::vector<QuotesFromTextRow> rows = form.Rows(b.doc);
    ASSERT_EQ(rows.size(), 3u);
    // 45.2 / 40 = 1.13 > 1.01: strong rise against the quote on or before the date.
    EXPECT_EQ(rows[0], (QuotesFromTextRow{alpha, "Alpha", "45,20", "EUR", "okay", 1}));
    // No quote to compare with, but 7.5 is at or below the stop of 8.
    EXPECT_EQ(rows[1], (QuotesFromTextRow{beta, "Beta", "7,50", "EUR", "okay", 7}));
    EXPECT_EQ(rows[2], (QuotesFromTextRow{gamma, "Gamma", "", "EUR", "fehlerhafter Kurs", -1}));

    b.doc.options.decimalSeparator = ".";
    b.doc.options.thousandsSeparator = ",";
    EXPECT_EQ(form.Rows(b.doc)[0].priceText, "45.20");
}

TEST_F(QuotesFromText, OkStoresThePricesInOneEditAndRemembersTheChoices) {
    b.Quote(alpha, kDate, 45.0);  // replaced
    form.SetIdentification(b.doc, kIdentifyWknThenSecondId);
    ASSERT_FALSE(form.Check(b.doc));
    EXPECT_TRUE(form.Apply(b.doc));
    EXPECT_EQ(QuoteOn(alpha, kDate), 45.2);
    EXPECT_EQ(QuoteOn(beta, kDate), 7.5);
    EXPECT_EQ(QuoteOn(gamma, kDate), -1.0);
    EXPECT_EQ(QuoteOn(alpha, Day(7, 3, 2024)), 40.0);
    EXPECT_TRUE(b.doc.IsModified());
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(b.doc.quoteDialogs.textIdentification, kIdentifyWknThenSecondId);
    EXPECT_EQ(b.doc.quoteDialogs.textFormatTitle, "Kursliste (kurse.direktbank.de) (altes Format)");

    // The same prices again change nothing and are not heard.
    b.doc.SetModified(false);
    EXPECT_FALSE(form.Apply(b.doc));
    EXPECT_FALSE(b.doc.IsModified());
    EXPECT_EQ(heard, 1);

    // The next dialog starts with the remembered choices.
    const QuotesFromTextForm next = QuotesFromTextForm::Open(b.doc, settings, kDate);
    EXPECT_EQ(next.selectedFormat, 1);
    EXPECT_EQ(next.identification, kIdentifyWknThenSecondId);
}

TEST_F(QuotesFromText, OpensWithTodayTheFirstFormatAndAValidChoice) {
    b.doc.quoteDialogs.textFormatTitle = "gibt es nicht";
    b.doc.quoteDialogs.textIdentification = 7;
    const QuotesFromTextForm fresh = QuotesFromTextForm::Open(b.doc, settings, kDate);
    EXPECT_EQ(fresh.date, kDate);
    EXPECT_EQ(fresh.selectedFormat, 0);
    EXPECT_EQ(fresh.identification, kIdentifyByWkn);
    EXPECT_TRUE(fresh.items.empty());
    b.doc.options.isinLabel = "Kürzel";
    EXPECT_EQ(QuotesFromTextForm::IdentificationChoices(b.doc)[3], "Kürzel, WKN");
}

TEST_F(QuotesFromText, FormatChangesScanAgainAndAreSavedAtTheEnd) {
    TextFormatForm added = QuotesFromTextForm::NewFormatForm();
    added.title = "Gleich";
    added.separators = "|";
    added.terminators = "|";
    EXPECT_FALSE(form.AddFormat(b.doc, TextFormatForm::New()));  // refused by its check
    ASSERT_TRUE(form.AddFormat(b.doc, added));
    EXPECT_EQ(form.selectedFormat, 2);
    EXPECT_EQ(form.items.size(), 3u);

    // Editing the selected format keeps its identifier; a ":" separator finds nothing now.
    TextFormatForm edit = *form.EditFormatForm();
    edit.separators = ":";
    ASSERT_TRUE(form.ReplaceSelectedFormat(b.doc, edit));
    EXPECT_EQ(form.formats[2].identifier, "XXXX");
    EXPECT_EQ(form.items[0].status, "kein Trennzeichen zwischen WKN/ISIN/Kürzel und Kurs");

    form.SaveFormats(settings);
    EXPECT_EQ(settings.GetString("Settings", "KATFor10001"), "Gleich*+*:*+*|*+*00*+*XXXX*+*");
    EXPECT_EQ(settings.GetInt("Settings", "KATForAnz"), 1);

    // Deleting the last one selects the one before; deleting the first selects the next.
    ASSERT_TRUE(form.DeleteSelectedFormat(b.doc));
    EXPECT_EQ(form.selectedFormat, 1);
    EXPECT_EQ(form.items[0].price, 45.2);
    form.SelectFormat(b.doc, 0);
    ASSERT_TRUE(form.DeleteSelectedFormat(b.doc));
    EXPECT_EQ(form.FormatTitles(),
              std::vector<std::string>{"Kursliste (kurse.direktbank.de) (altes Format)"});
    EXPECT_EQ(form.selectedFormat, 0);
    ASSERT_TRUE(form.DeleteSelectedFormat(b.doc));
    EXPECT_EQ(form.selectedFormat, -1);
    EXPECT_TRUE(form.items.empty());
    EXPECT_FALSE(form.EditEnabled());
    EXPECT_FALSE(form.DeleteSelectedFormat(b.doc));
}

TEST_F(QuotesFromText, TextFromAFileOrAMessageAndTheTextStays) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("pf_text_quotes_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / "kurse.txt";
    {
        // Windows-1252: "ä" is one byte.
        std::ofstream out(file, std::ios::binary);
        out << "Gr\xE4"
               "fin 123456|12,5|";
    }
    ASSERT_FALSE(form.LoadTextFile(b.doc, file.string()));
    EXPECT_EQ(form.text, "Gräfin 123456|12,5|");
    ASSERT_EQ(form.items.size(), 1u);
    EXPECT_EQ(form.items[0].price, 12.5);

    const Message cannotOpen{"Kurse aus Text", "Datei kann nicht geöffnet werden!",
                             MessageIcon::Exclamation, ""};
    EXPECT_EQ(form.LoadTextFile(b.doc, (dir / "fehlt.txt").string()), cannotOpen);
    EXPECT_EQ(form.LoadTextFile(b.doc, dir.string()), cannotOpen);
    EXPECT_EQ(form.text, "Gräfin 123456|12,5|");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace pf
