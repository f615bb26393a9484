// Damaged and hostile files must end in a clean ArchiveError: never a crash, a hang or an
// allocation the file cannot justify.

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include "model/archive/archive_test_util.h"
#include "model/archive/byte_builder.h"
#include "model/archive/old_file_builder.h"

namespace pf::testing {
namespace {

// A real file of a few kilobytes with every record type in it.
std::string SmallRealFile() {
    CFolari2Doc doc = MakeFullDocument();
    doc.securities[0].remarks = "kurz";
    return WriteDocument(doc);
}

ArchiveErrorKind KindOfFailure(const std::string& bytes) {
    try {
        Read(bytes, "Geheim-ß");
    } catch (const ArchiveError& e) {
        return e.Kind();
    }
    ADD_FAILURE() << "the file was read";
    return ArchiveErrorKind::FileError;
}

TEST(Robustness, FileTruncatedAtEveryOffsetEndsEarly) {
    const std::string bytes = SmallRealFile();
    ASSERT_NO_THROW(Read(bytes, "Geheim-ß"));
    for (size_t length = 0; length < bytes.size(); ++length) {
        SCOPED_TRACE(length);
        EXPECT_EQ(KindOfFailure(bytes.substr(0, length)), ArchiveErrorKind::EndOfFile);
    }
}

TEST(Robustness, RandomByteChangesReadOrFailCleanly) {
    const std::string original = SmallRealFile();
    std::mt19937 random(20261210);
    std::uniform_int_distribution<size_t> position(0, original.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    int failures = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = original;
        const int changes = 1 + round % 3;
        for (int c = 0; c < changes; ++c) bytes[position(random)] = static_cast<char>(byte(random));
        try {
            Read(bytes, "Geheim-ß");
        } catch (const ArchiveError&) {
            ++failures;
        }
    }
    EXPECT_GT(failures, 0);  // the changes do reach the structure
}

// Object lists for a file: kinds, transactions, currencies, securities, then four more.
void KindList(ByteBuilder& out, const std::function<void(ByteBuilder&)>& kinds) {
    kinds(out);
    for (int i = 0; i < 7; ++i) out.Count(0);
}

void OneKind(ByteBuilder& out, const std::string& className, uint16_t schema) {
    out.Count(1);
    out.ObjectTag(className, schema);
    out.I(0).I(0).I(0).S("Art").I(0);
}

// A list of two kinds whose first is class 1 and object 2; the caller writes the second tag.
void TwoKinds(ByteBuilder& out) {
    out.Count(2);
    out.ObjectTag("CFL2KontoVorgang", 1);
    out.I(0).I(0).I(0).S("Art").I(0);
}

struct Case {
    const char* what;
    std::function<void(ByteBuilder&)> kinds;
    ArchiveErrorKind expected;
};

TEST(Robustness, HostileObjectListsAreRefused) {
    const Case cases[] = {
        {"unknown class name", [](ByteBuilder& o) { OneKind(o, "CFL2Unbekannt", 1); },
         ArchiveErrorKind::BadClass},
        {"class of another list", [](ByteBuilder& o) { OneKind(o, "CFL2Kurs", 1); },
         ArchiveErrorKind::BadClass},
        {"versionable class with a newer schema",
         [](ByteBuilder& o) { OneKind(o, "CFL2KontoVorgang", 2); }, ArchiveErrorKind::BadSchema},
        {"fixed class with another schema",
         [](ByteBuilder& o) {
             o.Count(0).Count(0).Count(0).Count(0);
             o.Count(1);
             o.ObjectTag("CFL2KtoWUmst", 2);
             o.I(0).U32(1);
             o.Count(0).Count(0).Count(0);
         },
         ArchiveErrorKind::BadSchema},
        {"class name longer than the data",
         [](ByteBuilder& o) { o.Count(1).U16(0xFFFF).U16(1).U16(60000).out += "CFL2"; },
         ArchiveErrorKind::EndOfFile},
        {"string prefix beyond the end",
         [](ByteBuilder& o) {
             o.Count(1);
             o.ObjectTag("CFL2KontoVorgang", 1);
             o.I(0).I(0).I(0).B(0xFF).U16(0xFFFF).U32(0x7FFFFFFF);
         },
         ArchiveErrorKind::EndOfFile},
        {"count far beyond the data", [](ByteBuilder& o) { o.U16(0xFFFF).U32(0xFFFFFFFF); },
         ArchiveErrorKind::EndOfFile},
        {"null object in a list", [](ByteBuilder& o) { o.Count(1).U16(0); },
         ArchiveErrorKind::BadClass},
        {"reference to an object never read", [](ByteBuilder& o) { o.Count(1).U16(5); },
         ArchiveErrorKind::BadIndex},
        {"reference to an unknown class", [](ByteBuilder& o) { o.Count(1).U16(0x8003); },
         ArchiveErrorKind::BadIndex},
        {"escaped reference beyond everything",
         [](ByteBuilder& o) { o.Count(1).U16(0x7FFF).U32(0x7FFFFFF0); },
         ArchiveErrorKind::BadIndex},
        {"object reference that names a class",
         [](ByteBuilder& o) {
             TwoKinds(o);
             o.BackReference(1);
         },
         ArchiveErrorKind::BadIndex},
        {"class reference that names an object",
         [](ByteBuilder& o) {
             TwoKinds(o);
             o.U16(0x8002);
         },
         ArchiveErrorKind::BadIndex},
        {"allocation that refers to the transaction holding it",
         [](ByteBuilder& o) {
             o.Count(0).Count(1);
             o.ObjectTag("CFL2Transaktion", 2);  // class 1, object 2
             o.I(0).I(20).I(0).I(0).I(0).D(0).S("").D(0).D(0).D(0).I(0).D(1).D(1).D(0);
             o.I(0).I(0).I(0).I(0).I(0).D(1).U64(0).U64(0).U64(0).U32(1);
             o.Count(1).BackReference(2);
         },
         ArchiveErrorKind::BadClass},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const OldFile file =
            BuildFileWithCollections([&](ByteBuilder& out) { KindList(out, c.kinds); });
        EXPECT_EQ(KindOfFailure(file.bytes), c.expected);
    }
}

TEST(Robustness, BackReferencesCannotMultiplyTheFile) {
    // A security with 2,000 quotes followed by 30,000 references back to it would copy
    // 60 million quotes; the reader stops once the copies outgrow the file.
    const OldFile file = BuildFileWithCollections([](ByteBuilder& out) {
        out.Count(0).Count(0).Count(0);
        out.Count(30001);
        const uint32_t security = out.ObjectTag("CFL2Wertpapier", 4);
        out.S("Bombe").S("").S("1").I(0).I(0).I(0).S("").S("").S("").S("").S("").I(0).I(0);
        out.S("").I(1).I(0);
        out.Count(2000);
        for (uint32_t i = 0; i < 2000; ++i) {
            out.ObjectTag("CFL2Kurs", 1);
            out.D(1.0).U32(i + 1);
        }
        for (int i = 0; i < 30000; ++i) out.BackReference(security);
        for (int i = 0; i < 4; ++i) out.Count(0);
    });
    EXPECT_EQ(KindOfFailure(file.bytes), ArchiveErrorKind::BadIndex);
}

// Two securities; the first has four quotes: day 101 to 104 with the values 1.5 to 4.5, the
// first stored with its class, the others with a reference to it, which the reader takes in
// one run. `secondQuotes` writes the second security's quote list and gets the object index
// of each of the four quotes. With `kindsBefore` account kinds in front, the quote class is
// numbered beyond 0x7FFF and its references take the long form.
std::string TwoQuoteHistories(
    uint32_t kindsBefore,
    const std::function<void(ByteBuilder&, const std::vector<uint32_t>&)>& secondQuotes) {
    return BuildFileWithCollections([&](ByteBuilder& out) {
               const auto security = [&out](const char* wkn) {
                   out.ObjectTag("CFL2Wertpapier", 4);
                   out.S("Aktie").S("").S(wkn).I(0).I(0).I(0).S("").S("").S("").S("").S("");
                   out.I(0).I(0).S("").I(1).I(0);
               };
               out.Count(kindsBefore);
               for (uint32_t i = 0; i < kindsBefore; ++i) {
                   out.ObjectTag("CFL2KontoVorgang", 1);
                   out.I(0).I(0).I(0).S("").I(static_cast<int32_t>(i));
               }
               out.Count(0).Count(0);
               out.Count(2);
               security("A");
               out.Count(4);
               std::vector<uint32_t> quotes;
               for (uint32_t i = 0; i < 4; ++i) {
                   quotes.push_back(out.ObjectTag("CFL2Kurs", 1));
                   out.D(1.5 + i).U32(101 + i);
               }
               security("B");
               secondQuotes(out, quotes);
               for (int i = 0; i < 4; ++i) out.Count(0);
           })
        .bytes;
}

// Without and with the long form of the quote class's tag.
constexpr uint32_t kKindsBefore[] = {0, 0x8000};

TEST(Robustness, ReferencesIntoAQuoteHistoryFindTheirQuote) {
    for (const uint32_t kinds : kKindsBefore) {
        SCOPED_TRACE(kinds);
        const std::string bytes =
            TwoQuoteHistories(kinds, [](ByteBuilder& out, const auto& quotes) {
                out.Count(5);
                out.BackReference(quotes[0]);  // stored with its class
                out.BackReference(quotes[2]);  // inside the run
                out.BackReference(quotes[3]);  // its last quote
                // A quote whose class tag takes the long form (needed or not) is read all the same.
                out.U16(0x7FFF).U32(0x80000000u | (quotes[0] - 1));
                out.D(9.25).U32(120);
                out.ObjectTag("CFL2Kurs", 1);
                out.D(10.75).U32(121);
            });
        const ReadResult read = Read(bytes);
        ASSERT_EQ(read.doc.securities.size(), 2u);
        EXPECT_EQ(read.doc.securities[0].quotes.Items(),
                  (std::vector<CFL2Kurs>{{CQRNDatum(101), 1.5},
                                         {CQRNDatum(102), 2.5},
                                         {CQRNDatum(103), 3.5},
                                         {CQRNDatum(104), 4.5}}));
        EXPECT_EQ(read.doc.securities[1].quotes.Items(),
                  (std::vector<CFL2Kurs>{{CQRNDatum(101), 1.5},
                                         {CQRNDatum(103), 3.5},
                                         {CQRNDatum(104), 4.5},
                                         {CQRNDatum(120), 9.25},
                                         {CQRNDatum(121), 10.75}}));
    }
}

TEST(Robustness, ReferencesBesideAQuoteHistoryAreRefused) {
    struct RefusedCase {
        const char* what;
        std::function<void(ByteBuilder&, const std::vector<uint32_t>&)> quotes;
        ArchiveErrorKind expected;
    };
    const RefusedCase cases[] = {
        {"the object after the last quote (the second security)",
         [](ByteBuilder& o, const auto& q) { o.Count(1).BackReference(q[3] + 1); },
         ArchiveErrorKind::BadClass},
        {"the class of the quotes",
         [](ByteBuilder& o, const auto& q) { o.Count(1).BackReference(q[0] - 1); },
         ArchiveErrorKind::BadIndex},
        {"an object not read yet",
         [](ByteBuilder& o, const auto& q) { o.Count(1).BackReference(q[3] + 2); },
         ArchiveErrorKind::BadIndex},
        // The zero count of the list after it then stands where the third quote's tag should.
        {"more quotes promised than stored",
         [](ByteBuilder& o, const auto&) {
             o.Count(3);
             for (int i = 0; i < 2; ++i) o.ObjectTag("CFL2Kurs", 1), o.D(1.0).U32(200 + i);
         },
         ArchiveErrorKind::BadClass},
    };
    for (const uint32_t kinds : kKindsBefore) {
        for (const RefusedCase& c : cases) {
            SCOPED_TRACE(c.what);
            SCOPED_TRACE(kinds);
            EXPECT_EQ(KindOfFailure(TwoQuoteHistories(kinds, c.quotes)), c.expected);
        }
    }
}

TEST(Robustness, PasswordLengthBeyondTheDataEndsEarly) {
    ByteBuilder out;
    out.S("Portfolaris2Datei").U32(32101001).I(1).U32(0xFFFFFFF0).U32(615274093);
    EXPECT_EQ(KindOfFailure(out.out), ArchiveErrorKind::EndOfFile);
    ByteBuilder shortLength;  // below the offset 417: a negative length
    shortLength.S("Portfolaris2Datei").U32(32101001).I(0).U32(3).U32(540918362);
    EXPECT_EQ(KindOfFailure(shortLength.out), ArchiveErrorKind::EndOfFile);
}

}  // namespace
}  // namespace pf::testing
