#pragma once

#include <cstdint>

#include "model/date.h"

class QWidget;

namespace pf {

class CFolari2Doc;

// The dialogs that enter or edit one transaction share this shape: `id` is the transaction
// to edit, -1 for a new one; `today` is the date a new transaction starts from when the
// document remembers none. Each returns the transaction's id after OK (the document is
// changed by then) and -1 after "Abbrechen". The transaction editor, the menus and the
// views' double click open them through it.
using TransactionDialogRunner = int32_t (*)(QWidget* parent, CFolari2Doc& doc, int32_t id,
                                            CQRNDatum today);

int32_t RunPurchaseDialog(QWidget* parent, CFolari2Doc& doc, int32_t id, CQRNDatum today);
int32_t RunSaleDialog(QWidget* parent, CFolari2Doc& doc, int32_t id, CQRNDatum today);
int32_t RunMovementDialog(QWidget* parent, CFolari2Doc& doc, int32_t id, CQRNDatum today);
int32_t RunSplitDialog(QWidget* parent, CFolari2Doc& doc, int32_t id, CQRNDatum today);
int32_t RunExchangeDialog(QWidget* parent, CFolari2Doc& doc, int32_t id, CQRNDatum today);

// The runners by kind, for the transaction editor's buttons and its "B&earbeiten...".
struct TransactionDialogRunners {
    TransactionDialogRunner purchase = nullptr;
    TransactionDialogRunner sale = nullptr;
    TransactionDialogRunner movement = nullptr;
    TransactionDialogRunner split = nullptr;
    TransactionDialogRunner exchange = nullptr;
};

// The program's dialogs (tests give the editor runners of their own).
TransactionDialogRunners AllTransactionDialogs();

}  // namespace pf
