#pragma once

#include <string>

#include "engine/message.h"
#include "model/date.h"

namespace pf {

class CFolari2Doc;
class SettingsStore;

// The profile's entry (section kSettingsSection) of "Sicherungskopie beim Speichern
// anlegen": 1 keeps the replaced file as "NAME.fl2.bak" on every save, 0 does not. It
// belongs to the user, not to a portfolio file.
inline constexpr const char* kKeepBackupEntry = "SaveBackup";
// Whether saving keeps a backup: on unless the profile says 0.
bool KeepBackupOnSave(const SettingsStore& profile);
void SetKeepBackupOnSave(SettingsStore& profile, bool on);

// --- Property sheet "Optionen", page "Allgemein" ---

inline constexpr const char* kOptionsTitle = "Optionen";
// Focus fields of its messages.
inline constexpr const char* kPasswordField = "password";
inline constexpr const char* kRepetitionField = "repetition";
inline constexpr const char* kDecimalSeparatorField = "decimalSeparator";
inline constexpr const char* kThousandsSeparatorField = "thousandsSeparator";
inline constexpr const char* kSplitRoundingField = "splitRoundingDecimals";
inline constexpr const char* kEarningsYearsField = "earningsYears";
inline constexpr const char* kOwnCategoriesField = "ownCategories";
inline constexpr const char* kTrendStrongRiseField = "trendStrongRise";

// Range of the four trend thresholds, in percent.
inline constexpr double kMinTrendThreshold = -100.0;
inline constexpr double kMaxTrendThreshold = 1000.0;

// Range of "Bei Aktiensplits Kauf- und Verkaufkurse auf n Dezimalstellen runden.": prices
// are entered with at most 7 decimals.
inline constexpr int kMinSplitRoundingDecimals = 0;
inline constexpr int kMaxSplitRoundingDecimals = 7;

// The general options as the user left them.
struct GeneralOptionsForm {
    bool protect = false;      // "Datei mit Kennwort schützen"
    std::string password;      // "Kennwort"
    std::string repetition;    // "Wiederholung"
    int periodFromChoice = 1;  // PeriodFromChoice
    int periodToChoice = 0;    // PeriodToChoice
    CQRNDatum periodFromDate;
    CQRNDatum periodToDate;
    int splitRoundingDecimals = 2;
    std::string decimalSeparator = ",";
    std::string thousandsSeparator = ".";
    bool noThousandsSeparator = false;  // "kein Tausendertrennzeichen verwenden"
    std::string earningsYears;          // the two captions joined by ";", e.g. "2026;2027"
    std::string ownCategories;          // "Eigene Kategorie 1;Eigene Kategorie 2"
    bool rememberTransactionDate = false;
    // "Trendanzeige neuer Kurse" (the icons of the quote dialogs), in percent: a new price
    // above the last quote by more than strongRise / rise, or below it by more than
    // strongFall / fall (both negative or zero).
    double trendStrongRise = 1.0;
    double trendRise = 0.0;
    double trendStrongFall = -1.0;
    double trendFall = 0.0;
    // "Sicherungskopie beim Speichern anlegen": a profile setting shown on this page; filled
    // by LoadProfile, written by ApplyToProfile, never stored in the document.
    bool keepBackup = true;

    // The page filled from the document; both password fields show the stored password, and
    // an empty thousands separator ticks "kein Tausendertrennzeichen verwenden".
    static GeneralOptionsForm FromDocument(const CFolari2Doc& doc);

    // The first problem, title "Optionen", in this order:
    //  1. protection on and an empty password: "Bitte geben Sie ein Kennwort ein!";
    //  2. protection on and a differing repetition: "Die Kennwörter sind nicht identisch!";
    //  3. the decimal separator equal to the thousands separator (not while grouping is off);
    // then what would corrupt numbers or the file:
    //  4. an empty decimal separator;
    //  5. a separator with a character the file cannot store, more than one character, or
    //     a digit, "+", "-" or a control character, which number entry and sums read
    //     themselves (decimal separator first; the thousands separator only while used);
    //  6. split rounding decimals outside 0..7;
    //  7. password (only with protection on), years and own categories with characters the
    //     file cannot store;
    //  8. a trend threshold outside -100 .. 1000 % (or not a number), focus on the first of
    //     the four fields.
    MaybeMessage Check() const;

    // Writes every field back. Without protection the password is cleared, so a file that
    // is not protected does not carry a password either; the thousands separator becomes ""
    // with grouping off; each joined pair is split at its first ";" (a missing second part
    // becomes empty). The sheet (OptionsSheet::Apply) runs it within its one document edit.
    void ApplyTo(CFolari2Doc& doc) const;

    // The page's profile settings: read from, and written to, the user's profile.
    void LoadProfile(const SettingsStore& profile);
    void ApplyToProfile(SettingsStore& profile) const;
};

}  // namespace pf
