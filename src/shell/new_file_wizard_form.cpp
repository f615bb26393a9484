#include "shell/new_file_wizard_form.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "model/digit_grouping.h"
#include "shell/depot_data_form.h"

namespace pf {

namespace {

// Blanks at both ends do not belong to a symbol or name.
std::string Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

// The shortest decimal text that reads back as `rate` holds exactly its significant
// decimals. Written the German way: decimal comma, thousands grouped with points
// ("1.936,27").
std::string RateText(double rate) {
    char buffer[32];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, rate, std::chars_format::fixed);
    const std::string_view digits(buffer,
                                  ec == std::errc() ? static_cast<size_t>(end - buffer) : 0);
    const size_t point = digits.find('.');
    std::string text = GroupDigits(digits.substr(0, point), ".");
    if (point != std::string_view::npos) text += "," + std::string(digits.substr(point + 1));
    return text;
}

}  // namespace

std::vector<NewFileWizardForm::LegacyRow> NewFileWizardForm::LegacyRows() {
    std::vector<LegacyRow> rows;
    for (const LegacyCurrency& c : LegacyCurrencies())
        rows.push_back({c.name, c.symbol, RateText(c.unitsPerEuro) + " " + c.symbol + " = 1 EUR"});
    return rows;
}

MaybeMessage NewFileWizardForm::LeavePage1() const {
    if (euroWithLegacy) return std::nullopt;
    if (Trimmed(ownSymbol).empty())
        return Message{kNewFileTitle, "Bitte geben Sie ein Währungssymbol ein!",
                       MessageIcon::Information, kOwnSymbolField};
    if (MaybeMessage m = CheckStorableText(ownSymbol, "Symbol", kNewFileTitle, kOwnSymbolField))
        return m;
    return CheckStorableText(ownName, "Bezeichnung", kNewFileTitle, kOwnNameField);
}

MaybeMessage NewFileWizardForm::LeavePage2() const { return CheckDepotTexts(depot, kNewFileTitle); }

std::vector<std::string> NewFileWizardForm::AccountCurrencyChoices() const {
    std::vector<std::string> symbols;
    if (!euroWithLegacy) {
        std::string symbol = Trimmed(ownSymbol);
        if (!symbol.empty()) symbols.push_back(std::move(symbol));
        return symbols;
    }
    symbols.push_back("EUR");
    const auto legacy = LegacyCurrencies();
    for (size_t i = 0; i < legacy.size() && i < legacyChecked.size(); ++i)
        if (legacyChecked[i]) symbols.push_back(legacy[i].symbol);
    return symbols;
}

std::string NewFileWizardForm::EffectiveAccountCurrency() const {
    const std::vector<std::string> symbols = AccountCurrencyChoices();
    if (symbols.empty()) return {};
    if (std::find(symbols.begin(), symbols.end(), accountCurrencySymbol) != symbols.end())
        return accountCurrencySymbol;
    return symbols.front();
}

NewDocumentChoices NewFileWizardForm::Choices() const {
    NewDocumentChoices choices;
    if (euroWithLegacy) {
        for (size_t i = 0; i < legacyChecked.size() && i < LegacyCurrencies().size(); ++i)
            if (legacyChecked[i]) choices.legacyCurrencyMask |= 1u << i;
    } else {
        choices.ownBaseSymbol = Trimmed(ownSymbol);
        choices.ownBaseName = Trimmed(ownName);
    }
    choices.depot = depot;
    choices.initialAccountCurrencySymbol = EffectiveAccountCurrency();
    return choices;
}

}  // namespace pf
