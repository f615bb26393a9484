#include "model/archive/archive_classes.h"

#include "model/account_records.h"
#include "model/currency.h"
#include "model/quote.h"
#include "model/security.h"
#include "model/transaction.h"

namespace pf {

namespace {

constexpr ClassInfo kClasses[kClassCount] = {
    {"CFL2Kurs", CFL2Kurs::kSchema, false},
    {"CFL2Wertpapier", CFL2Wertpapier::kSchema, true},
    {"CFL2Waehrung", CFL2Waehrung::kSchema, true},
    {"CFL2Transaktion", CFL2Transaktion::kSchema, true},
    {"CFL2PosInfo", CFL2PosInfo::kSchema, true},
    {"CFL2KontoVorgang", CFL2KontoVorgang::kSchema, true},
    {"CFL2KtoWUmst", CFL2KtoWUmst::kSchema, false},
    {"CFL2StoppZielKurs", CFL2StoppZielKurs::kSchema, false},
    {"CFL2StPflKateg", CFL2StPflKateg::kSchema, false},
    {"CFL2SpekFristUmst", CFL2SpekFristUmst::kSchema, false},
    {"CQRNKurs", 1, false},
    {"CQRNKursverlauf", 1, false},
    {"CQRNAktie", 1, false},
    {"CQRNKontoTransaktion", 1, false},
};

}  // namespace

const ClassInfo& InfoOf(ClassId id) { return kClasses[static_cast<int>(id)]; }

bool ClassByName(std::string_view name, ClassId& out) {
    for (int i = 0; i < kClassCount; ++i) {
        if (kClasses[i].name == name) {
            out = static_cast<ClassId>(i);
            return true;
        }
    }
    return false;
}

}  // namespace pf
