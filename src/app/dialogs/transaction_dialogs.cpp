#include "app/dialogs/transaction_dialogs.h"

namespace pf {

TransactionDialogRunners AllTransactionDialogs() {
    return {&RunPurchaseDialog, &RunSaleDialog, &RunMovementDialog, &RunSplitDialog,
            &RunExchangeDialog};
}

}  // namespace pf
