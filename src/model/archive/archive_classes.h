#pragma once

#include <cstdint>
#include <string_view>

namespace pf {

// The record classes that appear as tagged objects in a portfolio file.
enum class ClassId : uint8_t {
    Kurs,
    Wertpapier,
    Waehrung,
    Transaktion,
    PosInfo,
    KontoVorgang,
    KtoWUmst,
    StoppZielKurs,
    StPflKateg,
    SpekFristUmst,
    // Records of first-generation files; they never appear in a current file.
    V1Kurs,
    V1Kursverlauf,
    V1Aktie,
    V1KontoTransaktion,
};
inline constexpr int kClassCount = 14;

struct ClassInfo {
    std::string_view name;  // as stored in the file
    uint16_t schema;        // current schema number
    bool versionable;       // reads older schemas; others refuse any other number
};

const ClassInfo& InfoOf(ClassId id);
// The class stored under `name`, or false for an unknown name.
bool ClassByName(std::string_view name, ClassId& out);

}  // namespace pf
