#include "app/tools/screenshots_corporate_actions.h"

#include <vector>

#include "app/dialogs/distribute_dialog.h"
#include "app/dialogs/exchange_dialog.h"
#include "app/dialogs/split_dialog.h"
#include "app/dialogs/stop_target_dialog.h"
#include "app/dialogs/tax_categories_dialog.h"
#include "engine/number_entry.h"
#include "engine/position_queries.h"
#include "engine/split_exchange.h"
#include "engine/split_exchange_form.h"
#include "engine/stop_target.h"
#include "engine/tax_categories.h"
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

// The security with the most lots in `lots` (the first of equals), or -1.
int32_t SecurityWithMostLots(const CFolari2Doc& doc, const PositionList& lots) {
    int32_t best = -1;
    size_t most = 0;
    for (const int32_t id : SecuritiesWithLots(doc, lots)) {
        const size_t count = LotsOfSecurity(lots, id).size();
        if (count > most) {
            most = count;
            best = id;
        }
    }
    return best;
}

}  // namespace

void ShootCorporateActionDialogs(QWidget* parent, CFolari2Doc& doc,
                                 const std::function<void(QWidget&, const QString& name)>& save) {
    CFolari2Doc copy = doc;
    const NumberFormat format = NumberFormatOf(copy.options);
    const CQRNDatum date = LastTransactionDate(copy);
    const PositionList lots = SellableLots(copy, date);
    const int32_t security = SecurityWithMostLots(copy, lots);

    {
        SplitForm form = SplitForm::New(copy, date);
        form.date = date;
        form.nameSecurityId = form.codeSecurityId = security;
        form.newPieces = "2";
        form.oldPieces = "1";
        form.text = "Aktiensplit 2:1";
        SplitDialog dialog(copy, form, parent);
        dialog.show();
        save(dialog, u"split"_s);
    }

    {
        ExchangeForm form = ExchangeForm::New(copy, date);
        form.date = date;
        form.sourceNameId = form.sourceCodeId = security;
        const Quantity total = security == -1 ? 0 : AvailableTotal(lots, security);
        form.oldPieces = FormatQuantity(total, format);
        form.newPieces = FormatQuantity(total / 2, format);
        form.oldestFirst = true;
        form.keepPurchaseDate = true;
        form.text = "Fusion";
        for (const CFL2Wertpapier& s : copy.securities) {
            if (s.id == security) continue;
            form.targetName = s.name;
            form.targetCode = s.wkn;
            break;
        }
        ExchangeDialog dialog(copy, form, parent);
        dialog.show();
        save(dialog, u"exchange"_s);

        form.oldestFirst = false;
        const PositionList source = form.Lots(copy);
        if (!source.empty()) {
            DistributeDialog step(copy, source.front(), 1,
                                  DistributeBounds(total, total, source.front().quantity),
                                  u"Stück &umtauschen"_s, parent);
            step.show();
            save(step, u"exchange-distribute"_s);
        }
    }

    {
        StopTargetForm form;
        form.quoteDate = date;
        const std::vector<StopTargetRow> rows = form.Rows(copy);
        int32_t selected = -1;
        if (!rows.empty()) {
            // Prices a little below and above the purchase price, so the columns show them.
            selected = rows.front().positionNo;
            SetStop(copy, selected, RoundTo(rows.front().price * 0.9, 2));
            SetTarget(copy, selected, RoundTo(rows.front().price * 1.25, 2));
        }
        StopTargetDialog dialog(copy, date, selected, parent);
        dialog.show();
        save(dialog, u"stop-target"_s);
    }

    {
        TaxCategoriesDialog dialog(copy, parent);
        dialog.show();
        save(dialog, u"tax-categories"_s);
    }
    {
        TaxCategoryDialog dialog(copy, TaxCategoryForm::ForEdit(copy, 1), parent);
        dialog.show();
        save(dialog, u"tax-category"_s);
    }
}

}  // namespace pf
