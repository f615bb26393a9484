#pragma once

#include <span>
#include <string>

#include "model/archive/document_file.h"
#include "support/full_document.h"

namespace pf::testing {

inline std::span<const uint8_t> AsBytes(const std::string& s) {
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

// Reads `bytes` as the program does on 15.06.2022, answering a password question with
// `password` (or cancelling when it is empty).
inline ReadResult Read(const std::string& bytes, const std::string& password = "") {
    ReadSettings settings;
    settings.today = Day(15, 6, 2022);
    settings.askPassword = [password]() -> std::optional<std::string> {
        if (password.empty()) return std::nullopt;
        return password;
    };
    return ReadDocument(AsBytes(bytes), settings);
}

}  // namespace pf::testing
