#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "model/archive/archive_classes.h"
#include "model/archive/archive_error.h"
#include "model/date.h"

namespace pf {

// Writes the sequential object archive of a portfolio file into memory. It mirrors
// ArchiveReader so that one transfer function per record serves both directions; every
// version gate is open because the writer always produces the current layout.
class ArchiveWriter {
  public:
    static constexpr bool kReading = false;
    static constexpr bool After(uint32_t) { return true; }
    static constexpr bool AtLeast(uint32_t) { return true; }

    void Int(int32_t v) { U32(static_cast<uint32_t>(v)); }
    template <class E>
    requires std::is_enum_v<E>
    void Int(E v) { U32(static_cast<uint32_t>(static_cast<int32_t>(v))); }
    void Double(double v);
    void Quantity(int64_t v) { U64(static_cast<uint64_t>(v)); }
    void Date(CQRNDatum d) { U32(d.DayNumber()); }
    void Byte(uint8_t v) { U8(v); }
    // A UTF-8 string in Windows-1252; a character outside it is refused with an error that
    // names `field`.
    void Str(const std::string& s, const char* field);
    void IntList(const std::vector<int32_t>& values);
    void StrList(const std::vector<std::string>& values, const char* field);

    template <class T, class Transfer>
    void Objects(const std::vector<T>& list, ClassId cls, Transfer transfer);

    void U8(uint8_t v) { out_.push_back(static_cast<char>(v)); }
    void U16(uint16_t v);
    void U32(uint32_t v);
    void U64(uint64_t v);
    void RawStr(const std::string& bytes);
    // The Windows-1252 bytes of `text`; refuses a character outside it, naming `field`.
    static std::string Encode(const std::string& text, const char* field);
    void Count(size_t count);

    const std::string& Bytes() const { return out_; }
    std::string TakeBytes() { return std::move(out_); }
    void Reserve(size_t bytes) { out_.reserve(bytes); }

  private:
    void ObjectTag(ClassId cls);

    std::string out_;
    uint32_t mapCount_ = 1;  // common numbering of classes and objects; 0 is the null object
    std::array<uint32_t, kClassCount> classIndex_{};
};

template <class T, class Transfer>
void ArchiveWriter::Objects(const std::vector<T>& list, ClassId cls, Transfer transfer) {
    Count(list.size());
    for (const T& record : list) {
        ObjectTag(cls);
        transfer(*this, record, InfoOf(cls).schema);
    }
}

}  // namespace pf
