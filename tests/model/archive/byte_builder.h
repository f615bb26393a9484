#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace pf::testing {

// Writes archive bytes by hand, for files that the program itself never writes (older
// versions, damaged data). Strings are given as raw Windows-1252 bytes. The object tags
// keep their own numbering of classes and objects.
class ByteBuilder {
  public:
    ByteBuilder& I(int32_t v) { return U32(static_cast<uint32_t>(v)); }
    ByteBuilder& U16(uint16_t v) {
        out += static_cast<char>(v & 0xFF);
        out += static_cast<char>(v >> 8);
        return *this;
    }
    ByteBuilder& U32(uint32_t v) {
        for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i));
        return *this;
    }
    ByteBuilder& U64(uint64_t v) {
        return U32(static_cast<uint32_t>(v)).U32(static_cast<uint32_t>(v >> 32));
    }
    ByteBuilder& D(double v) {
        uint64_t bits;
        std::memcpy(&bits, &v, 8);
        return U64(bits);
    }
    ByteBuilder& B(uint8_t v) {
        out += static_cast<char>(v);
        return *this;
    }
    ByteBuilder& S(std::string_view bytes) {
        if (bytes.size() < 0xFF) {
            B(static_cast<uint8_t>(bytes.size()));
        } else if (bytes.size() < 0xFFFE) {
            B(0xFF).U16(static_cast<uint16_t>(bytes.size()));
        } else {
            B(0xFF).U16(0xFFFF).U32(static_cast<uint32_t>(bytes.size()));
        }
        out.append(bytes);
        return *this;
    }
    // A string of 16-bit characters.
    ByteBuilder& WideS(std::u16string_view text) {
        B(0xFF).U16(0xFFFE);
        if (text.size() < 0xFF)
            B(static_cast<uint8_t>(text.size()));
        else
            B(0xFF).U16(static_cast<uint16_t>(text.size()));
        for (char16_t c : text) U16(c);
        return *this;
    }
    ByteBuilder& Count(uint32_t n) {
        if (n < 0xFFFF) return U16(static_cast<uint16_t>(n));
        return U16(0xFFFF).U32(n);
    }
    ByteBuilder& IntList(const std::vector<int32_t>& values) {
        Count(static_cast<uint32_t>(values.size()));
        for (int32_t v : values) I(v);
        return *this;
    }
    ByteBuilder& StrList(const std::vector<std::string>& values) {
        Count(static_cast<uint32_t>(values.size()));
        for (const std::string& v : values) S(v);
        return *this;
    }

    // The tag in front of an object of class `name`: the class itself the first time,
    // later a reference to it. Returns the object's own index.
    uint32_t ObjectTag(const std::string& name, uint16_t schema) {
        uint32_t classIndex = 0;
        for (const auto& [known, index] : classes_)
            if (known == name) classIndex = index;
        if (classIndex == 0) {
            U16(0xFFFF).U16(schema).U16(static_cast<uint16_t>(name.size()));
            out += name;
            classes_.push_back({name, next_});
            ++next_;
        } else if (classIndex < 0x7FFF) {
            U16(static_cast<uint16_t>(0x8000 | classIndex));
        } else {
            U16(0x7FFF).U32(0x80000000u | classIndex);
        }
        return next_++;
    }
    // A tag that refers back to object `index`.
    ByteBuilder& BackReference(uint32_t index) {
        if (index < 0x7FFF) return U16(static_cast<uint16_t>(index));
        return U16(0x7FFF).U32(index);
    }

    std::string out;

  private:
    std::vector<std::pair<std::string, uint32_t>> classes_;
    uint32_t next_ = 1;
};

}  // namespace pf::testing
