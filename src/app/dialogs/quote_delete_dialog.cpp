#include "app/dialogs/quote_delete_dialog.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <unordered_set>
#include <vector>

#include "app/help.h"
#include "app/message_box.h"
#include "app/widget_parts.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"
#include "quotes/price_entry.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

QuoteDeleteDialog::QuoteDeleteDialog(CFolari2Doc& doc, CQRNDatum today, QWidget* parent)
    : QDialog(parent), doc_(doc) {
    setWindowTitle(ToQString(kQuoteDeleteTitle));
    const QuoteDeleteForm form = QuoteDeleteForm::New(today);
    const int charWidth = fontMetrics().averageCharWidth();

    securities_ = new QListWidget(this);
    securities_->setObjectName(u"securities"_s);
    securities_->setMinimumWidth(charWidth * 40);
    securities_->setMinimumHeight(fontMetrics().lineSpacing() * 12);
    // By name, case-blind; equal names keep the document's order.
    std::vector<const CFL2Wertpapier*> sorted;
    for (const CFL2Wertpapier& s : doc.securities) sorted.push_back(&s);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const CFL2Wertpapier* a, const CFL2Wertpapier* b) {
                         return LessIgnoringCase(a->name, b->name);
                     });
    for (const CFL2Wertpapier* s : sorted) {
        auto* item = new QListWidgetItem(ToQString(s->name), securities_);
        item->setData(Qt::UserRole, s->id);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    auto* listLabel = new QLabel(u"&Wertpapiere:"_s, this);
    listLabel->setBuddy(securities_);
    auto* markAll = new QPushButton(u"&alle Wertpapiere markieren"_s, this);
    markAll->setObjectName(u"markAll"_s);
    markAll->setAutoDefault(false);

    rules_ = new QButtonGroup(this);
    const QString ruleTexts[] = {
        u"alle Kurse löschen, an denen sich das Wertpapier nicht im &Depot befindet"_s,
        u"alle &Kurse löschen"_s,
        u"Kurse löschen für folgenden &Zeitraum:"_s,
    };
    for (int id = kDeleteWhereNotHeld; id <= kDeletePeriod; ++id) {
        auto* button = new QRadioButton(ruleTexts[id], this);
        button->setObjectName(u"rule"_s + QString::number(id));
        rules_->addButton(button, id);
    }
    rules_->button(form.rule)->setChecked(true);
    from_ = DatePicker(this, u"from"_s);
    from_->setDate(ToQDate(form.from));
    to_ = DatePicker(this, u"to"_s);
    to_->setDate(ToQDate(form.to));
    auto* fromLabel = new QLabel(u"&von"_s, this);
    fromLabel->setBuddy(from_);
    auto* toLabel = new QLabel(u"&bis"_s, this);
    toLabel->setBuddy(to_);

    auto* deleteButton = new QPushButton(u"Kurse löschen"_s, this);
    deleteButton->setObjectName(u"delete"_s);
    deleteButton->setAutoDefault(false);
    auto* closeButton = new QPushButton(u"Schließen"_s, this);
    closeButton->setObjectName(u"close"_s);
    closeButton->setAutoDefault(false);

    auto* period = new QHBoxLayout;
    period->addSpacing(charWidth * 4);
    period->addWidget(fromLabel);
    period->addWidget(from_);
    period->addSpacing(charWidth * 2);
    period->addWidget(toLabel);
    period->addWidget(to_);
    period->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(deleteButton);
    buttons->addWidget(closeButton);
    buttons->addWidget(MakeHelpButton(this));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listLabel);
    layout->addWidget(securities_, 1);
    layout->addWidget(markAll, 0, Qt::AlignLeft);
    layout->addSpacing(charWidth);
    for (QAbstractButton* b : rules_->buttons()) layout->addWidget(b);
    layout->addLayout(period);
    layout->addSpacing(charWidth);
    layout->addLayout(buttons);

    QWidget::setTabOrder(securities_, markAll);
    QWidget::setTabOrder(markAll, rules_->button(kDeleteWhereNotHeld));
    QWidget::setTabOrder(rules_->button(kDeleteWhereNotHeld), rules_->button(kDeleteAll));
    QWidget::setTabOrder(rules_->button(kDeleteAll), rules_->button(kDeletePeriod));
    QWidget::setTabOrder(rules_->button(kDeletePeriod), from_);
    QWidget::setTabOrder(from_, to_);
    QWidget::setTabOrder(to_, deleteButton);
    QWidget::setTabOrder(deleteButton, closeButton);

    connect(markAll, &QPushButton::clicked, this, &QuoteDeleteDialog::MarkAll);
    connect(rules_, &QButtonGroup::idToggled, this, [this](int, bool) { RuleChosen(); });
    connect(deleteButton, &QPushButton::clicked, this, &QuoteDeleteDialog::DeleteQuotes);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    RuleChosen();
    securities_->setFocus();
}

QuoteDeleteForm QuoteDeleteDialog::Form() const {
    QuoteDeleteForm form;
    for (int i = 0; i < securities_->count(); ++i) {
        const QListWidgetItem* item = securities_->item(i);
        if (item->checkState() == Qt::Checked)
            form.marked.push_back(item->data(Qt::UserRole).toInt());
    }
    form.rule = rules_->checkedId();
    form.from = FromQDate(from_->date());
    form.to = FromQDate(to_->date());
    return form;
}

void QuoteDeleteDialog::MarkAll() {
    QuoteDeleteForm form = Form();
    form.MarkAll(doc_);
    const std::unordered_set<int32_t> marked(form.marked.begin(), form.marked.end());
    for (int i = 0; i < securities_->count(); ++i) {
        QListWidgetItem* item = securities_->item(i);
        const bool tick = marked.contains(item->data(Qt::UserRole).toInt());
        item->setCheckState(tick ? Qt::Checked : Qt::Unchecked);
    }
}

void QuoteDeleteDialog::RuleChosen() {
    const bool period = Form().PeriodEnabled();
    from_->setEnabled(period);
    to_->setEnabled(period);
}

void QuoteDeleteDialog::DeleteQuotes() {
    const QuoteDeleteForm form = Form();
    if (MaybeMessage m = form.Check(doc_)) {
        if (!m->IsQuestion()) {
            ShowRefusal(this, *m);
            return;
        }
        if (!ShowMessage(this, *m)) return;
    }
    const int deleted = form.Apply(doc_);
    ShowMessage(this, QuoteDeleteForm::Result(deleted));
}

}  // namespace pf
