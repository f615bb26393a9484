#include "quotes/internet_quotes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine_test_util.h"
#include "model/document.h"

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

TEST(InternetQuotePrice, Extraction) {
    struct Case {
        const char* page;
        const char* recognition;
        bool decimalPoint;
        bool found;
        double price;
        std::string_view status;
    };
    const Case cases[] = {
        // 1.234,56: "." groups in comma mode -> 1234,56.
        {"<td>Kurs:</td><td>1.234,56 EUR</td>", "Kurs:", false, true, 1234.56, kStatusQuoteRead},
        // 1,234.56: "," groups in point mode.
        {"Kurs: 1,234.56", "Kurs:", true, true, 1234.56, kStatusQuoteRead},
        // No digit before the separator.
        {"Kurs: ,50", "Kurs:", false, false, 0.0, kStatusBadQuote},
        // The apostrophe groups in both modes: 1'234.50 -> 1234,50.
        {"Kurs: 1'234.50", "Kurs:", true, true, 1234.5, kStatusQuoteRead},
        {"Kurs: 1'234,50", "Kurs:", false, true, 1234.5, kStatusQuoteRead},
        // Found only in the upper-case copies.
        {"<b>KURS:</b> 12,5", "Kurs:", false, true, 12.5, kStatusQuoteRead},
        {"kurs: 3,25", "KURS:", false, true, 3.25, kStatusQuoteRead},
        // The first match counts: the case-sensitive one is taken before an earlier
        // upper-case one ("KURS: 1,00" comes first but differs in case).
        {"KURS: 1,00 Kurs: 2,00", "Kurs:", false, true, 2.0, kStatusQuoteRead},
        {"Preis: 12,50", "Kurs:", false, false, 0.0, kStatusTextNotFound},
        {"", "Kurs:", false, false, 0.0, kStatusTextNotFound},
        // The separator of the other mode does not count.
        {"Kurs: 12,50", "Kurs:", true, false, 0.0, kStatusNoSeparator},
        {"Kurs: 1.250 EUR", "Kurs:", false, false, 0.0, kStatusNoSeparator},
        // A separator before the recognition text is not looked at.
        {"1,5 Kurs: 7", "Kurs:", false, false, 0.0, kStatusNoSeparator},
        // The first separator behind the text, even when it is far from the price:
        // "a, 12,50" -> "," right after "a" has no digits before it.
        {"Kurs: a, 12,50", "Kurs:", false, false, 0.0, kStatusBadQuote},
        // Decimals stop at the first non-digit; none at all is still a price: "12," = 12.
        {"Kurs: 12,5x9", "Kurs:", false, true, 12.5, kStatusQuoteRead},
        {"Kurs: 12, EUR", "Kurs:", false, true, 12.0, kStatusQuoteRead},
        // Only 7 decimals are kept: 0,12345678 -> 0,1234567.
        {"Kurs: 0,12345678", "Kurs:", false, true, 0.1234567, kStatusQuoteRead},
        // The integer part is capped at 999,999,999.
        {"Kurs: 12345678901,5", "Kurs:", false, true, 999999999.5, kStatusQuoteRead},
        // The walk back stops at the end of the recognition text, so its digits are not
        // part of the price ("Kurs 2" then "3,5" gives 3,5, not 23,5).
        {"Kurs 23,5", "Kurs 2", false, true, 3.5, kStatusQuoteRead},
        // A minus sign stops the walk like any other character.
        {"Kurs: -4,5", "Kurs:", false, true, 4.5, kStatusQuoteRead},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        const PriceExtraction r = ExtractQuotePrice(c.page, c.recognition, c.decimalPoint);
        EXPECT_EQ(r.found, c.found);
        EXPECT_EQ(r.status, c.status);
        if (c.found) {
            EXPECT_DOUBLE_EQ(r.price, c.price);
        }
    }
}

TEST(InternetQuotePrice, UpperCaseSearchLeavesUmlautBytesAlone) {
    // Only ASCII letters are folded: "Ä" (UTF-8) in the page does not match "ä" in the
    // recognition text, but "KURSÄNDERUNG" matches "KursÄnderung".
    EXPECT_EQ(ExtractQuotePrice("Kursänderung 1,5", "KursÄnderung", false).status,
              kStatusTextNotFound);
    const PriceExtraction r = ExtractQuotePrice("KURSÄNDERUNG 1,5", "KursÄnderung", false);
    EXPECT_TRUE(r.found);
    EXPECT_DOUBLE_EQ(r.price, 1.5);
}

TEST(InternetQuotePrice, LongDigitRunIsReadInOnePass) {
    // Two million digits before the separator: capped, and done without quadratic copying.
    const std::string page = "Kurs: " + std::string(2'000'000, '7') + ",25";
    const PriceExtraction r = ExtractQuotePrice(page, "Kurs:", false);
    EXPECT_TRUE(r.found);
    EXPECT_DOUBLE_EQ(r.price, 999999999.25);
}

TEST(InternetQuoteAddress, Split) {
    struct Case {
        const char* url;
        std::optional<QuoteAddress> expected;
    };
    const Case cases[] = {
        {"http://kurse.example/aktie?wkn=123", QuoteAddress{"kurse.example", "aktie?wkn=123"}},
        {"HTTP://Kurse.Example/A", QuoteAddress{"Kurse.Example", "A"}},
        {"hTtP://h:8080/x/y", QuoteAddress{"h:8080", "x/y"}},
        // Exactly 8 characters, empty object.
        {"http://h/", QuoteAddress{"h", ""}},
        {"http://a", std::nullopt},  // 8 characters but no "/" after the host
        {"http://", std::nullopt},   // too short
        {"", std::nullopt},
        // https is fetched too, letter case ignored; "https:/" is neither scheme.
        {"https://kurse.example/a", QuoteAddress{"kurse.example", "a", true}},
        {"HTTPS://h:8443/", QuoteAddress{"h:8443", "", true}},
        {"https://h", std::nullopt},
        {"https:///a", std::nullopt},
        {"https:/h/a", std::nullopt},
        {"httpx://h/a", std::nullopt},
        {"ftp://kurse.example/a", std::nullopt},
        {"http://kurse.example", std::nullopt},
        {"http:///aktie", std::nullopt},  // "/" right at the start: no host
        {" http://kurse.example/a", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(SplitQuoteAddress(c.url), c.expected);
    }
}

TEST(InternetQuoteAddress, RequestUrl) {
    struct Case {
        QuoteAddress address;
        const char* url;
    };
    const Case cases[] = {
        {{"kurse.example", "aktie?wkn=123&x=%41#a"}, "http://kurse.example/aktie?wkn=123&x=%41#a"},
        {{"h:8443", "", true}, "https://h:8443/"},
        // "Müller AG" in UTF-8: ü = C3 BC, the space 20; a tab 09 and DEL 7F likewise.
        {{"h", "q=M\xc3\xbcller AG"}, "http://h/q=M%C3%BCller%20AG"},
        {{"h", "a\tb\x7f"}, "http://h/a%09b%7F"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(QuoteRequestUrl(c.address), c.url);
    }
}

TEST(InternetQuoteEntities, Decoding) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"K&auml;se &ouml;l &uuml;ber", "Käse öl über"},
        {"&Auml;&Ouml;&Uuml;&szlig;", "ÄÖÜß"},
        {"&auml;&auml;", "ää"},
        // Only these seven: &amp; stays, so "&amp;auml;" is not turned into "&auml;" or "ä".
        {"&amp;auml;", "&amp;auml;"},
        {"&nbsp;&AUML;&auml", "&nbsp;&AUML;&auml"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(DecodePageEntities(c.in), c.out);
    }
}

TEST(InternetQuoteTexts, Progress) {
    EXPECT_EQ(FastProgressText(0, 12), "\r\nFortschritt: 0/12");
    EXPECT_EQ(BrowserProgressText(3, 12), "Fortschritt:\r\n3/12");
}

TEST(InternetQuoteItems, HeldEnabledSecuritiesByNameIgnoringCase) {
    DocBuilder b;
    // Document order: Zebra, beta, Alpha, GOLD, gold, Off, Sold, Never.
    const int32_t zebra = b.Security("Zebra");
    const int32_t beta = b.Security("beta");
    const int32_t alpha = b.Security("Alpha");
    const int32_t goldUpper = b.Security("GOLD");
    const int32_t goldLower = b.Security("gold");
    const int32_t off = b.Security("Off");
    const int32_t sold = b.Security("Sold");
    const int32_t never = b.Security("Never");
    for (const int32_t s : {zebra, beta, alpha, goldUpper, goldLower, off, sold, never}) {
        b.doc.FindSecurity(s)->internetImport = s == off ? 0 : 1;
        if (s != never && s != sold) b.Buy(Day(10, 1, 2020), s, 1, 5.0);
    }
    // Sold on 20.1.: held up to 19.1.
    const testing::Made soldLot = b.Buy(Day(10, 1, 2020), sold, 1, 5.0);
    b.Sell(Day(20, 1, 2020), sold, {{soldLot.positionNo, 1}}, 6.0);

    // Equal names keep document order; "Off" is held but not enabled, "Never" never held.
    EXPECT_EQ(InternetQuoteSecurities(b.doc, Day(15, 1, 2020)),
              (std::vector<int32_t>{alpha, beta, goldUpper, goldLower, sold, zebra}));
    EXPECT_EQ(InternetQuoteSecurities(b.doc, Day(25, 1, 2020)),
              (std::vector<int32_t>{alpha, beta, goldUpper, goldLower, zebra}));
    // Before any purchase nothing is held.
    EXPECT_EQ(InternetQuoteSecurities(b.doc, Day(9, 1, 2020)), std::vector<int32_t>{});
}

}  // namespace
}  // namespace pf
