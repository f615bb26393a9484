#include "model/archive/archive_reader.h"

#include <algorithm>

#include "model/text_codec.h"
#include "platform/file_bytes.h"

namespace pf {

ArchiveReader::ArchiveReader(std::span<const uint8_t> data)
    : own_{data, 1, {}, {}, data.size()}, shared_(&own_), pos_(0), end_(data.size()) {
    // Object offsets are kept in 32 bits; no portfolio comes near that size.
    if (data.size() > UINT32_MAX) Fail(ArchiveErrorKind::FileError, "Die Datei ist zu groß");
}

ArchiveReader::ArchiveReader(Shared* shared, size_t begin, size_t end, uint32_t fileVersion)
    : version(fileVersion), shared_(shared), pos_(begin), end_(end), replaying_(true) {}

void ArchiveReader::Fail(ArchiveErrorKind kind, const std::string& what) const {
    throw ArchiveError(kind, what + " (Byte " + std::to_string(pos_) + ")");
}

void ArchiveReader::Need(size_t bytes) const {
    if (bytes > end_ - pos_) Fail(ArchiveErrorKind::EndOfFile, "Die Datei endet unerwartet");
}

uint8_t ArchiveReader::U8() {
    Need(1);
    return shared_->data[pos_++];
}

uint16_t ArchiveReader::U16() {
    Need(2);
    const uint8_t* p = shared_->data.data() + pos_;
    pos_ += 2;
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t ArchiveReader::U32() {
    Need(4);
    const uint8_t* p = shared_->data.data() + pos_;
    pos_ += 4;
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint64_t ArchiveReader::U64() {
    const uint64_t low = U32();
    const uint64_t high = U32();
    return low | high << 32;
}

void ArchiveReader::Double(double& v) {
    const uint64_t bits = U64();
    std::memcpy(&v, &bits, sizeof v);
}

uint32_t ArchiveReader::StringLength(bool& wide) {
    wide = false;
    uint8_t byteLength = U8();
    if (byteLength < 0xFF) return byteLength;
    uint16_t wordLength = U16();
    if (wordLength == 0xFFFE) {
        wide = true;  // 16-bit characters; the length in characters follows
        byteLength = U8();
        if (byteLength < 0xFF) return byteLength;
        wordLength = U16();
    }
    if (wordLength < 0xFFFF) return wordLength;
    const uint32_t longLength = U32();
    if (longLength == 0xFFFFFFFF) Fail(ArchiveErrorKind::EndOfFile, "Zeichenkette zu lang");
    return longLength;
}

std::string ArchiveReader::RawStr() {
    bool wide = false;
    const uint32_t length = StringLength(wide);
    if (!wide) {
        Need(length);
        std::string bytes(reinterpret_cast<const char*>(shared_->data.data() + pos_), length);
        pos_ += length;
        return bytes;
    }
    Need(static_cast<size_t>(length) * 2);
    std::string bytes;
    bytes.reserve(length);
    for (uint32_t i = 0; i < length; ++i) {
        const char32_t unit = U16();
        // Characters outside Windows-1252 (and surrogate halves) become "?", as the
        // conversion of 16-bit text to the file's character set has always done.
        const auto byte = CodePointToWindows1252(unit);
        bytes += byte ? static_cast<char>(*byte) : '?';
    }
    return bytes;
}

void ArchiveReader::Str(std::string& s, const char*) { s = Windows1252ToUtf8(RawStr()); }

uint32_t ArchiveReader::Count(size_t minElementBytes) {
    uint32_t count = U16();
    if (count == 0xFFFF) count = U32();
    if (static_cast<uint64_t>(count) * minElementBytes > Remaining())
        Fail(ArchiveErrorKind::EndOfFile,
             "Die Datei endet vor den " + std::to_string(count) + " angekündigten Elementen");
    return count;
}

void ArchiveReader::IntList(std::vector<int32_t>& values) {
    const uint32_t count = Count(4);
    values.resize(count);
    for (int32_t& v : values) Int(v);
}

void ArchiveReader::StrList(std::vector<std::string>& values, const char* field) {
    const uint32_t count = Count(1);
    values.resize(count);
    for (std::string& v : values) Str(v, field);
}

ClassId ArchiveReader::ReadNewClass(uint16_t& schema) {
    schema = U16();
    const uint16_t nameLength = U16();
    Need(nameLength);
    const std::string name(reinterpret_cast<const char*>(shared_->data.data() + pos_), nameLength);
    pos_ += nameLength;
    ClassId cls;
    if (!ClassByName(name, cls)) Fail(ArchiveErrorKind::BadClass, "Unbekannte Klasse " + name);
    const ClassInfo& info = InfoOf(cls);
    // A versionable class reads its older schemas; no class can read a newer one.
    if (info.versionable ? schema > info.schema : schema != info.schema)
        Fail(ArchiveErrorKind::BadSchema,
             "Klasse " + name + " mit Schema " + std::to_string(schema));
    return cls;
}

const ArchiveReader::ClassEntry& ArchiveReader::ClassAt(uint32_t index) const {
    const auto& classes = shared_->classes;
    const auto it = std::lower_bound(
        classes.begin(), classes.end(), index,
        [](const ClassEntry& entry, uint32_t wanted) { return entry.index < wanted; });
    if (it == classes.end() || it->index != index)
        Fail(ArchiveErrorKind::BadIndex, "Ungültiger Objektverweis " + std::to_string(index));
    return *it;
}

ArchiveReader::ObjectData ArchiveReader::ObjectAt(uint32_t index) const {
    const auto& objects = shared_->objects;
    auto it = std::upper_bound(
        objects.begin(), objects.end(), index,
        [](uint32_t wanted, const ObjectRun& run) { return wanted < run.firstIndex; });
    if (it == objects.begin() || index - (it - 1)->firstIndex >= (it - 1)->count)
        Fail(ArchiveErrorKind::BadIndex, "Ungültiger Objektverweis " + std::to_string(index));
    const ObjectRun& run = *(it - 1);
    const uint32_t shift = (index - run.firstIndex) * run.stride;
    return {run.cls, run.schema, run.begin + shift, run.end == 0 ? 0 : run.end + shift};
}

ArchiveReader::Tag ArchiveReader::ReadTag() {
    constexpr uint16_t kNewClassTag = 0xFFFF;
    constexpr uint16_t kBigObjectTag = 0x7FFF;
    constexpr uint32_t kBigClassFlag = 0x80000000;

    const uint16_t tag = U16();
    if (tag == 0) return {Tag::Null, ClassId::Kurs, 0, 0, 0, 0};

    ClassId cls;
    uint16_t schema;
    uint32_t classIndex = 0;  // unknown for a class that a replay meets again
    if (tag == kNewClassTag) {
        cls = ReadNewClass(schema);
        if (!replaying_) {
            classIndex = shared_->nextIndex++;
            shared_->classes.push_back({classIndex, cls, schema});
        }
    } else {
        const uint32_t longTag = tag == kBigObjectTag
                                     ? U32()
                                     : (static_cast<uint32_t>(tag & 0x8000) << 16) | (tag & 0x7FFF);
        if ((longTag & kBigClassFlag) == 0) {
            const ObjectData object = ObjectAt(longTag);
            return {Tag::BackReference, object.cls, object.schema, longTag, 0, 0};
        }
        classIndex = longTag & ~kBigClassFlag;
        const ClassEntry& classEntry = ClassAt(classIndex);
        cls = classEntry.cls;
        schema = classEntry.schema;
    }
    if (replaying_) return {Tag::NewObject, cls, schema, 0, 0, classIndex};
    const uint32_t index = shared_->nextIndex++;
    const auto run = static_cast<uint32_t>(shared_->objects.size());
    shared_->objects.push_back({index, 1, static_cast<uint32_t>(pos_), 0, 0, cls, schema});
    return {Tag::NewObject, cls, schema, index, run, classIndex};
}

void ArchiveReader::FinishObject(const Tag& tag) {
    if (!replaying_) shared_->objects[tag.run].end = static_cast<uint32_t>(pos_);
}

ArchiveReader ArchiveReader::ReplayReader(uint32_t objectIndex) {
    const ObjectData object = ObjectAt(objectIndex);
    if (object.end == 0) Fail(ArchiveErrorKind::BadIndex, "Verweis auf ein unvollständiges Objekt");
    const uint64_t cost = std::max<uint64_t>(1, object.end - object.begin);
    if (cost > shared_->replayBudget) Fail(ArchiveErrorKind::BadIndex, "Zu viele Objektverweise");
    shared_->replayBudget -= cost;
    return ArchiveReader(shared_, object.begin, object.end, version);
}

namespace {

// A quote object after its tag: the value (8 bytes), then the day number (4). The shortest
// tag takes two bytes.
constexpr size_t kQuoteTagBytes = 2;
constexpr size_t kQuoteDataBytes = 12;
constexpr size_t kQuoteObjectBytes = kQuoteTagBytes + kQuoteDataBytes;

uint16_t LoadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t LoadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

double LoadDouble(const uint8_t* p) {
    const uint64_t bits = LoadU32(p) | static_cast<uint64_t>(LoadU32(p + 4)) << 32;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

void ArchiveReader::Quotes(std::vector<CFL2Kurs>& list) {
    const uint32_t count = Count(kQuoteTagBytes);
    // A back reference takes only its tag, so the count may promise more quotes than the
    // bytes can hold as new objects; the reserve goes by the bytes.
    list.reserve(list.size() + std::min<size_t>(count, Remaining() / kQuoteObjectBytes));
    // Half a million quotes fill a few thousand fresh pages; one request for all of them
    // costs a fraction of a page fault each.
    PrefaultForWriting(list.data() + list.size(),
                       (list.capacity() - list.size()) * sizeof(CFL2Kurs));
    uint32_t i = 0;
    while (i < count) {
        const Tag tag = ReadTag();
        if (tag.kind == Tag::Null) Fail(ArchiveErrorKind::BadClass, "leeres Objekt in einer Liste");
        if (tag.cls != ClassId::Kurs)
            Fail(ArchiveErrorKind::BadClass,
                 std::string("Objekt der Klasse ") + std::string(InfoOf(tag.cls).name) +
                     " an Stelle von " + std::string(InfoOf(ClassId::Kurs).name));
        CFL2Kurs& quote = list.emplace_back();
        if (tag.kind == Tag::NewObject) {
            Double(quote.value);
            Date(quote.date);
            FinishObject(tag);
        } else {
            ArchiveReader replay = ReplayReader(tag.index);
            replay.Double(quote.value);
            replay.Date(quote.date);
        }
        ++i;
        // The quotes after the first of a history name its class with the same tag.
        if (tag.kind == Tag::NewObject && tag.classIndex != 0)
            i += QuoteRun(list, tag.classIndex, tag.schema, count - i);
    }
}

uint32_t ArchiveReader::QuoteRun(std::vector<CFL2Kurs>& list, uint32_t classIndex, uint16_t schema,
                                 uint32_t limit) {
    constexpr uint16_t kBigObjectTag = 0x7FFF;
    // The tag as the writer puts it: two bytes, or for a class numbered from 0x7FFF on the
    // escape and four bytes.
    const bool bigTag = classIndex >= kBigObjectTag;
    const size_t tagBytes = bigTag ? 6 : 2;
    const size_t objectBytes = tagBytes + kQuoteDataBytes;
    const auto shortTag = static_cast<uint16_t>(bigTag ? kBigObjectTag : 0x8000 | classIndex);
    const uint32_t longTag = 0x80000000u | classIndex;

    const size_t first = pos_;
    const uint8_t* p = shared_->data.data() + first;
    const auto whole = static_cast<uint32_t>(std::min<size_t>(limit, (end_ - first) / objectBytes));
    uint32_t n = 0;
    for (; n < whole && LoadU16(p) == shortTag && (!bigTag || LoadU32(p + 2) == longTag);
         ++n, p += objectBytes) {
        CFL2Kurs quote;
        quote.value = LoadDouble(p + tagBytes);
        quote.date.SetDayNumber(LoadU32(p + tagBytes + 8));
        list.push_back(quote);
    }
    if (n == 0) return 0;
    pos_ = first + static_cast<size_t>(n) * objectBytes;
    if (!replaying_) {
        const auto begin = static_cast<uint32_t>(first + tagBytes);
        shared_->objects.push_back({shared_->nextIndex, n, begin,
                                    begin + static_cast<uint32_t>(kQuoteDataBytes),
                                    static_cast<uint32_t>(objectBytes), ClassId::Kurs, schema});
        shared_->nextIndex += n;
    }
    return n;
}

}  // namespace pf
