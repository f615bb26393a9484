#include "model/archive/document_file.h"

#include "model/archive/archive_reader.h"
#include "model/archive/archive_writer.h"
#include "model/archive/first_generation.h"
#include "model/archive/record_io.h"
#include "model/archive/settings_layout.h"
#include "model/text_codec.h"
#include "platform/file_bytes.h"
#include "platform/file_io.h"

namespace pf {

namespace {

// The password is kept in an obscured form: each character shifted by its position, with
// check words that reveal tampering with the protection flag.
constexpr uint32_t kLengthOffset = 417;
constexpr uint32_t kCharacterOffset = 418305927;
constexpr uint32_t kPositionFactor = 47;
constexpr uint32_t kCheckProtected = 615274093;
constexpr uint32_t kCheckUnprotected = 540918362;
constexpr uint32_t kCharCheckProtected = 23;
constexpr uint32_t kCharCheckUnprotected = 57;

void WritePassword(ArchiveWriter& io, const CQRNKennwort& record) {
    const std::string bytes = ArchiveWriter::Encode(record.password, "Kennwort");
    const bool on = record.protectionActive != 0;
    io.Int(record.protectionActive);
    io.U32(static_cast<uint32_t>(bytes.size()) + kLengthOffset);
    io.U32(on ? kCheckProtected : kCheckUnprotected);
    for (uint32_t i = 0; i < bytes.size(); ++i) {
        io.U32(static_cast<unsigned char>(bytes[i]) + kPositionFactor * i + kCharacterOffset);
        io.U32(i + (on ? kCharCheckProtected : kCharCheckUnprotected));
    }
}

CQRNKennwort ReadPassword(ArchiveReader& io) {
    CQRNKennwort record;
    io.Int(record.protectionActive);
    const uint32_t length = io.U32() - kLengthOffset;
    if (static_cast<uint64_t>(length) * 8 > io.Remaining())
        io.Fail(ArchiveErrorKind::EndOfFile, "Kennwort länger als die Datei");
    bool checksUnprotected = io.U32() == kCheckUnprotected;
    std::string bytes(length, '\0');
    for (uint32_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<char>(io.U32() - kPositionFactor * i - kCharacterOffset);
        checksUnprotected = io.U32() == i + kCharCheckUnprotected && checksUnprotected;
    }
    // A cleared flag with check words that do not belong to it means the flag was tampered
    // with: the file stays protected.
    if (record.protectionActive == 0 && !checksUnprotected) record.protectionActive = 1;
    record.password = Windows1252ToUtf8(bytes);
    return record;
}

// Asks for the password of a protected file; throws WrongPassword unless it is typed right.
void CheckPassword(const CQRNKennwort& record, const ReadSettings& settings) {
    if (record.protectionActive == 0) return;
    const std::optional<std::string> typed =
        settings.askPassword ? settings.askPassword() : std::nullopt;
    if (!typed || *typed != record.password)
        throw ArchiveError(ArchiveErrorKind::WrongPassword,
                           typed ? "Das Kennwort ist falsch." : "Kein Kennwort eingegeben.");
}

// A first-generation file: the password record as in a current file, then the old data,
// converted into a new portfolio.
ReadResult ReadFirstGenerationFile(ArchiveReader& io, const ReadSettings& settings) {
    // The detail of a format error names the kind of file, since the user opened a file
    // that the program has to convert.
    const auto named = [](const ArchiveError& e) {
        return ArchiveError(e.Kind(), "Portfolaris1-Datei: " + e.Detail());
    };
    ReadResult result;
    CQRNKennwort password;
    try {
        password = ReadPassword(io);
    } catch (const ArchiveError& e) {
        throw named(e);
    }
    CheckPassword(password, settings);
    FirstGenerationImport import;
    try {
        ConvertFirstGeneration(io, password, settings.today, result.doc, import);
    } catch (const ArchiveError& e) {
        throw named(e);
    }
    result.firstGeneration = import;
    result.unreadBytes = io.Remaining();
    return result;
}

template <class Io, class Doc>
void Counters(Io& io, Doc& doc) {
    io.Int(doc.nextKindId);
    io.Int(doc.nextPositionNo);
    io.Int(doc.nextTransactionId);
    io.Int(doc.nextCurrencyId);
    io.Int(doc.nextSecurityId);
}

template <class Io, class Doc>
void Collections(Io& io, Doc& doc) {
    using record_io::TransferList;
    TransferList(io, doc.accountMovementKinds, ClassId::KontoVorgang);
    TransferList(io, doc.transactions, ClassId::Transaktion);
    TransferList(io, doc.currencies, ClassId::Waehrung);
    TransferList(io, doc.securities, ClassId::Wertpapier);
    if (io.After(20101003)) TransferList(io, doc.accountCurrencyChanges, ClassId::KtoWUmst);
    if (io.After(20101006)) TransferList(io, doc.speculationPeriodChanges, ClassId::SpekFristUmst);
    if (io.After(30001000)) TransferList(io, doc.stopTargets, ClassId::StoppZielKurs);
    if (io.After(31501000)) TransferList(io, doc.taxCategories, ClassId::StPflKateg);
}

}  // namespace

bool IsFirstGenerationHeader(std::string_view header) {
    return header.substr(0, kFirstGenerationHeader.size()) == kFirstGenerationHeader;
}

ReadResult ReadDocument(std::span<const uint8_t> bytes, const ReadSettings& settings) {
    ArchiveReader io(bytes);
    const std::string header = io.RawStr();
    if (IsFirstGenerationHeader(header)) return ReadFirstGenerationFile(io, settings);
    if (header != kFileHeader) io.Fail(ArchiveErrorKind::BadHeader, "Keine Portfolaris-Datei");

    ReadResult result;
    CFolari2Doc& doc = result.doc;
    doc.options = DefaultOptions(settings.today);
    io.version = io.U32();
    result.version = io.version;

    doc.password = ReadPassword(io);
    CheckPassword(doc.password, settings);
    if (io.After(20101007)) {
        io.Date(doc.options.periodFromDate);
        io.Date(doc.options.periodToDate);
    }
    result.olderVersion = io.version < kCurrentFileVersion;

    Counters(io, doc);
    TransferSettingsBlock(io, doc);
    Collections(io, doc);
    TransferTrailer(io, doc);
    result.unreadBytes = io.Remaining();

    if (io.After(20101001)) AdjustOldColumnMasks(doc.options, io.version);
    doc.SetModified(false);
    doc.ResortTransactions();  // marks the document modified if it had to
    // Quote histories must be strictly ascending for their binary searches; only a damaged
    // file breaks that, and then the history is put back in order.
    bool reordered = false;
    for (CFL2Wertpapier& s : doc.securities) reordered |= s.quotes.Normalise();
    for (CFL2Waehrung& c : doc.currencies) reordered |= c.rates.Normalise();
    if (reordered) doc.SetModified(true);
    doc.RebuildSplitLists();
    return result;
}

std::string WriteDocument(const CFolari2Doc& doc) {
    ArchiveWriter io;
    io.RawStr(std::string(kFileHeader));
    io.U32(kCurrentFileVersion);
    WritePassword(io, doc.password);
    io.Date(doc.options.periodFromDate);
    io.Date(doc.options.periodToDate);
    Counters(io, doc);
    TransferSettingsBlock(io, doc);
    Collections(io, doc);
    TransferTrailer(io, doc);
    return io.TakeBytes();
}

ReadResult LoadDocumentFile(const std::filesystem::path& path, const ReadSettings& settings) {
    FileBytes bytes;
    std::string error;
    if (!bytes.Read(path, error)) throw ArchiveError(ArchiveErrorKind::FileError, error);
    return ReadDocument(bytes.Bytes(), settings);
}

void SaveDocumentFile(const CFolari2Doc& doc, const std::filesystem::path& path, bool keepBackup) {
    const std::string bytes = WriteDocument(doc);
    std::string error;
    WriteOptions options;
    options.keepBackup = keepBackup;
    if (!WriteFileAtomically(path, bytes, error, options))
        throw ArchiveError(ArchiveErrorKind::FileError, error);
}

}  // namespace pf
