#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "model/archive/archive_classes.h"
#include "model/archive/archive_error.h"
#include "model/date.h"
#include "model/quote.h"

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
    // An object list of quotes (CFL2Kurs: value, date), read like Objects. Quotes stored one
    // after another as new objects are read in one tight loop.
    void Quotes(std::vector<CFL2Kurs>& list);

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
    // The load array of the object numbering, kept compact: classes apart, and objects as
    // runs of equal-sized objects stored one after another (a quote history is one run), so
    // that half a million quotes cost a few entries instead of one each.
    struct ClassEntry {
        uint32_t index;
        ClassId cls;
        uint16_t schema;
    };
    struct ObjectRun {
        uint32_t firstIndex;
        uint32_t count;   // objects in the run; only runs of one object have a variable size
        uint32_t begin;   // data of the first object, for reading it again
        uint32_t end;     // 0 while the (single) object is still being read
        uint32_t stride;  // distance between the objects of the run
        ClassId cls;
        uint16_t schema;
    };
    struct Shared {
        std::span<const uint8_t> data;
        uint32_t nextIndex = 1;  // index 0 is the null object
        std::vector<ClassEntry> classes;
        std::vector<ObjectRun> objects;
        uint64_t replayBudget = 0;
    };
    struct Tag {
        enum { Null, NewObject, BackReference } kind;
        ClassId cls;
        uint16_t schema;
        uint32_t index;       // the object's own index, or the one referred to
        uint32_t run;         // where a new object is entered in the load array
        uint32_t classIndex;  // the index of the new object's class
    };
    // Where an object's data lies, for reading it again.
    struct ObjectData {
        ClassId cls;
        uint16_t schema;
        uint32_t begin;
        uint32_t end;
    };

    ArchiveReader(Shared* shared, size_t begin, size_t end, uint32_t version);
    void Need(size_t bytes) const;
    uint32_t StringLength(bool& wide);
    Tag ReadTag();
    ClassId ReadNewClass(uint16_t& schema);
    const ClassEntry& ClassAt(uint32_t index) const;
    ObjectData ObjectAt(uint32_t index) const;
    ArchiveReader ReplayReader(uint32_t objectIndex);
    void FinishObject(const Tag& tag);
    // Reads the quotes that follow one another as new objects of the class numbered
    // `classIndex`, each with its tag as the writer puts it, at most `limit` of them; returns
    // how many.
    uint32_t QuoteRun(std::vector<CFL2Kurs>& list, uint32_t classIndex, uint16_t schema,
                      uint32_t limit);

    Shared own_;
    Shared* shared_;
    size_t pos_ = 0;
    size_t end_ = 0;
    bool replaying_ = false;
};

template <class T, class Transfer>
void ArchiveReader::Objects(std::vector<T>& list, ClassId cls, Transfer transfer) {
    const uint32_t count = Count(2);
    // Room for the promised records, but never more memory than twice the bytes left: a
    // list of back references (two bytes each) grows as it goes.
    list.reserve(list.size() + std::min<size_t>(count, 2 * Remaining() / sizeof(T)));
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
            FinishObject(tag);
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
            FinishObject(tag);
        } else {
            ArchiveReader replay = ReplayReader(tag.index);
            visit(replay, tag.cls, tag.schema);
        }
    }
}

}  // namespace pf
