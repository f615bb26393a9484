#include "app/tools/screenshots_trades.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "app/dialogs/distribute_dialog.h"
#include "app/dialogs/trade_dialog.h"
#include "engine/position_queries.h"
#include "engine/split_exchange.h"
#include "engine/trade_form.h"
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

// The security with the most sellable lots in `lots` (the first of equals), or -1.
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

void ShootTradeDialogs(QWidget* parent, CFolari2Doc& doc,
                       const std::function<void(QWidget&, const QString& name)>& save) {
    CFolari2Doc copy = doc;
    const CQRNDatum date = LastTransactionDate(copy);

    int32_t dollar = -1;
    if (const CFL2Waehrung* usd = copy.FindCurrencyBySymbol("USD"))
        dollar = usd->id;
    else
        dollar = copy.AddCurrency("USD", "US-Dollar", false, 1.0, 1.0, kBaseCurrencyId, 0).id;

    PurchaseForm purchase = PurchaseForm::New(copy, date);
    purchase.date = date;
    if (!copy.securities.empty()) {
        const CFL2Wertpapier& security = copy.securities.back();
        purchase.name = security.name;
        purchase.code = security.wkn;
    }
    purchase.quantity = "100";
    purchase.price = "45,30";
    purchase.currency1 = dollar;
    purchase.commission1 = "2,50";
    purchase.rateBase = "1,085";
    purchase.rateQuote = "1,00";
    purchase.commission2 = "4,90";
    purchase.stop = "38,00";
    purchase.text = "Nachkauf";
    {
        PurchaseDialog dialog(copy, purchase, parent);
        dialog.adjustSize();
        save(dialog, u"trade-purchase"_s);
    }

    const PositionList lots = SellableLots(copy, date);
    const int32_t security = SecurityWithMostLots(copy, lots);
    if (security < 0) return;
    SaleForm sale = SaleForm::New(copy, date);
    sale.date = date;
    sale.nameSecurityId = sale.codeSecurityId = security;
    const Quantity available = AvailableTotal(lots, security);
    const NumberFormat format = NumberFormatOf(copy.options);
    // Half of what the security's lots hold, in whole pieces where there are any.
    Quantity half = available / 2;
    if (half >= 10'000'000) half -= half % 10'000'000;
    sale.quantity = FormatQuantity(half > 0 ? half : available, format);
    sale.price = "52,10";
    sale.commission2 = "4,90";
    sale.oldestFirst = true;
    {
        SaleDialog dialog(copy, sale, parent);
        dialog.adjustSize();
        save(dialog, u"trade-sale"_s);
    }

    sale.oldestFirst = false;
    const PositionList own = sale.Lots(copy);
    if (own.empty()) return;
    const Quantity entered = sale.Selection(copy).quantity;
    const Quantity total = AvailableTotal(own, security);
    DistributeDialog step(copy, own.front(), 1,
                          DistributeBounds(entered, total, own.front().quantity),
                          u"Stück &verkaufen"_s, parent);
    step.adjustSize();
    save(step, u"trade-distribute"_s);
}

}  // namespace pf
