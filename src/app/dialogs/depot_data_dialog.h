#pragma once

#include <QDialog>
#include <string>

#include "engine/message.h"
#include "model/document.h"

class QFormLayout;
class QLineEdit;
class QPlainTextEdit;

namespace pf {

// The five master-data fields with the captions of the wizard's second page, in screen
// order; the dialog "Depotdaten" and the new-file wizard both use them. The widgets carry
// the form's field names as objectNames.
struct DepotDataEdits {
    QLineEdit* holderName = nullptr;
    QPlainTextEdit* holderAddress = nullptr;  // several lines; Tab leaves it
    QLineEdit* depotNumber = nullptr;
    QLineEdit* accountNumber = nullptr;
    QLineEdit* bankCode = nullptr;

    // Creates the fields as rows of `layout`, children of `parent`.
    static DepotDataEdits AddTo(QFormLayout* layout, QWidget* parent);
    void Set(const DepotMasterData& data) const;
    DepotMasterData Get() const;
};

// "Depotdaten": edits the depot master data. OK refuses text the file cannot hold (the
// message names the field, which gets the focus) and stays open.
class DepotDataDialog : public QDialog {
    Q_OBJECT

  public:
    explicit DepotDataDialog(const DepotMasterData& data, QWidget* parent = nullptr);

    DepotMasterData Data() const;

    void accept() override;

  private:
    DepotDataEdits edits_;
};

}  // namespace pf
