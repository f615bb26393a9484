#include "model/text_codec.h"

namespace pf {

namespace {

// Unicode code points of the bytes 0x80..0x9F; the rest of Windows-1252 equals Latin-1.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out += c;
        else if (b < 0xA0)
            AppendUtf8(out, kHighControls[b - 0x80]);
        else
            AppendUtf8(out, b);
    }
    return out;
}

std::optional<unsigned char> CodePointToWindows1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
    for (unsigned i = 0; i < 32; ++i)
        if (kHighControls[i] == cp) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

Utf8Char DecodeUtf8At(std::string_view utf8, size_t at) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    if (lead < 0x80) return {lead, 1};
    size_t extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return {};
    }
    if (at + extra >= utf8.size()) return {};
    for (size_t k = 1; k <= extra; ++k) {
        const auto cont = static_cast<unsigned char>(utf8[at + k]);
        if ((cont & 0xC0) != 0x80) return {};
        cp = cp << 6 | (cont & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {};
    return {cp, extra + 1};
}

namespace {

// Converts `utf8` into `out` up to the first character Windows-1252 cannot hold or the
// first malformed sequence. Returns where it stopped and how many bytes the character
// there spans (1 for a malformed sequence); {size, 0} when everything was converted.
struct Stop {
    size_t at;
    size_t length;
};

Stop ConvertUntilUnstorable(std::string_view utf8, std::string& out) {
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const Utf8Char c = DecodeUtf8At(utf8, i);
        if (c.length == 0) return {i, 1};
        const auto byte = CodePointToWindows1252(c.cp);
        if (!byte) return {i, c.length};
        out += static_cast<char>(*byte);
        i += c.length;
    }
    return {utf8.size(), 0};
}

}  // namespace

std::optional<std::string> Utf8ToWindows1252(std::string_view utf8) {
    std::string out;
    if (ConvertUntilUnstorable(utf8, out).length != 0) return std::nullopt;
    return out;
}

std::string_view FirstUnstorableCharacter(std::string_view utf8) {
    std::string ignored;
    const Stop stop = ConvertUntilUnstorable(utf8, ignored);
    return utf8.substr(stop.at, stop.length);
}

}  // namespace pf
