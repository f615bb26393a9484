#include "app/tools/screenshots_currencies.h"

#include "app/dialogs/currency_dialog.h"
#include "app/dialogs/currency_editor_dialog.h"
#include "model/document.h"
#include "quotes/currency_form.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

// A copy of `doc` (without its listeners, so no view hears of it) with at least the fixed
// currencies DM and FF and the variable ones USD and CHF; a variable currency without rates
// gets two. Currencies whose symbol is taken are left as they are.
CFolari2Doc SampleCopy(const CFolari2Doc& doc, CQRNDatum& rateDay) {
    CFolari2Doc copy = doc;
    copy.AddCurrency("DM", "Deutsche Mark", true, 1.95583, 1.0, kBaseCurrencyId,
                     kUnitsPerReference);
    copy.AddCurrency("FF", "Französische Francs", true, 6.55957, 1.0, kBaseCurrencyId,
                     kUnitsPerReference);
    copy.AddCurrency("USD", "US-Dollar", false, 1.0, 1.0, kBaseCurrencyId, kUnitsPerReference);
    copy.AddCurrency("CHF", "Schweizer Franken", false, 1.0, 1.0, kBaseCurrencyId,
                     kReferencePerUnit);
    CQRNDatum first;
    CQRNDatum second;
    first.Set(2, 1, 2024);
    second.Set(3, 1, 2024);
    rateDay = second;
    for (CFL2Waehrung& c : copy.currencies) {
        if (c.isFixed != 0 || c.id == kBaseCurrencyId) continue;
        if (c.rates.empty()) {
            const bool perUnit = c.quoteFormat == kReferencePerUnit;
            c.rates.SetQuote(first, perUnit ? 1.0512 : 1.0956);
            c.rates.SetQuote(second, perUnit ? 1.0487 : 1.0919);
        }
        if (rateDay < c.rates[c.rates.size() - 1].date) rateDay = c.rates[c.rates.size() - 1].date;
    }
    return copy;
}

int32_t IdOf(const CFolari2Doc& doc, const char* symbol) {
    const CFL2Waehrung* c = doc.FindCurrencyBySymbol(symbol);
    return c != nullptr ? c->id : -1;
}

}  // namespace

void ShootCurrencyDialogs(QWidget* parent, CFolari2Doc& doc,
                          const std::function<void(QWidget&, const QString& name)>& save) {
    CQRNDatum rateDay;
    CFolari2Doc copy = SampleCopy(doc, rateDay);

    {
        CurrencyForm form = CurrencyForm::New(copy);
        form.symbol = "USD";
        form.name = "US-Dollar";
        // USD exists in the copy; a new one would only be refused on OK, which is not pressed.
        CurrencyDialog dialog(copy, form, parent);
        dialog.show();
        save(dialog, u"currency-new"_s);
    }

    {
        CurrencyDialog dialog(copy, CurrencyForm::ForEdit(copy, IdOf(copy, "DM")), parent);
        dialog.show();
        save(dialog, u"currency-edit-fixed"_s);
    }

    {
        CurrencyDialog dialog(copy, CurrencyForm::ForEdit(copy, kBaseCurrencyId), parent);
        dialog.show();
        save(dialog, u"currency-edit-base"_s);
    }

    {
        CurrencyEditorDialog dialog(copy, rateDay, parent);
        dialog.Select(IdOf(copy, "USD"));
        dialog.show();
        save(dialog, u"currency-editor"_s);
    }
}

}  // namespace pf
