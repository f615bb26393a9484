#include "model/archive/archive_writer.h"

#include <cstring>

#include "model/text_codec.h"

namespace pf {

void ArchiveWriter::U16(uint16_t v) {
    U8(static_cast<uint8_t>(v));
    U8(static_cast<uint8_t>(v >> 8));
}

void ArchiveWriter::U32(uint32_t v) {
    const char bytes[4] = {static_cast<char>(v), static_cast<char>(v >> 8),
                           static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
    out_.append(bytes, 4);
}

void ArchiveWriter::U64(uint64_t v) {
    U32(static_cast<uint32_t>(v));
    U32(static_cast<uint32_t>(v >> 32));
}

void ArchiveWriter::Double(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    U64(bits);
}

void ArchiveWriter::RawStr(const std::string& bytes) {
    const size_t length = bytes.size();
    if (length < 0xFF) {
        U8(static_cast<uint8_t>(length));
    } else if (length < 0xFFFE) {
        U8(0xFF);
        U16(static_cast<uint16_t>(length));
    } else {
        U8(0xFF);
        U16(0xFFFF);
        U32(static_cast<uint32_t>(length));
    }
    out_.append(bytes);
}

void ArchiveWriter::Str(const std::string& s, const char* field) { RawStr(Encode(s, field)); }

std::string ArchiveWriter::Encode(const std::string& s, const char* field) {
    auto bytes = Utf8ToWindows1252(s);
    if (!bytes)
        throw ArchiveError(ArchiveErrorKind::Unstorable,
                           std::string("Das Feld „") + field + "“ enthält den Text „" + s +
                               "“ mit Zeichen, die eine Portfolaris-Datei nicht speichern kann.");
    return std::move(*bytes);
}

void ArchiveWriter::Count(size_t count) {
    if (count < 0xFFFF) {
        U16(static_cast<uint16_t>(count));
    } else {
        U16(0xFFFF);
        U32(static_cast<uint32_t>(count));
    }
}

void ArchiveWriter::IntList(const std::vector<int32_t>& values) {
    Count(values.size());
    for (const int32_t v : values) Int(v);
}

void ArchiveWriter::StrList(const std::vector<std::string>& values, const char* field) {
    Count(values.size());
    for (const std::string& v : values) Str(v, field);
}

void ArchiveWriter::ObjectTag(ClassId cls) {
    constexpr uint32_t kBigObjectTag = 0x7FFF;
    uint32_t& index = classIndex_[static_cast<int>(cls)];
    if (index == 0) {
        const ClassInfo& info = InfoOf(cls);
        U16(0xFFFF);
        U16(info.schema);
        U16(static_cast<uint16_t>(info.name.size()));
        out_.append(info.name);
        index = mapCount_++;
    } else if (index < kBigObjectTag) {
        U16(static_cast<uint16_t>(0x8000 | index));
    } else {
        U16(kBigObjectTag);
        U32(0x80000000u | index);
    }
    ++mapCount_;  // the object itself
}

}  // namespace pf
