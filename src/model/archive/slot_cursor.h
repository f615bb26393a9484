#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "model/document_options.h"

namespace pf {

// Walks the unnamed option slots of the settings block and trailer in stored order.
// Reading appends every slot (absent ones as 0, "" or an empty list, so that positions
// stay the same for every file version); writing takes them back in the same order and
// writes 0, "" or an empty list for slots the document never read.
template <class Io, class Slots>
class SlotCursor {
  public:
    SlotCursor(Io& io, Slots& slots) : io_(io), slots_(slots) {}

    // Transfers a group written like "I S I22 D2": I integer, S string, D double, each with an
    // optional repeat count. `present` is false for a group the stored version lacks.
    void Group(std::string_view pattern, bool present = true) {
        size_t i = 0;
        while (i < pattern.size()) {
            const char kind = pattern[i++];
            int repeat = 0;
            while (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9')
                repeat = repeat * 10 + (pattern[i++] - '0');
            if (repeat == 0) repeat = 1;
            while (i < pattern.size() && pattern[i] == ' ') ++i;
            for (int r = 0; r < repeat; ++r) {
                if (kind == 'I')
                    Int(present);
                else if (kind == 'S')
                    Str(present);
                else
                    Double(present);
            }
        }
    }

    // One unnamed integer; returns its slot index.
    size_t Int(bool present = true) { return Transfer(slots_.ints, ints_, present); }
    size_t Str(bool present = true) { return Transfer(slots_.strings, strings_, present); }
    size_t Double(bool present = true) { return Transfer(slots_.doubles, doubles_, present); }
    size_t IntList(bool present = true) { return Transfer(slots_.intLists, intLists_, present); }
    size_t StrList(bool present = true) {
        return Transfer(slots_.stringLists, stringLists_, present);
    }

    // Slot index of the integer transferred last.
    size_t LastInt() const { return ints_ - 1; }

  private:
    template <class Vector>
    size_t Transfer(Vector& values, size_t& next, bool present) {
        const size_t index = next++;
        if constexpr (Io::kReading) {
            values.emplace_back();
            if (present) Value(values.back());
        } else {
            const typename std::remove_cvref_t<Vector>::value_type fallback{};
            Value(index < values.size() ? values[index] : fallback);
        }
        return index;
    }

    template <class V>
    void Value(V& v) {
        using T = std::remove_cv_t<V>;
        if constexpr (std::is_same_v<T, int32_t>)
            io_.Int(v);
        else if constexpr (std::is_same_v<T, double>)
            io_.Double(v);
        else if constexpr (std::is_same_v<T, std::string>)
            io_.Str(v, "Option");
        else if constexpr (std::is_same_v<T, std::vector<int32_t>>)
            io_.IntList(v);
        else
            io_.StrList(v, "Option");
    }

    Io& io_;
    Slots& slots_;
    size_t ints_ = 0;
    size_t strings_ = 0;
    size_t doubles_ = 0;
    size_t intLists_ = 0;
    size_t stringLists_ = 0;
};

}  // namespace pf
