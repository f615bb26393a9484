#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pf {

// Text is UTF-8 in memory and Windows-1252 in files. The five bytes that Windows-1252
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the
// same number, so every byte sequence survives a round trip unchanged.

std::string Windows1252ToUtf8(std::string_view bytes);

// The Windows-1252 bytes of a UTF-8 text, or nothing if the text holds a character that
// Windows-1252 cannot represent (or is not valid UTF-8).
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);

// Windows-1252 byte for one Unicode code point, or nothing.
std::optional<unsigned char> CodePointToWindows1252(char32_t cp);

// Whether every character of `utf8` can be stored in a file.
inline bool IsStorable(std::string_view utf8) { return Utf8ToWindows1252(utf8).has_value(); }

// The first character of `utf8` that a file cannot hold, for a message naming it: its UTF-8
// bytes, or the single byte where the text stops being valid UTF-8. Empty when every
// character is storable.
std::string_view FirstUnstorableCharacter(std::string_view utf8);

// One UTF-8 character at byte `at` of `utf8`: its code point and how many bytes it spans;
// length 0 when the sequence there is malformed (a stray or missing continuation byte, an
// overlong form, a surrogate, beyond U+10FFFF, cut off at the end).
struct Utf8Char {
    char32_t cp = 0;
    size_t length = 0;
};
Utf8Char DecodeUtf8At(std::string_view utf8, size_t at);

// Appends the UTF-8 form of one code point.
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace pf
