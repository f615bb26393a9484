#include "app/dialogs/split_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <utility>
#include <vector>

#include "app/dialogs/entry_parts.h"
#include "app/dialogs/transaction_dialogs.h"
#include "app/message_box.h"
#include "app/widget_parts.h"
#include "engine/number_entry.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

// Quotes are stored with at most 7 decimals, so more would change nothing.
constexpr int kMaxRoundDecimals = 7;

}  // namespace

SplitDialog::SplitDialog(CFolari2Doc& doc, SplitForm form, QWidget* parent)
    : QDialog(parent), doc_(doc), form_(std::move(form)) {
    setWindowTitle(QString::fromUtf8(kSplitTitle));
    const int charWidth = fontMetrics().averageCharWidth();
    if (const CFL2Transaktion* edited = doc_.FindTransaction(form_.editedId);
        edited != nullptr && edited->type == TransactionType::Split) {
        wasPermanent_ = edited->linkFlag != 0;
        locked_ = !form_.DateRuleApplies(doc_);
    }

    date_ = DatePicker(this, QString::fromLatin1(kSplitDateField));
    name_ = new QComboBox(this);
    name_->setObjectName(QString::fromLatin1(kSplitNameField));
    name_->setMinimumWidth(charWidth * 32);
    code_ = new QComboBox(this);
    code_->setObjectName(QString::fromLatin1(kSplitCodeField));
    // Room for an ISIN, the longest code in use, beside the arrow.
    code_->setMinimumWidth(fontMetrics().horizontalAdvance(u"DE0005557508W"_s) + charWidth * 6);
    for (const CFL2Wertpapier& s : doc_.securities) {
        name_->addItem(ToQString(s.name), s.id);
        code_->addItem(ToQString(s.wkn), s.id);
    }
    text_ = new QLineEdit(this);
    text_->setObjectName(u"text"_s);
    newPieces_ = new QLineEdit(this);
    newPieces_->setObjectName(QString::fromLatin1(kSplitNewPiecesField));
    oldPieces_ = new QLineEdit(this);
    oldPieces_->setObjectName(QString::fromLatin1(kSplitOldPiecesField));
    for (QLineEdit* pieces : {newPieces_, oldPieces_}) {
        pieces->setAlignment(Qt::AlignRight);
        pieces->setMinimumWidth(charWidth * 12);
    }
    permanent_ =
        new QCheckBox(u"all&e Wertpapierkurse vor dem Splitdatum dauerhaft anpassen:"_s, this);
    permanent_->setObjectName(u"permanent"_s);
    roundDecimals_ = new QSpinBox(this);
    roundDecimals_->setObjectName(u"roundDecimals"_s);
    roundDecimals_->setRange(0, kMaxRoundDecimals);

    // --- layout ---
    auto* fields = new QGridLayout;
    fields->addWidget(BuddyLabel(u"Split&datum"_s, date_, this), 0, 0);
    fields->addWidget(date_, 0, 1, Qt::AlignLeft);
    fields->addWidget(BuddyLabel(u"&Bezeichnung"_s, name_, this), 1, 0);
    fields->addWidget(name_, 1, 1);
    fields->addWidget(BuddyLabel(u"&WKN"_s, code_, this), 1, 2);
    fields->addWidget(code_, 1, 3);
    fields->addWidget(BuddyLabel(u"&Text"_s, text_, this), 2, 0);
    fields->addWidget(text_, 2, 1, 1, 3);
    fields->setColumnStretch(1, 1);

    // "10 neue Aktien für 1 alte Aktie(n)": each label names the field before it.
    auto* ratio = new QHBoxLayout;
    ratio->addWidget(newPieces_);
    ratio->addWidget(BuddyLabel(u"&neue Aktien für"_s, newPieces_, this));
    ratio->addWidget(oldPieces_);
    ratio->addWidget(BuddyLabel(u"&alte Aktie(n)"_s, oldPieces_, this));
    ratio->addStretch();

    auto* rounding = new QHBoxLayout;
    rounding->addSpacing(charWidth * 3);
    rounding->addWidget(BuddyLabel(u"Kurse &runden auf"_s, roundDecimals_, this));
    rounding->addWidget(roundDecimals_);
    rounding->addWidget(new QLabel(u"Dezimalstellen"_s, this));
    rounding->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(fontMetrics().lineSpacing() / 2);
    layout->addLayout(ratio);
    layout->addSpacing(fontMetrics().lineSpacing() / 2);
    layout->addWidget(permanent_);
    layout->addLayout(rounding);
    layout->addStretch();
    layout->addWidget(OkCancelButtons(this));

    const std::vector<QWidget*> order = {date_,      name_,      code_,      text_,
                                         newPieces_, oldPieces_, permanent_, roundDecimals_};
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);

    // --- values ---
    date_->setDate(ToQDate(form_.date));
    name_->setCurrentIndex(name_->findData(form_.nameSecurityId));
    code_->setCurrentIndex(code_->findData(form_.codeSecurityId));
    text_->setText(ToQString(form_.text));
    newPieces_->setText(ToQString(form_.newPieces));
    oldPieces_->setText(ToQString(form_.oldPieces));
    permanent_->setChecked(form_.permanent);
    roundDecimals_->setValue(form_.roundDecimals);

    connect(name_, &QComboBox::currentIndexChanged, this,
            [this] { ChooseSecurity(ChosenId(name_)); });
    connect(code_, &QComboBox::currentIndexChanged, this,
            [this] { ChooseSecurity(ChosenId(code_)); });
    connect(permanent_, &QCheckBox::toggled, this, &SplitDialog::UpdateEnabled);
    // A valid piece count is shown in its canonical form once the field is left.
    const NumberFormat format = NumberFormatOf(doc_.options);
    for (QLineEdit* pieces : {newPieces_, oldPieces_}) {
        connect(pieces, &QLineEdit::editingFinished, this, [pieces, format] {
            if (const auto q = ParseQuantity(FromQString(pieces->text()), format))
                pieces->setText(ToQString(FormatQuantity(*q, format)));
        });
    }
    UpdateEnabled();

    if (locked_)
        text_->setFocus();
    else if (form_.editedId >= 0)
        newPieces_->setFocus();
    else
        name_->setFocus();
}

SplitForm SplitDialog::Form() const {
    SplitForm f = form_;
    f.date = FromQDate(date_->date());
    f.nameSecurityId = ChosenId(name_);
    f.codeSecurityId = ChosenId(code_);
    f.text = FromQString(text_->text());
    f.newPieces = FromQString(newPieces_->text());
    f.oldPieces = FromQString(oldPieces_->text());
    f.permanent = permanent_->isChecked();
    f.roundDecimals = roundDecimals_->value();
    return f;
}

void SplitDialog::ChooseSecurity(int32_t id) {
    const QSignalBlocker blockName(name_);
    const QSignalBlocker blockCode(code_);
    name_->setCurrentIndex(name_->findData(id));
    code_->setCurrentIndex(code_->findData(id));
}

void SplitDialog::UpdateEnabled() {
    for (QWidget* w : std::vector<QWidget*>{date_, name_, code_, newPieces_, oldPieces_})
        w->setEnabled(!locked_);
    permanent_->setEnabled(!wasPermanent_);
    // The decimals matter only while the quotes are still to be divided.
    roundDecimals_->setEnabled(!wasPermanent_ && permanent_->isChecked());
}

void SplitDialog::accept() {
    const SplitForm form = Form();
    if (!CheckAndAsk(this, form, doc_)) return;
    const int32_t id = form.Apply(doc_);
    if (id < 0) return;
    id_ = id;
    QDialog::accept();
}

int32_t RunSplitDialog(QWidget* parent, CFolari2Doc& doc, int32_t id, CQRNDatum today) {
    return RunEntryDialog<SplitDialog, SplitForm>(parent, doc, id, today);
}

}  // namespace pf
