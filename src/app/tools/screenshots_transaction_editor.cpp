#include "app/tools/screenshots_transaction_editor.h"

#include <map>
#include <set>
#include <utility>

#include "app/dialogs/transaction_editor_dialog.h"
#include "app/dialogs/transaction_filter_dialog.h"
#include "model/document.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

int32_t OpensNothing(QWidget*, CFolari2Doc&, int32_t, CQRNDatum) { return -1; }

// The first transaction of the month with the most kinds of transactions (of equals, the
// one with the most transactions, then the first), or -1.
int32_t TransactionOfBusiestMonth(const CFolari2Doc& doc) {
    struct Month {
        std::set<TransactionType> kinds;
        size_t count = 0;
    };
    std::map<std::pair<unsigned, unsigned>, Month> months;
    for (const CFL2Transaktion& t : doc.transactions) {
        Month& m = months[{t.date.Year(), t.date.Month()}];
        m.kinds.insert(t.type);
        ++m.count;
    }
    std::pair<unsigned, unsigned> best{0, 0};
    std::pair<size_t, size_t> most{0, 0};
    for (const auto& [month, m] : months) {
        const std::pair<size_t, size_t> rank{m.kinds.size(), m.count};
        if (rank > most) {
            most = rank;
            best = month;
        }
    }
    for (const CFL2Transaktion& t : doc.transactions)
        if (t.date.Year() == best.first && t.date.Month() == best.second) return t.id;
    return -1;
}

}  // namespace

void ShootTransactionEditorDialogs(QWidget* parent, CFolari2Doc& doc,
                                   const std::function<void(QWidget&, const QString& name)>& save) {
    CFolari2Doc copy = doc;
    const TransactionDialogRunners runners{&OpensNothing, &OpensNothing, &OpensNothing,
                                           &OpensNothing, &OpensNothing};
    const CQRNDatum january = DateOf(2, 1, 2024);
    {
        TransactionEditorDialog dialog(copy, january, runners, TransactionOfBusiestMonth(copy),
                                       parent);
        dialog.show();
        save(dialog, u"transaction-editor"_s);
    }
    {
        TransactionFilter& f = copy.options.transactionFilter;
        f.showSplits = 0;
        f.tradesText = {1, kTextContains, "Sparplan"};
        f.tradesAmount = {1, 500.0, 10000.0, 0};
        if (!copy.securities.empty()) copy.options.selectedSecurityIds = {copy.securities[0].id};
        TransactionFilterDialog dialog(copy, parent);
        dialog.show();
        save(dialog, u"transaction-filter"_s);
    }
}

}  // namespace pf
