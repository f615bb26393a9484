#include "engine/security_form.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

#include "engine/number_entry.h"
#include "model/document.h"

namespace pf {

namespace {

constexpr const char* kBadNumber = "Bitte geben Sie eine gültige Zahl ein!";
constexpr int kVtplusColumns = 40;

// A field holding nothing but blanks counts as empty.
bool IsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

std::string WithoutMnemonic(std::string caption) {
    std::erase(caption, '&');
    return caption;
}

// A whole number of at most `maxDigits` digits and nothing else.
std::optional<int> WholeNumber(std::string_view text, size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// "start column/start row/end column/end row" with columns inside the 40 of a teletext
// page and the end at or after the start in reading order.
bool IsBoxPosition(std::string_view text) {
    int values[4];
    size_t from = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t slash = i < 3 ? text.find('/', from) : text.size();
        if (slash == std::string_view::npos) return false;
        const auto v = WholeNumber(text.substr(from, slash - from), 3);
        if (!v) return false;
        values[i] = *v;
        from = slash + 1;
    }
    const int startColumn = values[0], startRow = values[1], endColumn = values[2],
              endRow = values[3];
    if (startColumn >= kVtplusColumns || endColumn >= kVtplusColumns) return false;
    return endRow > startRow || (endRow == startRow && endColumn >= startColumn);
}

// A key figure: nothing entered, a value, or a refusal.
struct Figure {
    bool entered = false;
    double value = 0.0;
    bool valid = true;
};

Figure ReadFigure(const std::string& text, const NumberFormat& format, bool allowNegative) {
    if (IsBlank(text)) return {};
    const auto value = ParseDecimal(text, format, kPriceMaxDecimals, allowNegative);
    if (!value) return {false, 0.0, false};
    return {true, *value, true};
}

std::string FigureText(const CFL2Wertpapier& s, int bit, double value, const NumberFormat& format) {
    return (s.figuresSet & bit) != 0
               ? FormatDecimal(value, format, kPriceMinDecimals, kPriceMaxDecimals)
               : std::string();
}

std::string SymbolOf(const CFolari2Doc& doc, int32_t currencyId) {
    const CFL2Waehrung* c = doc.FindCurrency(currencyId);
    return c != nullptr ? c->symbol : std::string();
}

struct FigureField {
    const std::string* text;
    int bit;
    bool allowNegative;
    const char* field;
    double CFL2Wertpapier::*member;
};

}  // namespace

SecurityCaptions SecurityCaptionsOf(const CFolari2Doc& doc) {
    const DocumentOptions& o = doc.options;
    return {
        o.isinLabel,
        "&Gew. " + o.earningsYear1,
        "G&ew. " + o.earningsYear2,
        o.ownCategoryCaption1.empty() ? "EK1" : o.ownCategoryCaption1,
        o.ownCategoryCaption2.empty() ? "EK2" : o.ownCategoryCaption2,
    };
}

MaybeMessage CheckVtplusFields(const VtplusFields& f, const std::string& title) {
    const struct {
        const std::string& text;
        const char* caption;
        const char* field;
    } texts[] = {
        {f.page, "Seite", kVtplusPageField},
        {f.subpage, "Unterseite", kVtplusSubpageField},
        {f.quotePosition, "Kursposition", kVtplusQuotePositionField},
        {f.controlText, "Kontrolltext", kVtplusControlTextField},
        {f.controlPosition, "Position des Kontrolltexts", kVtplusControlPositionField},
    };
    for (const auto& t : texts)
        if (MaybeMessage m = CheckStorableText(t.text, t.caption, title, t.field)) return m;
    if (!f.subpage.empty()) {
        const auto subpage = WholeNumber(f.subpage, 2);
        if (!subpage || *subpage < 1)
            return Message::Refusal(title,
                                    "Bitte geben Sie als Unterseite eine Zahl von 1 bis 99 ein!",
                                    kVtplusSubpageField);
    }
    const char* kBadBox =
        "Bitte geben Sie die Position in der Form Spalte/Zeile/Spalte/Zeile ein (Spalten 0 bis "
        "39)!";
    if (!f.quotePosition.empty() && !IsBoxPosition(f.quotePosition))
        return Message::Refusal(title, kBadBox, kVtplusQuotePositionField);
    if (!f.controlPosition.empty() && !IsBoxPosition(f.controlPosition))
        return Message::Refusal(title, kBadBox, kVtplusControlPositionField);
    return std::nullopt;
}

SecurityForm SecurityForm::New(const CFolari2Doc&) {
    SecurityForm form;
    form.quoteCurrencyId = kBaseCurrencyId;
    form.internetUrl = "http://";
    form.internetTextBeforeQuote = "Kurs:";
    return form;
}

SecurityForm SecurityForm::ForEdit(const CFolari2Doc& doc, int32_t id) {
    const CFL2Wertpapier* s = doc.FindSecurity(id);
    if (s == nullptr) {
        SecurityForm form = New(doc);
        form.id = id;
        return form;
    }
    const NumberFormat format = NumberFormatOf(doc.options);
    SecurityForm form;
    form.id = id;
    form.name = s->name;
    form.wkn = s->wkn;
    form.isin = s->isin;
    form.quoteCurrencyId = s->quoteCurrencyId;
    form.type = s->type;
    form.sector = s->sector;
    form.country = s->country;
    form.index = s->index;
    form.earnings1 = FigureText(*s, kFigureEarnings1, s->earnings1, format);
    form.earnings2 = FigureText(*s, kFigureEarnings2, s->earnings2, format);
    form.dividend = FigureText(*s, kFigureDividend, s->dividend, format);
    form.cashFlow = FigureText(*s, kFigureCashFlow, s->cashFlow, format);
    form.halfIncomeProcedure = s->halfIncomeProcedure != 0;
    form.noManualQuotes = s->noManualQuotes != 0;
    form.noChart = s->noChart != 0;
    form.category1 = s->category1;
    form.category2 = s->category2;
    form.remarks = s->remarks;
    form.internetImport = s->internetImport != 0;
    form.internetUrl = s->internetUrl;
    form.internetTextBeforeQuote = s->internetTextBeforeQuote;
    form.internetDecimalSeparator = s->internetDecimalSeparator;
    form.vtplus.import = s->vtplusImport != 0;
    form.vtplus.page = s->vtplusPage;
    form.vtplus.subpage = s->vtplusSubpage;
    form.vtplus.quotePosition = s->vtplusQuotePosition;
    form.vtplus.controlText = s->vtplusControlText;
    form.vtplus.controlPosition = s->vtplusControlText2;
    form.vtplus.decimalSeparator = s->vtplusDecimalSeparator;
    return form;
}

namespace {

// The record OK stores, or the refusal of a key figure. Starts from the stored security, so
// that what the dialog does not show is kept.
struct Built {
    CFL2Wertpapier security;
    MaybeMessage refusal;
};

Built Build(const SecurityForm& form, const CFolari2Doc& doc) {
    Built built;
    CFL2Wertpapier& s = built.security;
    if (const CFL2Wertpapier* stored = doc.FindSecurity(form.id)) s = *stored;
    const NumberFormat format = NumberFormatOf(doc.options);
    const FigureField figures[] = {
        {&form.earnings1, kFigureEarnings1, true, kEarnings1Field, &CFL2Wertpapier::earnings1},
        {&form.earnings2, kFigureEarnings2, true, kEarnings2Field, &CFL2Wertpapier::earnings2},
        {&form.dividend, kFigureDividend, false, kDividendField, &CFL2Wertpapier::dividend},
        {&form.cashFlow, kFigureCashFlow, true, kCashFlowField, &CFL2Wertpapier::cashFlow},
    };
    for (const FigureField& f : figures) {
        const Figure figure = ReadFigure(*f.text, format, f.allowNegative);
        if (!figure.valid) {
            built.refusal = Message::Refusal(form.Title(), kBadNumber, f.field);
            return built;
        }
        // A figure that is not entered keeps no value, so a later entry starts clean.
        s.*f.member = figure.entered ? figure.value : 0.0;
        s.figuresSet = figure.entered ? (s.figuresSet | f.bit) : (s.figuresSet & ~f.bit);
    }
    s.name = form.name;
    s.wkn = form.wkn;
    s.isin = form.isin;
    s.quoteCurrencyId = form.quoteCurrencyId;
    s.type = form.type;
    s.sector = form.sector;
    s.country = form.country;
    s.index = form.index;
    s.halfIncomeProcedure = form.halfIncomeProcedure ? 1 : 0;
    s.noManualQuotes = form.noManualQuotes ? 1 : 0;
    s.noChart = form.noChart ? 1 : 0;
    s.category1 = form.category1;
    s.category2 = form.category2;
    s.remarks = form.remarks;
    s.internetImport = form.internetImport ? 1 : 0;
    s.internetUrl = form.internetUrl;
    s.internetTextBeforeQuote = form.internetTextBeforeQuote;
    s.internetDecimalSeparator = form.internetDecimalSeparator;
    s.vtplusImport = form.vtplus.import ? 1 : 0;
    s.vtplusPage = form.vtplus.page;
    s.vtplusSubpage = form.vtplus.subpage;
    s.vtplusQuotePosition = form.vtplus.quotePosition;
    s.vtplusControlText = form.vtplus.controlText;
    s.vtplusControlText2 = form.vtplus.controlPosition;
    s.vtplusDecimalSeparator = form.vtplus.decimalSeparator;
    return built;
}

MaybeMessage KeyMessage(DocResult result, const std::string& title) {
    switch (result) {
        case DocResult::Ok:
            return std::nullopt;
        case DocResult::FirstFieldEmpty:
            return Message::Refusal(title,
                                    "Bitte geben Sie eine Bezeichnung für das Wertpapier ein!",
                                    kSecurityNameField);
        case DocResult::SecondFieldEmpty:
            return Message::Refusal(
                title, "Bitte geben Sie eine Wertpapier-Kennnummer für das Wertpapier ein!",
                kSecurityWknField);
        case DocResult::FirstKeyExists:
            return Message::Refusal(title,
                                    "Ein Wertpapier mit dieser Bezeichnung existiert bereits!",
                                    kSecurityNameField);
        case DocResult::SecondKeyExists:
            return Message::Refusal(
                title, "Ein Wertpapier mit dieser Wertpapier-Kennnummer existiert bereits!",
                kSecurityWknField);
        case DocResult::UnknownId:
            break;
    }
    return Message::Refusal(title, "Das Wertpapier ist nicht mehr vorhanden!");
}

}  // namespace

MaybeMessage SecurityForm::Check(const CFolari2Doc& doc) const {
    const std::string title = Title();
    const Built built = Build(*this, doc);
    if (built.refusal) return built.refusal;
    if (MaybeMessage m = CheckVtplusFields(vtplus, title)) return m;
    if (doc.FindCurrency(quoteCurrencyId) == nullptr)
        return Message::Refusal(title, "Bitte wählen Sie die Währung für die Wertpapierkurse aus!",
                                kQuoteCurrencyField);

    const CFL2Wertpapier* stored = id >= 0 ? doc.FindSecurity(id) : nullptr;
    if (id >= 0 && stored == nullptr) return KeyMessage(DocResult::UnknownId, title);
    if (MaybeMessage m = KeyMessage(doc.CheckSecurityKeys(built.security, id), title)) return m;

    const SecurityCaptions captions = SecurityCaptionsOf(doc);
    const struct {
        const std::string& text;
        std::string caption;
        const char* field;
    } texts[] = {
        {name, "Bezeichnung", kSecurityNameField},
        {wkn, "WKN", kSecurityWknField},
        {isin, WithoutMnemonic(captions.isin), kSecurityIsinField},
        {type, "Typ", kSecurityTypeField},
        {sector, "Branche", kSectorField},
        {country, "Land", kCountryField},
        {index, "Index/Marktsegment", kIndexField},
        {category1, WithoutMnemonic(captions.category1), kCategory1Field},
        {category2, WithoutMnemonic(captions.category2), kCategory2Field},
        {remarks, "Bemerkungen", kRemarksField},
        {internetUrl, "Adresse/URL", kInternetUrlField},
        {internetTextBeforeQuote, "Text vor Kurs", kInternetTextField},
    };
    for (const auto& t : texts)
        if (MaybeMessage m = CheckStorableText(t.text, t.caption, title, t.field)) return m;

    if (stored != nullptr && stored->quoteCurrencyId != quoteCurrencyId) {
        Message question = Message::Question(
            kEditSecurityTitle,
            "Sie haben die Währung für die Wertpapierkurse geändert.\nAlle vorhandenen Kurse "
            "werden nun von " +
                SymbolOf(doc, stored->quoteCurrencyId) + " auf " + SymbolOf(doc, quoteCurrencyId) +
                " umgestellt.");
        question.field = kQuoteDecimalsField;
        return question;
    }
    return std::nullopt;
}

int32_t SecurityForm::Apply(CFolari2Doc& doc) const {
    if (IsRefusal(Check(doc))) return -1;
    if (quoteDecimals < kMinQuoteDecimals || quoteDecimals > kMaxQuoteDecimals) return -1;
    const CFL2Wertpapier security = Build(*this, doc).security;
    int32_t result = -1;
    doc.Edit([&](CFolari2Doc& d) {
        if (id < 0) {
            CFL2Wertpapier created = security;
            created.creationKind = 1;
            const AddResult added = d.AddSecurity(created);
            result = added.result == DocResult::Ok ? added.id : -1;
        } else {
            result = d.ModifySecurity(id, security, quoteDecimals) == DocResult::Ok ? id : -1;
        }
        return result >= 0;
    });
    return result;
}

TemplateSource SecurityForm::Template() const {
    return {name, wkn, isin, internetUrl, internetTextBeforeQuote, internetDecimalSeparator};
}

void SecurityForm::UseTemplate(const TemplateRow& row) {
    internetUrl = row.url;
    internetTextBeforeQuote = row.textBeforeQuote;
    internetDecimalSeparator = row.decimalSeparator;
}

// --- "Wertpapier-Editor" ---

std::vector<std::string> SecurityEditorColumns(const CFolari2Doc& doc) {
    return {"Bezeichnung", "WKN", WithoutMnemonic(doc.options.isinLabel), "Kurse in", "Kurse"};
}

std::vector<SecurityEditorRow> SecurityEditorForm::Rows(const CFolari2Doc& doc) const {
    std::vector<SecurityEditorRow> rows;
    for (const CFL2Wertpapier& s : doc.securities)
        rows.push_back({s.id, s.name, s.wkn, s.isin, SymbolOf(doc, s.quoteCurrencyId),
                        std::to_string(s.quotes.Items().size())});
    const auto folded = [](const std::string& text) {
        std::string result = text;
        for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return result;
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
        const std::string fa = folded(a.name), fb = folded(b.name);
        return fa != fb ? fa < fb : a.securityId < b.securityId;
    });
    return rows;
}

bool SecurityEditorForm::HasSelection(const CFolari2Doc& doc) const {
    return doc.FindSecurity(selectedId) != nullptr;
}

MaybeMessage SecurityEditorForm::Check(const CFolari2Doc& doc) const {
    if (!HasSelection(doc)) return std::nullopt;
    if (doc.IsSecurityUsed(selectedId))
        return Message::Refusal(kSecurityEditorTitle,
                                "Dieses Wertpapier kann nicht gelöscht werden, da es in "
                                "Transaktionen verwendet wird!");
    return Message::Question(kSecurityEditorTitle,
                             "Möchten Sie dieses Wertpapier wirklich löschen?");
}

bool SecurityEditorForm::Apply(CFolari2Doc& doc) const {
    if (!HasSelection(doc) || IsRefusal(Check(doc))) return false;
    return doc.Edit([&](CFolari2Doc& d) { return d.DeleteSecurity(selectedId); });
}

}  // namespace pf
