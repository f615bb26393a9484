#include "app/tools/screenshots_quotes.h"

#include <QDateEdit>
#include <QListWidget>
#include <QRadioButton>
#include <algorithm>
#include <ctime>
#include <string>

#include "app/dialogs/quote_delete_dialog.h"
#include "app/dialogs/quote_entry_dialog.h"
#include "app/dialogs/rate_entry_dialog.h"
#include "app/widget_parts.h"
#include "model/document.h"
#include "quotes/quote_entry.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

// The newest day with a quote of any security, or today in a document without quotes.
CQRNDatum LatestQuoteDay(const CFolari2Doc& doc) {
    CQRNDatum latest;
    bool found = false;
    for (const CFL2Wertpapier& s : doc.securities) {
        for (const CFL2Kurs& q : s.quotes.Items()) {
            if (!found || latest < q.date) latest = q.date;
            found = true;
        }
    }
    return found ? latest : CQRNDatum::FromTime(std::time(nullptr));
}

}  // namespace

void ShootQuoteDialogs(QWidget* parent, CFolari2Doc& doc,
                       const std::function<void(QWidget&, const QString& name)>& save) {
    CFolari2Doc copy = doc;
    const CQRNDatum day = LatestQuoteDay(copy);

    // At least 21 securities that take quotes by hand, so the entry has a second page.
    const size_t listed = QuoteEntrySecurities(copy, day, kAllSecurities, kKeyName).size();
    for (size_t i = listed; i < 25; ++i) {
        CFL2Wertpapier s;
        const std::string number = std::to_string(i + 1);
        s.name = "Beispielwert " + std::string(number.size() < 2 ? "0" : "") + number;
        s.wkn = "BSP" + std::to_string(100 + i);
        copy.AddSecurity(s);
    }
    // Prices on every third listed security.
    const std::vector<int32_t> ids = QuoteEntrySecurities(copy, day, kAllSecurities, kKeyName);
    for (size_t i = 0; i < ids.size(); i += 3)
        if (CFL2Wertpapier* s = copy.FindSecurity(ids[i]);
            s != nullptr && !s->quotes.FindQuote(day).found)
            s->quotes.SetQuote(day, 10.0 + static_cast<double>(i) * 1.25);
    {
        QuoteEntryDialog dialog(copy, day, -1, parent);
        dialog.show();
        save(dialog, u"quote-entry"_s);
    }

    const CFL2Waehrung* usd = copy.FindCurrencyBySymbol("USD");
    const int32_t usdId =
        usd != nullptr ? usd->id : copy.AddCurrency("USD", "US-Dollar", false, -1, -1, 0, 0).id;
    if (CFL2Waehrung* c = copy.FindCurrency(usdId); c != nullptr && !c->isFixed)
        c->rates.SetQuote(day, 1.0842);
    {
        RateEntryDialog dialog(copy, day, parent);
        dialog.show();
        save(dialog, u"rate-entry"_s);
    }

    {
        QuoteDeleteDialog dialog(copy, day, parent);
        auto* list = dialog.findChild<QListWidget*>(u"securities"_s);
        for (int i = 0; i < list->count(); i += 4) list->item(i)->setCheckState(Qt::Checked);
        dialog.findChild<QRadioButton*>(u"rule2"_s)->setChecked(true);
        dialog.findChild<QDateEdit*>(u"from"_s)->setDate(ToQDate(day).addMonths(-6));
        dialog.show();
        save(dialog, u"quote-delete"_s);
    }
}

}  // namespace pf
