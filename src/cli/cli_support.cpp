#include "cli/cli_support.h"

#include <algorithm>
#include <charconv>
#include <ctime>
#include <utility>

#include "engine/number_entry.h"
#include "shell/document_session.h"

namespace pf::cli {

Arguments Parse(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
                const std::set<std::string>& flagOptions) {
    Arguments parsed;
    for (size_t i = 1; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (valueOptions.count(w)) {
            if (i + 1 >= words.size()) {
                parsed.error = w + " erwartet einen Wert.";
                break;
            }
            parsed.options[w] = words[++i];
            parsed.repeated[w].push_back(words[i]);
        } else if (flagOptions.count(w)) {
            parsed.flags.insert(w);
        } else if (w.starts_with("--")) {
            parsed.error = "Unbekannte Option " + w + ".";
            break;
        } else {
            parsed.positional.push_back(w);
        }
    }
    return parsed;
}

CQRNDatum Today(const Clock& clock) { return CQRNDatum::FromTime(clock.Now()); }

std::optional<ReadResult> Load(const std::string& path, const Context& c) {
    ReadSettings settings;
    settings.today = Today(c.clock);
    const std::optional<std::string> password = c.args.Option("--password");
    settings.askPassword = [password]() { return password; };
    try {
        ReadResult result = LoadDocumentFile(path, settings);
        if (result.olderVersion) c.err << "Hinweis: " << kOlderVersionNotice << "\n";
        return result;
    } catch (const ArchiveError& e) {
        c.err << OpenErrorMessage(e.Kind()) << "\n" << path << ": " << e.Detail() << "\n";
        if (e.Kind() == ArchiveErrorKind::WrongPassword && !password)
            c.err << "Die Datei ist durch ein Kennwort geschützt; bitte --password angeben.\n";
        return std::nullopt;
    }
}

bool Save(const CFolari2Doc& doc, const std::string& path, std::ostream& err) {
    // A file that the desktop program (or another user) holds open is not written over; the
    // lock is held while writing, so no one opens it half-way.
    const SaveLock lock = LockForSave(path, nullptr, ThisProcessAsOwner(std::time(nullptr)));
    if (lock.refusal) {
        err << lock.refusal->text << "\n";
        return false;
    }
    try {
        SaveDocumentFile(doc, path);
        return true;
    } catch (const ArchiveError& e) {
        err << kSaveErrorMessage << "\n" << path << ": " << e.Detail() << "\n";
        return false;
    }
}

bool DateOption(const Context& c, const std::string& name, std::optional<CQRNDatum>& out) {
    const std::optional<std::string> text = c.args.Option(name);
    if (!text) return true;
    CQRNDatum date;
    if (!ParseDate(*text, date)) {
        c.err << name << ": \"" << *text
              << "\" ist kein gültiges Datum (TT.MM.JJJJ zwischen 02.01.1970 und 18.01.2038).\n";
        return false;
    }
    out = date;
    return true;
}

std::optional<std::string> Required(const Context& c, const std::string& command,
                                    const std::string& name) {
    std::optional<std::string> value = c.args.Option(name);
    if (!value) c.err << command << " braucht " << name << ".\n";
    return value;
}

int RequiredDate(const Context& c, const std::string& command, const std::string& name,
                 CQRNDatum& out) {
    std::optional<CQRNDatum> date;
    if (!DateOption(c, name, date)) return 1;
    if (!date) {
        c.err << command << " braucht " << name << ".\n";
        return 2;
    }
    out = *date;
    return 0;
}

int RequiredNumber(const Context& c, const std::string& command, const std::string& name,
                   int32_t& out) {
    const std::optional<std::string> text = Required(c, command, name);
    if (!text) return 2;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), out);
    if (text->empty() || ec != std::errc() || end != text->data() + text->size() || out < 0) {
        c.err << name << " erwartet eine ganze Zahl ab 0.\n";
        return 2;
    }
    return 0;
}

bool CurrencyOption(const Context& c, const CFolari2Doc& doc, int32_t& out) {
    out = kBaseCurrencyId;
    const std::optional<std::string> symbol = c.args.Option("--currency");
    if (!symbol) return true;
    const CFL2Waehrung* currency = doc.FindCurrencyBySymbol(*symbol);
    if (currency == nullptr) {
        UnknownCurrency(c, *symbol);
        return false;
    }
    out = currency->id;
    return true;
}

const CFL2Wertpapier* FindSecurityByWkn(const CFolari2Doc& doc, const std::string& wkn) {
    for (const CFL2Wertpapier& s : doc.securities)
        if (s.wkn == wkn) return &s;
    return nullptr;
}

int UnknownSecurity(const Context& c, const std::string& wkn) {
    c.err << "Ein Wertpapier mit der WKN \"" << wkn << "\" gibt es in dieser Datei nicht.\n";
    return 1;
}

int UnknownCurrency(const Context& c, const std::string& symbol) {
    c.err << "Die Währung \"" << symbol << "\" gibt es in dieser Datei nicht.\n";
    return 1;
}

int ChangeFile(const Context& c, const std::function<int(CFolari2Doc&)>& change) {
    const std::string& path = c.args.positional[0];
    auto result = Load(path, c);
    if (!result) return 1;
    const int code = change(result->doc);
    if (code != 0 || c.args.Flag("--dry-run")) return code;
    return Save(result->doc, path, c.err) ? 0 : 1;
}

int Refuse(const Context& c, const Message& message) {
    c.err << message.text << "\n";
    return 1;
}

int Stored(const Context& c, int32_t id) {
    if (id < 0) {
        c.err << "Die Transaktion wurde nicht gespeichert.\n";
        return 1;
    }
    c.out << id << "\n";
    return 0;
}

bool SwitchOption(const Context& c, const std::string& name, bool& out) {
    const std::optional<std::string> text = c.args.Option(name);
    if (!text) return true;
    if (*text != "0" && *text != "1") {
        c.err << name << " erwartet 0 oder 1.\n";
        return false;
    }
    out = *text == "1";
    return true;
}

std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

std::string TsvField(std::string text) {
    text = OneLine(std::move(text));
    std::replace(text.begin(), text.end(), '\t', ' ');
    return text;
}

std::string Money(const CFolari2Doc& doc, double value) {
    return FormatDecimal(value, NumberFormatOf(doc.options), 2, 2);
}

}  // namespace pf::cli
