#include "shell/general_options_form.h"

#include <string_view>
#include <tuple>
#include <utility>

#include "model/document.h"
#include "platform/settings_store.h"
#include "quotes/trend.h"
#include "shell/depot_data_form.h"

namespace pf {

namespace {

Message Refusal(std::string text, const char* field) {
    return Message{kOptionsTitle, std::move(text), MessageIcon::Information, field};
}

// The number of UTF-8 characters (bytes that do not continue a sequence).
size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

// Number entry takes digits and "-" as part of the number and splits sums at "+"; a
// separator among them would change what a typed number means. Control characters would
// break the columns of the text output.
bool ReservedInNumbers(std::string_view separator) {
    if (separator.size() != 1) return false;
    const unsigned char c = static_cast<unsigned char>(separator[0]);
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c < 0x20 || c == 0x7F;
}

// `name` follows "Das " in the messages ("Dezimaltrennzeichen").
MaybeMessage CheckSeparator(const std::string& separator, const char* name, const char* field) {
    if (MaybeMessage m = CheckStorableText(separator, name, kOptionsTitle, field)) return m;
    if (CharacterCount(separator) != 1)
        return Refusal(std::string("Das ") + name + " muss aus genau einem Zeichen bestehen!",
                       field);
    if (ReservedInNumbers(separator))
        return Refusal(std::string("Ziffern, Steuerzeichen, „+“ und „-“ können nicht als ") + name +
                           " verwendet werden!",
                       field);
    return std::nullopt;
}

std::pair<std::string, std::string> SplitPair(const std::string& joined) {
    const size_t semicolon = joined.find(';');
    if (semicolon == std::string::npos) return {joined, std::string()};
    return {joined.substr(0, semicolon), joined.substr(semicolon + 1)};
}

}  // namespace

GeneralOptionsForm GeneralOptionsForm::FromDocument(const CFolari2Doc& doc) {
    const DocumentOptions& o = doc.options;
    GeneralOptionsForm form;
    form.protect = doc.password.protectionActive != 0;
    form.password = doc.password.password;
    form.repetition = doc.password.password;
    form.periodFromChoice = o.periodFromChoice;
    form.periodToChoice = o.periodToChoice;
    form.periodFromDate = o.periodFromDate;
    form.periodToDate = o.periodToDate;
    form.splitRoundingDecimals = o.splitRoundingDecimals;
    form.decimalSeparator = o.decimalSeparator;
    form.thousandsSeparator = o.thousandsSeparator;
    form.noThousandsSeparator = o.thousandsSeparator.empty();
    form.earningsYears = o.earningsYear1 + ";" + o.earningsYear2;
    form.ownCategories = o.ownCategoryCaption1 + ";" + o.ownCategoryCaption2;
    form.rememberTransactionDate = o.rememberTransactionDate != 0;
    const TrendThresholds trend = TrendThresholdsOf(o);
    form.trendStrongRise = trend.strongRise;
    form.trendRise = trend.rise;
    form.trendStrongFall = trend.strongFall;
    form.trendFall = trend.fall;
    return form;
}

MaybeMessage GeneralOptionsForm::Check() const {
    if (protect && password.empty())
        return Refusal("Bitte geben Sie ein Kennwort ein!", kPasswordField);
    if (protect && repetition != password)
        return Refusal("Die Kennwörter sind nicht identisch!", kRepetitionField);
    if (!noThousandsSeparator && !decimalSeparator.empty() &&
        decimalSeparator == thousandsSeparator)
        return Refusal("Dezimaltrennzeichen und Tausendertrennzeichen dürfen nicht identisch sein!",
                       kDecimalSeparatorField);

    if (decimalSeparator.empty())
        return Refusal("Bitte geben Sie ein Dezimaltrennzeichen ein!", kDecimalSeparatorField);
    if (MaybeMessage m =
            CheckSeparator(decimalSeparator, "Dezimaltrennzeichen", kDecimalSeparatorField))
        return m;
    if (!noThousandsSeparator && !thousandsSeparator.empty())
        if (MaybeMessage m = CheckSeparator(thousandsSeparator, "Tausendertrennzeichen",
                                            kThousandsSeparatorField))
            return m;
    if (splitRoundingDecimals < kMinSplitRoundingDecimals ||
        splitRoundingDecimals > kMaxSplitRoundingDecimals)
        return Refusal(
            "Bitte geben Sie für das Runden nach Aktiensplits 0 bis 7 Dezimalstellen an!",
            kSplitRoundingField);
    if (protect)
        if (MaybeMessage m = CheckStorableText(password, "Kennwort", kOptionsTitle, kPasswordField))
            return m;
    if (MaybeMessage m = CheckStorableText(earningsYears, "Jahre für Gewinn je Aktie",
                                           kOptionsTitle, kEarningsYearsField))
        return m;
    if (MaybeMessage m = CheckStorableText(ownCategories, "Eigene Kategorien", kOptionsTitle,
                                           kOwnCategoriesField))
        return m;
    for (const double t : {trendStrongRise, trendRise, trendStrongFall, trendFall})
        if (!(t >= kMinTrendThreshold && t <= kMaxTrendThreshold))
            return Refusal(
                "Bitte geben Sie für die Trendanzeige Werte von -100 bis 1000 Prozent ein!",
                kTrendStrongRiseField);
    return std::nullopt;
}

void GeneralOptionsForm::ApplyTo(CFolari2Doc& doc) const {
    DocumentOptions& o = doc.options;
    doc.password.protectionActive = protect ? 1 : 0;
    doc.password.password = protect ? password : std::string();
    o.periodFromChoice = periodFromChoice;
    o.periodToChoice = periodToChoice;
    o.periodFromDate = periodFromDate;
    o.periodToDate = periodToDate;
    o.splitRoundingDecimals = splitRoundingDecimals;
    o.decimalSeparator = decimalSeparator;
    o.thousandsSeparator = noThousandsSeparator ? std::string() : thousandsSeparator;
    std::tie(o.earningsYear1, o.earningsYear2) = SplitPair(earningsYears);
    std::tie(o.ownCategoryCaption1, o.ownCategoryCaption2) = SplitPair(ownCategories);
    o.rememberTransactionDate = rememberTransactionDate ? 1 : 0;
    o.internetQuotes.trendStrongRise = trendStrongRise;
    o.internetQuotes.trendRise = trendRise;
    o.internetQuotes.trendStrongFall = trendStrongFall;
    o.internetQuotes.trendFall = trendFall;
}

bool KeepBackupOnSave(const SettingsStore& profile) {
    return profile.ReadInt(kSettingsSection, kKeepBackupEntry, 1) != 0;
}

void SetKeepBackupOnSave(SettingsStore& profile, bool on) {
    profile.SetInt(kSettingsSection, kKeepBackupEntry, on ? 1 : 0);
}

void GeneralOptionsForm::LoadProfile(const SettingsStore& profile) {
    keepBackup = KeepBackupOnSave(profile);
}

void GeneralOptionsForm::ApplyToProfile(SettingsStore& profile) const {
    SetKeepBackupOnSave(profile, keepBackup);
}

}  // namespace pf
