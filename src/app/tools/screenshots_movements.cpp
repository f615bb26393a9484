#include "app/tools/screenshots_movements.h"

#include <algorithm>
#include <vector>

#include "app/dialogs/account_currency_dialog.h"
#include "app/dialogs/allocation_dialog.h"
#include "app/dialogs/movement_dialog.h"
#include "engine/account_movements.h"
#include "engine/movement_form.h"
#include "engine/position_queries.h"
#include "model/document.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

// The date of the document's last transaction, or 2.1.2024 for a document without any.
CQRNDatum LastTransactionDate(const CFolari2Doc& doc) {
    CQRNDatum date;
    date.Set(2, 1, 2024);
    if (!doc.transactions.empty()) date = doc.transactions.back().date;
    return date;
}

// The security with the most allocation lots on `date` (the first of equals), or -1.
int32_t SecurityWithMostLots(const CFolari2Doc& doc, const PositionList& holdings) {
    int32_t best = -1;
    size_t most = 0;
    for (const int32_t id : SecuritiesWithLots(doc, holdings)) {
        const size_t count = AllocationLots(holdings, id).size();
        if (count > most) {
            most = count;
            best = id;
        }
    }
    return best;
}

int32_t CurrencyId(CFolari2Doc& doc, const char* symbol, const char* name, double units) {
    if (const CFL2Waehrung* c = doc.FindCurrencyBySymbol(symbol)) return c->id;
    return doc.AddCurrency(symbol, name, true, units, 1.0, kBaseCurrencyId, kUnitsPerReference).id;
}

}  // namespace

void ShootMovementDialogs(QWidget* parent, CFolari2Doc& doc,
                          const std::function<void(QWidget&, const QString& name)>& save) {
    CFolari2Doc copy = doc;
    const CQRNDatum date = LastTransactionDate(copy);
    const PositionList holdings = MovementHoldings(copy, date);
    const int32_t security = SecurityWithMostLots(copy, holdings);

    MovementForm form = MovementForm::New(copy, date);
    form.date = date;
    if (const CFL2KontoVorgang* kind = copy.FindAccountMovementKindByName("Dividenden-Gutschrift"))
        form.kindId = kind->id;
    form.amount = "125,40";
    form.text = "Dividende";
    form.linked = security != -1;
    form.nameSecurityId = form.codeSecurityId = security;
    form.allocKind = kIncome;
    {
        MovementDialog dialog(copy, form, parent);
        dialog.show();
        save(dialog, u"movement-dividend"_s);
    }

    const PositionList lots = form.Lots(copy);
    if (!lots.empty()) {
        ManualAllocation manual;
        const std::vector<AllocationRow> rows = AllocationRows(copy, lots);
        AllocationDialog dialog(copy, lots.front(), rows.front(), manual, parent);
        dialog.show();
        save(dialog, u"movement-allocation"_s);
    }

    {
        const int32_t franc = CurrencyId(copy, "FF", "Französische Francs", 6.55957);
        const int32_t mark = CurrencyId(copy, "DM", "Deutsche Mark", 1.95583);
        CQRNDatum toMark;
        CQRNDatum toEuro;
        toMark.Set(1, 7, 1998);
        toEuro.Set(1, 1, 2002);
        copy.initialAccountCurrencyId = franc;
        copy.accountCurrencyChanges = {CFL2KtoWUmst{mark, toMark},
                                       CFL2KtoWUmst{kBaseCurrencyId, toEuro}};
        AccountCurrencyDialog dialog(copy, date, parent);
        dialog.show();
        save(dialog, u"account-currency"_s);
    }
}

}  // namespace pf
