// Writing and reading the current file version: byte-exact round trips, the encodings of
// strings, counts, tags and the password record, and the refusal of texts the file cannot
// hold.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>
#include <utility>

#include "model/archive/archive_test_util.h"
#include "model/archive/archive_writer.h"
#include "model/archive/byte_builder.h"
#include "model/archive/document_compare.h"
#include "model/archive/old_file_builder.h"

namespace pf::testing {
namespace {

using namespace std::string_literals;

std::string Hex(const std::string& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
        out += ' ';
    }
    return out;
}

template <class Tuple>
void ExpectEveryFieldDiffers(const Tuple& actual, const Tuple& other) {
    const auto differs = [](const auto& a, const auto& b, size_t field) {
        EXPECT_NE(a, b) << "field " << field;
    };
    [&]<size_t... I>(std::index_sequence<I...>) {
        (differs(std::get<I>(actual), std::get<I>(other), I), ...);
    }
    (std::make_index_sequence<std::tuple_size_v<Tuple>>{});
}

TEST(RoundTrip, FullDocumentSurvivesSaveLoadSaveByteForByte) {
    const CFolari2Doc doc = MakeFullDocument();
    const std::string first = WriteDocument(doc);
    const ReadResult r = Read(first, "Geheim-ß");
    EXPECT_EQ(r.version, kCurrentFileVersion);
    EXPECT_FALSE(r.olderVersion);
    EXPECT_EQ(r.unreadBytes, 0u);
    EXPECT_FALSE(r.doc.IsModified());
    ExpectSameDocument(r.doc, doc);
    EXPECT_EQ(WriteDocument(r.doc), first);
}

TEST(RoundTrip, FullDocumentKeepsItsContents) {
    // Spot checks that the fixture really exercises what the round trip claims to cover.
    const CFolari2Doc doc = MakeFullDocument();
    EXPECT_EQ(doc.currencies.size(), 13u);  // EUR, eleven legacy currencies, USD
    EXPECT_EQ(doc.transactions.size(), 6u);
    EXPECT_EQ(doc.securities[0].remarks.size(), 300u + 2 + 70000);
    EXPECT_EQ(doc.depot.holderName, "Jürgen Weiß");
    EXPECT_EQ(doc.options.thousandsSeparator, "");
    EXPECT_GT(doc.options.settingsSlots.ints.size(), 5u);
    // Both lists of integers of the settings block are named: the selection and the
    // transaction filter's movement kinds.
    EXPECT_TRUE(doc.options.settingsSlots.intLists.empty());
    EXPECT_EQ(doc.options.trailerSlots.intLists.size(), 2u);
    // A report option left at its default would not show that it is stored at all.
    const DocumentOptions defaults;
    ExpectEveryFieldDiffers(Fields(doc.options.tables), Fields(defaults.tables));
    ExpectEveryFieldDiffers(Fields(doc.options.holdings), Fields(defaults.holdings));
    ExpectEveryFieldDiffers(Fields(doc.options.realized), Fields(defaults.realized));
    ExpectEveryFieldDiffers(Fields(doc.options.transactions), Fields(defaults.transactions));
    ExpectEveryFieldDiffers(Fields(doc.options.movements), Fields(defaults.movements));
    ExpectEveryFieldDiffers(Fields(doc.options.reports), Fields(defaults.reports));
    ExpectEveryFieldDiffers(Fields(doc.options.gainLoss), Fields(defaults.gainLoss));
    ExpectEveryFieldDiffers(Fields(doc.options.performance), Fields(defaults.performance));
    ExpectEveryFieldDiffers(Fields(doc.options.returns), Fields(defaults.returns));
    ExpectEveryFieldDiffers(Fields(doc.options.lists), Fields(defaults.lists));
    ExpectEveryFieldDiffers(Fields(doc.options.development), Fields(defaults.development));
    ExpectEveryFieldDiffers(Fields(doc.options.quotes), Fields(defaults.quotes));
    ExpectEveryFieldDiffers(Fields(doc.options.analysis), Fields(defaults.analysis));
    ExpectEveryFieldDiffers(Fields(doc.options.securitiesList), Fields(defaults.securitiesList));
    ExpectEveryFieldDiffers(Fields(doc.options.diagramsAppearance),
                            Fields(defaults.diagramsAppearance));
    ExpectEveryFieldDiffers(Fields(doc.options.chart), Fields(defaults.chart));
    ExpectEveryFieldDiffers(Fields(doc.options.diagrams), Fields(defaults.diagrams));
    EXPECT_NE(doc.options.isinLabel, defaults.isinLabel);
    EXPECT_EQ(doc.options.selectedSecurityIds.size(), 2u);
}

TEST(RoundTrip, NewDocumentStartsWithTheHeaderAndVersion) {
    CFolari2Doc doc;
    doc.NewDocument({}, Day(1, 1, 2024));
    const std::string bytes = WriteDocument(doc);
    EXPECT_EQ(bytes.substr(0, 22), std::string("\x11Portfolaris2Datei\x89\xD2\xE9\x01", 22));
    const ReadResult r = Read(bytes);
    EXPECT_EQ(WriteDocument(r.doc), bytes);
    EXPECT_FALSE(r.doc.options.scaleNotYetDetermined);  // the file stores the factor
}

TEST(Encoding, StringLengthPrefixes) {
    struct Case {
        size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, "00"},
        {254, "FE"},
        {255, "FF FF 00"},
        {0xFFFD, "FF FD FF"},
        {0xFFFE, "FF FF FF FE FF 00 00"},
        {0x10000, "FF FF FF 00 00 01 00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        ArchiveWriter w;
        w.Str(std::string(c.length, 'a'), "Test");
        const std::string prefix = w.Bytes().substr(0, w.Bytes().size() - c.length);
        EXPECT_EQ(Hex(prefix), c.prefix + " ");
    }
}

TEST(Encoding, ListCounts) {
    ArchiveWriter w;
    w.Count(0xFFFE);
    w.Count(0xFFFF);
    EXPECT_EQ(Hex(w.Bytes()), "FE FF FF FF FF FF 00 00 ");
}

TEST(Encoding, TextIsWindows1252InTheFile) {
    ArchiveWriter w;
    w.Str("Öl € ß", "Test");
    EXPECT_EQ(Hex(w.Bytes()), "06 D6 6C 20 80 20 DF ");
}

TEST(Encoding, SixteenBitStringsAreReadAndConverted) {
    ByteBuilder holder;
    // "Zürich €" and one character outside Windows-1252 (Greek Omega), which becomes "?".
    holder.WideS(u"Z\u00FCrich \u20AC\u03A9");
    const std::string wide = holder.out;
    OldFile file = BuildOldFile(kCurrentFileVersion);
    // The holder name is the first string after the counters; replace it by its 16-bit form.
    const std::string narrow = "\x03T1\xE4";
    const size_t at = file.bytes.find(narrow);
    ASSERT_NE(at, std::string::npos);
    file.bytes.replace(at, narrow.size(), wide);
    const ReadResult r = Read(file.bytes);
    EXPECT_EQ(r.doc.depot.holderName, "Zürich €?");
    EXPECT_EQ(r.unreadBytes, 0u);
}

TEST(Encoding, TextsOutsideWindows1252AreRefusedNamingTheField) {
    CFolari2Doc doc;
    doc.NewDocument({}, Day(1, 1, 2024));
    CFL2Wertpapier s;
    s.name = "Aktie Ω";
    s.wkn = "1";
    doc.AddSecurity(s);
    try {
        WriteDocument(doc);
        FAIL() << "written";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.Kind(), ArchiveErrorKind::Unstorable);
        EXPECT_NE(std::string(e.what()).find("Bezeichnung des Wertpapiers"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("Aktie Ω"), std::string::npos);
    }

    CFolari2Doc separators;
    separators.NewDocument({}, Day(1, 1, 2024));
    separators.options.thousandsSeparator = "''";
    EXPECT_THROW(WriteDocument(separators), ArchiveError);
    separators.options.thousandsSeparator = "€";  // one byte in the file
    EXPECT_NO_THROW(WriteDocument(separators));
}

TEST(Encoding, ObjectTagsNumberClassesAndObjectsTogether) {
    // Two kinds and one transaction with one allocation: class 1, objects 2 and 3 (class
    // referenced as 0x8001), then class 4 (transaction), object 5, class 6 (allocation), 7.
    CFolari2Doc doc;
    doc.AddAccountMovementKind("A", false, false, false);
    doc.AddAccountMovementKind("B", true, false, false);
    CFL2Transaktion t;
    t.id = 0;
    t.allocations = {{1, 2, 3}};
    doc.InsertTransactionSorted(t, false);
    const std::string bytes = WriteDocument(doc);
    const std::string kinds =
        "\x02\x00\xFF\xFF\x01\x00\x10\x00"
        "CFL2KontoVorgang"s;
    const size_t at = bytes.find(kinds);
    ASSERT_NE(at, std::string::npos);
    const size_t second = at + kinds.size() + 4 * 3 + 2 + 4;  // first kind: 3 flags, "A", id
    EXPECT_EQ(Hex(bytes.substr(second, 2)), "01 80 ");
    EXPECT_NE(bytes.find("\xFF\xFF\x02\x00\x0F\x00"
                         "CFL2Transaktion"s),
              std::string::npos);
    EXPECT_NE(bytes.find("\xFF\xFF\x01\x00\x0B\x00"
                         "CFL2PosInfo"s),
              std::string::npos);
    const ReadResult r = Read(bytes);
    ASSERT_EQ(r.doc.transactions.size(), 1u);
    EXPECT_EQ(r.doc.transactions[0].allocations, t.allocations);
}

TEST(Encoding, MoreThan32766ObjectsUseTheEscapeTag) {
    const CFolari2Doc doc = MakeDocumentWithQuotes(40000);
    const std::string bytes = WriteDocument(doc);
    // The tax categories come after 40,000 quotes: their class index needs 32 bits, so the
    // second category refers to it as 0x7FFF followed by the index with bit 31 set.
    const size_t category = bytes.find("CFL2StPflKateg");
    ASSERT_NE(category, std::string::npos);
    const size_t escape = bytes.find("\xFF\x7F", category);
    ASSERT_NE(escape, std::string::npos);
    EXPECT_EQ(static_cast<unsigned char>(bytes[escape + 5]) & 0x80, 0x80);
    const ReadResult r = Read(bytes);
    ASSERT_EQ(r.doc.securities.size(), 1u);
    EXPECT_EQ(r.doc.securities[0].quotes.size(), 40000u);
    EXPECT_EQ(r.doc.securities[0].quotes[39999].value, 40000.0);
    EXPECT_EQ(r.doc.taxCategories.size(), 5u);
    EXPECT_EQ(WriteDocument(r.doc), bytes);
}

// A security list with one security whose quotes `writeQuotes` writes, in a file of its own.
std::string FileWithQuotes(const std::function<void(ByteBuilder&)>& writeQuotes,
                           int securities = 1) {
    return BuildFileWithCollections([&](ByteBuilder& out) {
               out.Count(0).Count(0).Count(0);  // kinds, transactions, currencies
               out.Count(static_cast<uint32_t>(securities));
               for (int s = 0; s < securities; ++s) {
                   out.ObjectTag("CFL2Wertpapier", 4);
                   out.S("Papier " + std::to_string(s)).S("").S(std::to_string(s)).I(s).I(0).I(0);
                   out.S("").S("").S("").S("").S("").I(0).I(0).S("").I(1).I(0);
                   writeQuotes(out);
               }
               for (int i = 0; i < 4; ++i) out.Count(0);
           })
        .bytes;
}

TEST(Encoding, BackReferencesYieldCopies) {
    // Numbering: security class 1, first security 2, quote class 3, quotes 4 and 5, second
    // security 6. The second security's list refers back to both quotes, once by a short
    // tag and once by the escape form.
    bool first = true;
    const std::string bytes = FileWithQuotes(
        [&](ByteBuilder& out) {
            out.Count(2);
            if (first) {
                out.ObjectTag("CFL2Kurs", 1);
                out.D(12.5).U32(100);
                out.ObjectTag("CFL2Kurs", 1);
                out.D(13.5).U32(200);
            } else {
                out.BackReference(4);
                out.U16(0x7FFF).U32(5);
            }
            first = false;
        },
        2);
    const ReadResult r = Read(bytes);
    EXPECT_EQ(r.unreadBytes, 0u);
    ASSERT_EQ(r.doc.securities.size(), 2u);
    EXPECT_EQ(r.doc.securities[1].quotes, r.doc.securities[0].quotes);
    ASSERT_EQ(r.doc.securities[1].quotes.size(), 2u);
    EXPECT_EQ(r.doc.securities[1].quotes[1], (CFL2Kurs{CQRNDatum(200), 13.5}));
    EXPECT_FALSE(r.doc.IsModified());
}

TEST(Reading, QuoteHistoryOutOfOrderIsRepairedAndMarksTheDocumentModified) {
    // Only a damaged file holds this: the later of two quotes on one date wins, as if they
    // had been entered one after the other.
    const std::string bytes = FileWithQuotes([](ByteBuilder& out) {
        out.Count(3);
        for (const auto& [day, value] : {std::pair{200u, 2.0}, {100u, 1.0}, {100u, 1.5}}) {
            out.ObjectTag("CFL2Kurs", 1);
            out.D(value).U32(day);
        }
    });
    const ReadResult r = Read(bytes);
    const QuoteHistory& quotes = r.doc.securities[0].quotes;
    ASSERT_EQ(quotes.size(), 2u);
    EXPECT_EQ(quotes[0], (CFL2Kurs{CQRNDatum(100), 1.5}));
    EXPECT_EQ(quotes[1], (CFL2Kurs{CQRNDatum(200), 2.0}));
    EXPECT_TRUE(r.doc.IsModified());
}

TEST(Password, StoredFormOfTheRecord) {
    CFolari2Doc doc;
    doc.password = {"ab", 1};
    const std::string bytes = WriteDocument(doc);
    const size_t at = 1 + 17 + 4;  // after header and version
    ByteBuilder expected;
    expected.I(1).U32(2 + 417).U32(615274093);
    expected.U32('a' + 418305927).U32(23).U32('b' + 47 + 418305927).U32(24);
    EXPECT_EQ(Hex(bytes.substr(at, expected.out.size())), Hex(expected.out));

    doc.password = {"ab", 0};
    const std::string open = WriteDocument(doc);
    ByteBuilder unprotected;
    unprotected.I(0).U32(2 + 417).U32(540918362);
    unprotected.U32('a' + 418305927).U32(57).U32('b' + 47 + 418305927).U32(58);
    EXPECT_EQ(Hex(open.substr(at, unprotected.out.size())), Hex(unprotected.out));
}

TEST(Password, ProtectedFileAsksAndOpensOnlyWithTheRightPassword) {
    CFolari2Doc doc;
    doc.NewDocument({}, Day(1, 1, 2024));
    doc.password = {"Äpfel", 1};
    const std::string bytes = WriteDocument(doc);

    int asked = 0;
    ReadSettings settings;
    settings.today = Day(1, 1, 2024);
    settings.askPassword = [&]() -> std::optional<std::string> {
        ++asked;
        return "Äpfel";
    };
    EXPECT_EQ(ReadDocument(AsBytes(bytes), settings).doc.password.password, "Äpfel");
    EXPECT_EQ(asked, 1);

    for (const auto& typed : {std::optional<std::string>("äpfel"), std::optional<std::string>(""),
                              std::optional<std::string>()}) {
        settings.askPassword = [&]() { return typed; };
        try {
            ReadDocument(AsBytes(bytes), settings);
            FAIL() << "opened";
        } catch (const ArchiveError& e) {
            EXPECT_EQ(e.Kind(), ArchiveErrorKind::WrongPassword);
            EXPECT_STREQ(OpenErrorMessage(e.Kind()), "Fehler beim Öffnen des Dokuments.");
        }
    }
}

TEST(Password, UnprotectedFileDoesNotAsk) {
    CFolari2Doc doc;
    doc.NewDocument({}, Day(1, 1, 2024));
    doc.password = {"egal", 0};
    int asked = 0;
    ReadSettings settings;
    settings.askPassword = [&]() -> std::optional<std::string> {
        ++asked;
        return std::nullopt;
    };
    const ReadResult r = ReadDocument(AsBytes(WriteDocument(doc)), settings);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(r.doc.password.password, "egal");
}

TEST(Password, ClearedFlagWithProtectedCheckWordsStaysProtected) {
    CFolari2Doc doc;
    doc.password = {"xy", 1};
    std::string bytes = WriteDocument(doc);
    const size_t flag = 1 + 17 + 4;
    bytes[flag] = 0;  // someone cleared the flag but not the check words
    EXPECT_THROW(Read(bytes), ArchiveError);
    EXPECT_EQ(Read(bytes, "xy").doc.password.protectionActive, 1);

    // Only the per-character check word gives it away.
    CFolari2Doc open;
    open.password = {"xy", 0};
    std::string tampered = WriteDocument(open);
    tampered[flag + 12 + 4] = 99;
    EXPECT_THROW(Read(tampered), ArchiveError);
}

TEST(Reading, OutOfOrderTransactionsAreSortedAndMarkTheDocumentModified) {
    CFolari2Doc doc;
    doc.NewDocument({}, Day(1, 1, 2024));
    for (const auto& [id, type, day] :
         {std::tuple{0, TransactionType::Sell, 5u}, std::tuple{1, TransactionType::Buy, 5u},
          std::tuple{2, TransactionType::Buy, 3u}, std::tuple{3, TransactionType::Buy, 5u}}) {
        CFL2Transaktion t;
        t.id = id;
        t.type = type;
        t.date = Day(day, 1, 2024);
        doc.transactions.push_back(t);  // stored in this order on purpose
    }
    const ReadResult r = Read(WriteDocument(doc));
    std::vector<int32_t> ids;
    for (const CFL2Transaktion& t : r.doc.transactions) ids.push_back(t.id);
    EXPECT_EQ(ids, (std::vector<int32_t>{2, 1, 3, 0}));
    EXPECT_TRUE(r.doc.IsModified());
}

TEST(Reading, FirstGenerationAndForeignHeaders) {
    ByteBuilder v1;
    v1.S("PortfolarisDatei.1.05").U32(1);
    try {
        Read(v1.out);
        FAIL();
    } catch (const ArchiveError& e) {
        // Read as a first-generation file, which ends in its password record.
        EXPECT_EQ(e.Kind(), ArchiveErrorKind::EndOfFile);
    }
    EXPECT_TRUE(IsFirstGenerationHeader("PortfolarisDatei.1."));
    EXPECT_TRUE(IsFirstGenerationHeader("PortfolarisDatei.1.anything"));
    EXPECT_FALSE(IsFirstGenerationHeader("PortfolarisDatei.2."));

    ByteBuilder foreign;
    foreign.S("Tabellenkalkulation").U32(kCurrentFileVersion);
    try {
        Read(foreign.out);
        FAIL();
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.Kind(), ArchiveErrorKind::BadHeader);
        EXPECT_STREQ(OpenErrorMessage(e.Kind()), "Unerwartetes Dateiformat.");
    }
}

}  // namespace
}  // namespace pf::testing
