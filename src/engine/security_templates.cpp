#include "engine/security_templates.h"

#include <algorithm>
#include <string_view>

#include "model/document.h"

namespace pf {

namespace {

constexpr std::string_view kSeparator = kTemplateSeparator;

// A text being turned into a template: pieces of literal text and placeholders. Values
// are looked for in the literal pieces only.
struct Piece {
    std::string text;
    bool placeholder = false;
};

void ReplaceInLiterals(std::vector<Piece>& pieces, const std::string& value,
                       const char* placeholder) {
    std::vector<Piece> result;
    for (Piece& piece : pieces) {
        if (piece.placeholder) {
            result.push_back(std::move(piece));
            continue;
        }
        size_t from = 0;
        for (size_t at = piece.text.find(value); at != std::string::npos;
             at = piece.text.find(value, from)) {
            if (at > from) result.push_back({piece.text.substr(from, at - from), false});
            result.push_back({placeholder, true});
            from = at + value.size();
        }
        if (from < piece.text.size()) result.push_back({piece.text.substr(from), false});
    }
    pieces = std::move(result);
}

bool Occurs(const std::string& text, const std::string& value) {
    return !value.empty() && text.find(value) != std::string::npos;
}

// The address of a template with its placeholders filled in, in one pass over the address.
// `missing` collects the kinds (bit 0 name, 1 number, 2 short code) whose value is empty.
std::string FillIn(std::string_view address, const TemplateSource& source, unsigned& missing) {
    const struct {
        std::string_view placeholder;
        const std::string& value;
        unsigned bit;
    } kinds[] = {
        {kNamePlaceholder, source.name, 1u},
        {kWknPlaceholder, source.wkn, 2u},
        {kShortCodePlaceholder, source.shortCode, 4u},
    };
    std::string result;
    size_t i = 0;
    while (i < address.size()) {
        bool matched = false;
        for (const auto& kind : kinds) {
            if (address.substr(i).starts_with(kind.placeholder)) {
                if (kind.value.empty()) missing |= kind.bit;
                result += kind.value;
                i += kind.placeholder.size();
                matched = true;
                break;
            }
        }
        if (!matched) result += address[i++];
    }
    return result;
}

// Where the address of a stored template ends. A placeholder ends in "***", so an address
// ending in one runs straight into the separator ("***WKN***" + "*******"): the separator is
// looked for only outside the placeholders.
size_t FirstSeparator(std::string_view stored) {
    for (size_t i = 0; i < stored.size();) {
        bool skipped = false;
        for (std::string_view p :
             {std::string_view(kNamePlaceholder), std::string_view(kWknPlaceholder),
              std::string_view(kShortCodePlaceholder)}) {
            if (stored.substr(i).starts_with(p)) {
                i += p.size();
                skipped = true;
                break;
            }
        }
        if (skipped) continue;
        if (stored.substr(i).starts_with(kSeparator)) return i;
        ++i;
    }
    return std::string_view::npos;
}

// Where the recognition text ends: the separator before the last character, where a
// template made here always has it (a text ending in "*" would fool a search from the end).
size_t LastSeparator(std::string_view stored) {
    if (stored.size() > kSeparator.size() &&
        stored.substr(stored.size() - 1 - kSeparator.size(), kSeparator.size()) == kSeparator)
        return stored.size() - 1 - kSeparator.size();
    return stored.rfind(kSeparator);
}

}  // namespace

MaybeMessage CheckMakeTemplate(const TemplateSource& source, const std::string& title) {
    if (source.url.empty())
        return Message::Refusal(title,
                                "Sie müssen zuerst eine Adresse (URL) eingeben, bevor Sie eine "
                                "neue Vorlage erzeugen können!",
                                kInternetUrlField);
    if (!Occurs(source.url, source.name) && !Occurs(source.url, source.wkn) &&
        !Occurs(source.url, source.shortCode))
        return Message::Refusal(title,
                                "Damit Sie eine neue Vorlage erzeugen können, muss in der "
                                "Adresse (URL) entweder die WKN, die ISIN (Kürzel) oder die "
                                "Wertpapierbezeichnung vorkommen!",
                                kInternetUrlField);
    if (source.textBeforeQuote.empty())
        return Message::Refusal(title,
                                "Sie müssen zuerst unter 'Text vor Kurs' einen Erkennungstext "
                                "eingeben, bevor Sie eine neue Vorlage erzeugen können!",
                                kInternetTextField);
    const std::string separatorNote =
        " darf keine sieben Sterne (*******) hintereinander enthalten, wenn daraus eine Vorlage "
        "erzeugt werden soll!";
    if (source.url.find(kSeparator) != std::string::npos)
        return Message::Refusal(title, "Die Adresse (URL)" + separatorNote, kInternetUrlField);
    if (source.textBeforeQuote.find(kSeparator) != std::string::npos)
        return Message::Refusal(title, "Der Text vor Kurs" + separatorNote, kInternetTextField);
    return std::nullopt;
}

std::string MakeTemplate(const TemplateSource& source) {
    // Each value is replaced only if it occurred in the address as entered.
    std::vector<Piece> pieces{{source.url, false}};
    if (Occurs(source.url, source.name)) ReplaceInLiterals(pieces, source.name, kNamePlaceholder);
    if (Occurs(source.url, source.wkn)) ReplaceInLiterals(pieces, source.wkn, kWknPlaceholder);
    if (Occurs(source.url, source.shortCode))
        ReplaceInLiterals(pieces, source.shortCode, kShortCodePlaceholder);
    std::string result;
    for (const Piece& piece : pieces) result += piece.text;
    result += kSeparator;
    result += source.textBeforeQuote;
    result += kSeparator;
    result += source.decimalSeparator == 1 ? "P" : "K";
    return result;
}

MaybeMessage AddTemplate(CFolari2Doc& doc, const TemplateSource& source, const std::string& title) {
    if (MaybeMessage m = CheckMakeTemplate(source, title)) return m;
    const std::string made = MakeTemplate(source);
    const auto& list = doc.InternetTemplates();
    if (std::find(list.begin(), list.end(), made) != list.end())
        return Message::Refusal(title, "Diese Vorlage ist bereits vorhanden!");
    doc.Edit([&](CFolari2Doc& d) { d.InternetTemplates().push_back(made); });
    return std::nullopt;
}

TemplateChoice TemplateRows(const CFolari2Doc& doc, const TemplateSource& source) {
    TemplateChoice choice;
    const auto& list = doc.InternetTemplates();
    if (list.empty()) {
        choice.hint = "Es sind noch keine Vorlagen vorhanden.";
        return choice;
    }
    unsigned missingKinds = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        const std::string_view stored = list[i];
        const size_t first = FirstSeparator(stored);
        const size_t last = LastSeparator(stored);
        const std::string_view address = stored.substr(0, first);
        std::string_view text;
        if (first != std::string_view::npos) {
            const size_t textStart = first + kSeparator.size();
            text = last > first ? stored.substr(textStart, last - textStart)
                                : stored.substr(textStart);
        }
        unsigned missing = 0;
        std::string url = FillIn(address, source, missing);
        if (missing != 0) {
            missingKinds |= missing;
            continue;
        }
        TemplateRow row;
        row.templateIndex = static_cast<int32_t>(i);
        row.url = std::move(url);
        row.textBeforeQuote = std::string(text);
        row.decimalSeparator = !stored.empty() && stored.back() == 'P' ? 1 : 0;
        choice.rows.push_back(std::move(row));
    }
    if (missingKinds != 0) {
        std::string kinds;
        const std::pair<unsigned, const char*> names[] = {
            {1u, "Bezeichnung"}, {2u, "WKN"}, {4u, "ISIN/Kürzel"}};
        for (const auto& [bit, name] : names) {
            if ((missingKinds & bit) == 0) continue;
            if (!kinds.empty()) kinds += ", ";
            kinds += name;
        }
        choice.hint =
            "Es sind weitere Vorlagen verfügbar, diese benötigen aber folgende Angaben: " + kinds;
    }
    return choice;
}

bool DeleteTemplate(CFolari2Doc& doc, int32_t templateIndex) {
    if (templateIndex < 0 || static_cast<size_t>(templateIndex) >= doc.InternetTemplates().size())
        return false;
    return doc.Edit([&](CFolari2Doc& d) {
        auto& list = d.InternetTemplates();
        list.erase(list.begin() + templateIndex);
    });
}

}  // namespace pf
