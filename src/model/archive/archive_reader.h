#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "model/archive/archive_classes.h"
#include "model/archive/archive_error.h"
#include "model/date.h"

namespace pf {

// Reads the sequential object archive of a portfolio file from memory. Every read checks
// the remaining bytes first, and every count is checked against what the remaining bytes
// can hold before anything is allocated, so damaged data ends in an ArchiveError.
//
// Object tags follow one common numbering of classes and objects, starting at 1. A tag
// that refers back to an object read earlier yields a copy of it: the copy is read again
// from the object's bytes. The bytes read again in this way are limited to the size of the
// data, so back references cannot blow up memory or time.
class ArchiveReader {
  public:
    static constexpr bool kReading = true;

    explicit ArchiveReader(std::span<const uint8_t> data);
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // Stored file version; the layout reads an element marked "from V" when After(V), and
    // one marked "from V inclusive" when AtLeast(V).
    uint32_t version = 0;
    bool After(uint32_t v) const { return version > v; }
    bool AtLeast(uint32_t v) const { return version >= v; }

    size_t Offset() const { return pos_; }
    size_t Remaining() const { return end_ - pos_; }

    void Int(int32_t& v) { v = static_cast<int32_t>(U32()); }
    template <class E>
    requires std::is_enum_v<E>
    void Int(E& v) { v = static_cast<E>(static_cast<int32_t>(U32())); }
    void Double(double& v);
    void Quantity(int64_t& v) { v = static_cast<int64_t>(U64()); }
    void Date(CQRNDatum& d) { d.SetDayNumber(U32()); }
    void Byte(uint8_t& v) { v = U8(); }
    // A string, converted from Windows-1252 (or from 16-bit characters) to UTF-8.
    void Str(std::string& s, const char* field = nullptr);
    void IntList(std::vector<int32_t>& values);
    void StrList(std::vector<std::string>& values, const char* field = nullptr);

    // An object list of records of class `cls`: a count, then each object with its tag.
    // `transfer(reader, record, schema)` reads the fields of one record.
    template <class T, class Transfer>
    void Objects(std::vector<T>& list, ClassId cls, Transfer transfer);
    // An object list whose elements may be of different classes: `visit(reader, cls,
    // schema)` reads one object and refuses (BadClass) a class it does not expect there.
    template <class Visit>
    void MixedObjects(Visit visit);

    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    uint64_t U64();
    // Raw bytes of a string, without conversion.
    std::string RawStr();
    // A list count; each element needs at least `minElementBytes` of the remaining data.
    uint32_t Count(size_t minElementBytes);

    [[noreturn]] void Fail(ArchiveErrorKind kind, const std::string& what) const;

  private:
    struct LoadEntry {
        bool isClass;
        ClassId cls;
        uint16_t schema;
        uint32_t begin;  // object data, for reading it again
        uint32_t end;    // 0 while the object is still being read
    };
    struct Shared {
        std::span<const uint8_t> data;
        std::vector<LoadEntry> loadArray;  // index 0 is the null object
        uint64_t replayBudget;
    };
    struct Tag {
        enum { Null, NewObject, BackReference } kind;
        ClassId cls;
        uint16_t schema;
        uint32_t index;  // the object's own index, or the one referred to
    };

    ArchiveReader(Shared* shared, size_t begin, size_t end, uint32_t version);
    void Need(size_t bytes) const;
    uint32_t StringLength(bool& wide);
    Tag ReadTag();
    ClassId ReadNewClass(uint16_t& schema);
    const LoadEntry& Entry(uint32_t index, bool wantClass) const;
    ArchiveReader ReplayReader(uint32_t objectIndex);
    void FinishObject(uint32_t index);

    Shared own_;
    Shared* shared_;
    size_t pos_ = 0;
    size_t end_ = 0;
    bool replaying_ = false;
};

template <class T, class Transfer>
void ArchiveReader::Objects(std::vector<T>& list, ClassId cls, Transfer transfer) {
    const uint32_t count = Count(2);
    for (uint32_t i = 0; i < count; ++i) {
        const Tag tag = ReadTag();
        if (tag.kind == Tag::Null) Fail(ArchiveErrorKind::BadClass, "leeres Objekt in einer Liste");
        if (tag.cls != cls)
            Fail(ArchiveErrorKind::BadClass, std::string("Objekt der Klasse ") +
                                                 std::string(InfoOf(tag.cls).name) +
                                                 " an Stelle von " + std::string(InfoOf(cls).name));
        T& record = list.emplace_back();
        if (tag.kind == Tag::NewObject) {
            transfer(*this, record, tag.schema);
            FinishObject(tag.index);
        } else {
            ArchiveReader replay = ReplayReader(tag.index);
            transfer(replay, record, tag.schema);
        }
    }
}

template <class Visit>
void ArchiveReader::MixedObjects(Visit visit) {
    const uint32_t count = Count(2);
    for (uint32_t i = 0; i < count; ++i) {
        const Tag tag = ReadTag();
        if (tag.kind == Tag::Null) Fail(ArchiveErrorKind::BadClass, "leeres Objekt in einer Liste");
        if (tag.kind == Tag::NewObject) {
            visit(*this, tag.cls, tag.schema);
            FinishObject(tag.index);
        } else {
            ArchiveReader replay = ReplayReader(tag.index);
            visit(replay, tag.cls, tag.schema);
        }
    }
}

}  // namespace pf
