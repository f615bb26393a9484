#include "quotes/text_scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine_test_util.h"
#include "model/document.h"

namespace pf {
namespace {

using testing::DocBuilder;

TextQuoteFormat Builtin(const std::string& stored, bool ignore = false) {
    TextQuoteFormat f = *TextQuoteFormat::Parse(stored);
    f.ignoreOtherCharacters = ignore;
    return f;
}

TextQuoteFormat Format(const std::string& separators, const std::string& terminators,
                       bool point = false, bool ignore = false) {
    TextQuoteFormat f;
    f.title = "Test";
    f.separators = separators;
    f.terminators = terminators;
    f.decimalPoint = point;
    f.ignoreOtherCharacters = ignore;
    return f;
}

const std::string kNoSeparator = "kein Trennzeichen zwischen WKN/ISIN/Kürzel und Kurs";

// One security with the number `wkn`, scanned by its number.
struct Case {
    const char* what;
    std::string wkn;
    std::string text;
    TextQuoteFormat format;
    bool read;
    double price;
    std::string status;
};

TEST(ScanTextQuotes, ReadsThePriceBetweenSeparatorsAndTerminator) {
    const TextQuoteFormat f1 = Builtin(DefaultTextFormat0001());
    const TextQuoteFormat f2 = Builtin(DefaultTextFormat0002());
    const TextQuoteFormat f1Ignore = Builtin(DefaultTextFormat0001(), true);
    const Case cases[] = {
        {"bar format", "123456", "123456|45,20|", f2, true, 45.2, "okay"},
        {"no colon behind the number", "123456", "123456|45,20|", f1, false, 0, kNoSeparator},
        {"currency ignored", "123456", "123456: 1.234,50 EUR\r\n", f1Ignore, true, 1234.5, "okay"},
        {"currency refused", "123456", "123456: 1.234,50 EUR\r\n", f1, false, 0,
         "fehlerhafter Kurs"},
        {"no bar behind the price", "123456", "123456|45,20", f2, false, 0,
         "kein Trennzeichen hinter Kurs"},
        // The first occurrence wins, even inside a longer number: 1234 in 51234.
        {"inside another number", "1234", "51234|7,00|\r\n1234|8,00|", f2, true, 7.0, "okay"},
        // A line end of "\n" alone ends the price too: any one of the terminators does.
        {"line feed only", "123456", "123456: 45,20\nx", f1, true, 45.2, "okay"},
        // The key's own last character is not its separator: the search starts behind it.
        {"separator inside the key", "AB1", "AB1 5,00|", Format("1", "|"), false, 0, kNoSeparator},
        // Each separator is looked for after the one before: "=" behind ":", not the first "=".
        {"separators in order", "K7", "K7=1:2=3,5;", Format(":=", ";"), true, 3.5, "okay"},
        {"tab token", "K7", "K7\t12,5\r\n", Format("<TAB>", "<NZ>"), true, 12.5, "okay"},
        {"terminator right behind", "123456", "123456||", f2, false, 0, "fehlerhafter Kurs"},
        {"first of several terminators", "K7", "K7:5,5;x|", Format(":", "|;"), true, 5.5, "okay"},
        {"decimal point, comma groups", "K7", "K7:1,234.5|", Format(":", "|", true), true, 1234.5,
         "okay"},
        {"two decimal commas", "K7", "K7:1,5,3|", Format(":", "|"), false, 0, "fehlerhafter Kurs"},
        {"seven decimals kept", "K7", "K7:0,12345678|", Format(":", "|"), true, 0.1234567, "okay"},
        {"minus refused", "K7", "K7:-5,00|", Format(":", "|"), false, 0, "fehlerhafter Kurs"},
        // A quote of 0 would read as "no quote" in every valuation.
        {"zero refused", "K7", "K7:0,00|", Format(":", "|"), false, 0, "fehlerhafter Kurs"},
        {"euro sign as separator and terminator", "K7", "K7 € 12,50 € x", Format("€", "€"), true,
         12.5, "okay"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DocBuilder b;
        const int32_t id = b.Security("Alpha", c.wkn);
        const std::vector<TextQuoteItem> items = ScanTextQuotes(b.doc, c.text, c.format, 0);
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(items[0].securityId, id);
        EXPECT_EQ(items[0].priceRead, c.read);
        if (c.read) {
            EXPECT_DOUBLE_EQ(items[0].price, c.price);
        }
        EXPECT_EQ(items[0].status, c.status);
    }
}

// A: number and short code both in the text, B: only its short code, C: no short code,
// D: nowhere. Each key is followed by its own price.
class Identification : public ::testing::Test {
  protected:
    void SetUp() override {
        a = b.Security("A", "111111");
        bb = b.Security("B", "222222");
        c = b.Security("C", "333333");
        b.Security("D", "444444");
        b.doc.FindSecurity(a)->isin = "DE0001";
        b.doc.FindSecurity(bb)->isin = "US0002";
        b.doc.FindSecurity(b.Security("E", "555555"))->isin = "FR0005";
        b.doc.options.isinLabel = "Kürzel";
    }
    std::vector<std::pair<int32_t, double>> Found(int identification) const {
        std::vector<std::pair<int32_t, double>> found;
        for (const TextQuoteItem& item : ScanTextQuotes(b.doc, kText, kFormat, identification))
            found.push_back({item.securityId, item.price});
        return found;
    }
    DocBuilder b;
    int32_t a = -1, bb = -1, c = -1;
    const std::string kText = "DE0001|1,00|111111|2,00|US0002|3,00|333333|4,00|";
    const TextQuoteFormat kFormat = Builtin(DefaultTextFormat0002());
};

TEST_F(Identification, OnePassOrTwoInTheChosenOrder) {
    using Pairs = std::vector<std::pair<int32_t, double>>;
    EXPECT_EQ(Found(kIdentifyByWkn), (Pairs{{a, 2.0}, {c, 4.0}}));
    EXPECT_EQ(Found(kIdentifyBySecondId), (Pairs{{a, 1.0}, {bb, 3.0}}));  // C's empty code skipped
    EXPECT_EQ(Found(kIdentifyWknThenSecondId), (Pairs{{a, 2.0}, {bb, 3.0}, {c, 4.0}}));
    EXPECT_EQ(Found(kIdentifySecondIdThenWkn), (Pairs{{a, 1.0}, {bb, 3.0}, {c, 4.0}}));
    EXPECT_EQ(Found(9), Found(kIdentifyByWkn));
    EXPECT_EQ(IdentificationTexts("Kürzel"),
              (std::vector<std::string>{"WKN", "Kürzel", "WKN, Kürzel", "Kürzel, WKN"}));
}

TEST_F(Identification, StatusNamesTheDocumentsLabel) {
    const std::vector<TextQuoteItem> items =
        ScanTextQuotes(b.doc, "111111 2,00", kFormat, kIdentifyByWkn);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].status, "kein Trennzeichen zwischen WKN/Kürzel und Kurs");
    EXPECT_TRUE(ScanTextQuotes(b.doc, "", kFormat, kIdentifyWknThenSecondId).empty());
}

// Many keys looked for at once must each still be found at their own first occurrence:
// keys that share their first bytes, that lie inside one another, shorter than four bytes,
// repeated. The expected price is the one of the segment in which a plain search per key
// finds the key first.
TEST(ScanTextQuotes, EveryKeyAtItsFirstOccurrenceAmongMany) {
    const std::vector<std::string> wkns = {"1234", "12345", "2345", "123", "DE0001", "DE00012",
                                           "E000", "D",     "0001", "DE0", "4DE0",   "1D1D1"};
    DocBuilder b;
    std::vector<int32_t> ids;
    for (const std::string& wkn : wkns) ids.push_back(b.Security("S" + wkn, wkn));

    // Segments "key|price|": each key joins two random pieces of the numbers, so keys stand
    // inside, across and beside one another. Prices use digits no number holds, so a number
    // can only stand inside a segment's key.
    uint32_t seed = 7;
    const auto next = [&seed](size_t n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<size_t>(seed >> 16) % n;
    };
    const auto piece = [&]() {
        const std::string& wkn = wkns[next(wkns.size())];
        const size_t from = next(wkn.size());
        return wkn.substr(from, 1 + next(wkn.size() - from));
    };
    std::string text;
    std::vector<std::pair<size_t, int>> segments;  // start, price
    for (int i = 0; i < 300; ++i) {
        const int price = static_cast<int>(55 + 10 * next(5) + next(5));
        segments.push_back({text.size(), price});
        text += piece() + piece() + "|" + std::to_string(price) + "|";
    }

    const std::vector<TextQuoteItem> items =
        ScanTextQuotes(b.doc, text, Builtin(DefaultTextFormat0002()), kIdentifyByWkn);
    size_t item = 0;
    for (size_t i = 0; i < wkns.size(); ++i) {
        SCOPED_TRACE(wkns[i]);
        const size_t at = text.find(wkns[i]);
        if (at == std::string::npos) continue;
        size_t segment = 0;
        while (segment + 1 < segments.size() && segments[segment + 1].first <= at) ++segment;
        ASSERT_LT(item, items.size());
        EXPECT_EQ(items[item].securityId, ids[i]);
        EXPECT_EQ(items[item].price, segments[segment].second);
        ++item;
    }
    EXPECT_EQ(item, items.size());
    EXPECT_GE(item, 10u);  // the text holds most of the numbers
}

}  // namespace
}  // namespace pf
