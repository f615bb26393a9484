// Writes the starting corpus of the reader fuzzer into the folder given as the argument:
// whole files of a few kinds, the same files cut short at several sizes, and two variants
// that reach paths the writer never produces (a back reference, older version numbers);
// and first-generation files, which the reader converts.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/archive/document_file.h"
#include "model/archive/first_generation_writer.h"
#include "support/full_document.h"

namespace {

namespace fs = std::filesystem;

bool Write(const fs::path& folder, const std::string& name, const std::string& bytes) {
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) std::fprintf(stderr, "make_fuzz_seeds: cannot write %s\n", name.c_str());
    return static_cast<bool>(out);
}

uint16_t U16At(const std::string& bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 static_cast<unsigned char>(bytes[at + 1]) << 8);
}

void PutU16(std::string& bytes, size_t at, uint16_t v) {
    bytes[at] = static_cast<char>(v & 0xFF);
    bytes[at + 1] = static_cast<char>(v >> 8);
}

// The second quote of the file's first quote list is replaced by a tag that refers back to
// the first quote, which the reader then reads again. A back reference takes no number of
// its own, so no object may follow in the file (their tags would be off by one).
std::string WithBackReference(std::string bytes) {
    constexpr size_t kQuoteBytes = 12;  // value and date
    const size_t name = bytes.find("CFL2Kurs");
    if (name == std::string::npos) return {};
    const size_t second = name + 8 + kQuoteBytes;
    if (second + 2 + kQuoteBytes > bytes.size()) return {};
    const uint16_t classTag = U16At(bytes, second);
    if ((classTag & 0x8000) == 0) return {};
    const auto firstQuote = static_cast<uint16_t>((classTag & 0x7FFF) + 1);
    bytes.erase(second + 2, kQuoteBytes);
    PutU16(bytes, second, firstQuote);
    return bytes;
}

// The same bytes under another file version; the layout then no longer fits exactly,
// which is what the reader of that version has to cope with.
std::string WithVersion(std::string bytes, uint32_t version) {
    const size_t at = 1 + pf::kFileHeader.size();
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(version >> (8 * i));
    return bytes;
}

// A first-generation file with every kind of record: two quote histories, a sold lot with
// DM and euro sides, an open lot, a lot without history, and bookings around the switch to
// the euro, one of them a back reference to an earlier booking.
pf::testing::FlkFile FirstGenerationFile() {
    using pf::testing::Day;
    pf::testing::FlkFile f;
    f.depotNumber = "D-1";
    f.holderName = "Erika";
    f.startDate = Day(1, 7, 1998);
    f.switchDate = Day(1, 1, 2002);
    f.switchedToEuro = 1;
    f.startBalance = 500000;
    pf::testing::FlkLot sold{"Alpha", "1", 2, 5'000'000, {}, 2, {}};
    sold.purchase = {Day(15, 6, 1998), 10000, 1000, 1, 1, "Kauf"};
    sold.sale = {Day(15, 3, 2002), 12000, 500, 1, 0, "Verkauf"};
    pf::testing::FlkLot open{"Beta", "2", 10, 0, {}, 0, {}};
    open.purchase = {Day(10, 1, 1999), 4000, 1500, 0, 1, ""};
    pf::testing::FlkLot orphan = open;
    orphan.name = "Gamma";
    f.objects = {
        pf::testing::FlkHistory{"Alpha", "1", {{12345, Day(2, 7, 1998)}, {13000, Day(1, 3, 2002)}}},
        sold,
        pf::testing::FlkBooking{0, 26, 1000, 511, "Steuer", Day(1, 6, 1998)},
        pf::testing::FlkHistory{"Beta", "2", {{5000, Day(10, 1, 1999)}}},
        open,
        orphan,
        pf::testing::FlkBooking{0, 11, 2000, 1023, "", Day(20, 5, 1999)},
        pf::testing::FlkBooking{0, 99, 100, 51, "", Day(7, 1, 2002)},
    };
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
        return 2;
    }
    const fs::path folder = argv[1];
    std::error_code error;
    fs::create_directories(folder, error);

    pf::CFolari2Doc empty;
    empty.NewDocument({}, pf::testing::Day(1, 1, 2021));
    // The full document holds a text long enough for the longest length form, which makes
    // the file larger than the fuzzer's input limit; a variant with a short text fits.
    const pf::CFolari2Doc full = pf::testing::MakeFullDocument();
    pf::CFolari2Doc fullShort = full;
    fullShort.securities.front().remarks.resize(400);

    struct Seed {
        std::string name;
        std::string bytes;
    };
    std::vector<Seed> seeds = {
        {"empty", pf::WriteDocument(empty)},
        {"full", pf::WriteDocument(full)},
        {"full_short", pf::WriteDocument(fullShort)},
        {"quotes", pf::WriteDocument(pf::testing::MakeDocumentWithQuotes(300))},
    };

    bool ok = true;
    for (const Seed& seed : seeds) {
        ok &= Write(folder, seed.name + ".fl2", seed.bytes);
        const size_t size = seed.bytes.size();
        for (const size_t cut :
             {size_t{1}, size_t{18}, size_t{22}, size_t{64}, size_t{300}, size / 2, size - 1}) {
            if (cut < size)
                ok &= Write(folder, seed.name + "_cut" + std::to_string(cut) + ".fl2",
                            seed.bytes.substr(0, cut));
        }
    }
    pf::CFolari2Doc lastQuotes = pf::testing::MakeDocumentWithQuotes(300);
    lastQuotes.taxCategories.clear();
    const std::string backReference = WithBackReference(pf::WriteDocument(lastQuotes));
    if (backReference.empty()) {
        std::fprintf(stderr, "make_fuzz_seeds: no quote list found for the back reference\n");
        ok = false;
    } else {
        ok &= Write(folder, "quotes_back_reference.fl2", backReference);
    }
    pf::testing::FlkFile flk = FirstGenerationFile();
    const std::string flkBytes = pf::testing::WriteFlk(flk);
    ok &= Write(folder, "first_generation.flk", flkBytes);
    for (const size_t cut : {size_t{1}, size_t{25}, size_t{60}, flkBytes.size() / 2})
        ok &= Write(folder, "first_generation_cut" + std::to_string(cut) + ".flk",
                    flkBytes.substr(0, cut));
    // The last booking refers back to the first one (the first history takes class 1,
    // itself 2, its quote class 3 and the quotes 4 and 5; the lot class 6, the lot 7, the
    // booking class 8, the booking 9).
    flk.objects.pop_back();
    std::string withReference = pf::testing::WriteFlk(flk);
    withReference += std::string("\x09\x00", 2);
    // One more element in the list count: the count follows the options (two strings and
    // four integers) right before the first object's new-class tag.
    const size_t firstTag = withReference.find("CQRNKursverlauf") - 6;
    PutU16(withReference, firstTag - 2,
           static_cast<uint16_t>(U16At(withReference, firstTag - 2) + 1));
    ok &= Write(folder, "first_generation_back_reference.flk", withReference);
    flk.protectionActive = 1;
    flk.password = "Geheim-\xDF";
    ok &= Write(folder, "first_generation_protected.flk", pf::testing::WriteFlk(flk));
    for (const uint32_t version : {20101001u, 30001000u, 31001001u})
        ok &= Write(folder, "full_short_v" + std::to_string(version) + ".fl2",
                    WithVersion(seeds[2].bytes, version));
    return ok ? 0 : 1;
}
