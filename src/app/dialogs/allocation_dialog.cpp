#include "app/dialogs/allocation_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <vector>

#include "app/message_box.h"
#include "app/widget_parts.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

QLabel* Value(QWidget* parent, const std::string& text, const QString& name) {
    auto* label = new QLabel(ToQString(text), parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

AllocationDialog::AllocationDialog(const CFolari2Doc& doc, const CFL2DepotPos& lot,
                                   const AllocationRow& row, ManualAllocation& manual,
                                   QWidget* parent)
    : QDialog(parent), doc_(doc), lot_(lot), manual_(manual) {
    setWindowTitle(QString::fromUtf8(kAllocationTitle));
    const int charWidth = fontMetrics().averageCharWidth();

    auto* facts = new QFormLayout;
    facts->addRow(u"Position:"_s, Value(this, row.number, u"position"_s));
    facts->addRow(u"Kaufdatum:"_s, Value(this, row.purchaseDate, u"purchaseDate"_s));
    facts->addRow(u"Verkaufdatum:"_s, Value(this, row.saleDate, u"saleDate"_s));
    facts->addRow(u"Stück:"_s, Value(this, row.quantity, u"quantity"_s));
    QLabel* text = Value(this, row.text, u"text"_s);
    text->setWordWrap(true);
    text->setMinimumWidth(charWidth * 36);
    facts->addRow(u"Text:"_s, text);

    pieces_ = new QLineEdit(ToQString(row.allocated), this);
    pieces_->setObjectName(QString::fromLatin1(kAllocationPiecesField));
    pieces_->setAlignment(Qt::AlignRight);
    pieces_->setMinimumWidth(charWidth * 14);
    auto* before = new QLabel(u"Die Kontobewegung betrifft"_s, this);
    before->setBuddy(pieces_);
    auto* entry = new QHBoxLayout;
    entry->addWidget(before);
    entry->addWidget(pieces_);
    entry->addWidget(new QLabel(u"Stück dieser Position."_s, this));
    entry->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(facts);
    layout->addSpacing(fontMetrics().lineSpacing() / 2);
    layout->addLayout(entry);
    layout->addWidget(OkCancelButtons(this));
    pieces_->setFocus();
    pieces_->selectAll();
}

void AllocationDialog::accept() {
    if (const MaybeMessage m = EnterAllocation(doc_, manual_, lot_, FromQString(pieces_->text()))) {
        ShowRefusal(this, *m);
        return;
    }
    QDialog::accept();
}

int RunAllocationWalk(QWidget* parent, const CFolari2Doc& doc, const PositionList& lots,
                      ManualAllocation& manual) {
    const std::vector<AllocationRow> rows = AllocationRows(doc, lots);
    int confirmed = 0;
    for (size_t i = 0; i < lots.size(); ++i) {
        AllocationDialog dialog(doc, lots[i], rows[i], manual, parent);
        if (dialog.exec() != QDialog::Accepted) break;
        ++confirmed;
    }
    return confirmed;
}

}  // namespace pf
