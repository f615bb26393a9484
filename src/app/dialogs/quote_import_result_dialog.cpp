#include "app/dialogs/quote_import_result_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

#include "app/widget_parts.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

QuoteImportResultDialog::QuoteImportResultDialog(CFolari2Doc& doc, QuoteImportResult result,
                                                 QWidget* parent)
    : QDialog(parent), doc_(doc), result_(std::move(result)) {
    setWindowTitle(u"Importergebnis"_s);
    auto* header = new QFormLayout;
    header->addRow(u"Bezeichnung:"_s, new QLabel(ToQString(result_.Name()), this));
    header->addRow(u"WKN:"_s, new QLabel(ToQString(result_.Wkn()), this));
    header->addRow(ToQString(result_.IsinCaption()), new QLabel(ToQString(result_.Isin()), this));
    header->addRow(u"Kurse in:"_s, new QLabel(ToQString(result_.CurrencySymbol()), this));

    count_ = new QLabel(this);
    count_->setObjectName(u"count"_s);
    auto* notice = new QLabel(ToQString(result_.NoticeText()), this);
    notice->setObjectName(u"notice"_s);
    notice->setWordWrap(true);
    notice->setVisible(!result_.NoticeText().empty());
    onlyHeld_ = new QCheckBox(
        u"&Kurs nur dann übernehmen, wenn sich das Wertpapier zu diesem Zeitpunkt im Depot "
        u"befindet"_s,
        this);
    onlyHeld_->setObjectName(u"onlyHeld"_s);

    quotes_ = new QTreeWidget(this);
    quotes_->setObjectName(u"quotes"_s);
    quotes_->setRootIsDecorated(false);
    quotes_->setUniformRowHeights(true);
    quotes_->setHeaderLabels({u"Datum"_s, u"Kurs"_s});
    quotes_->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    quotes_->setColumnWidth(0, 85);
    quotes_->setColumnWidth(1, 100);
    quotes_->setMinimumHeight(fontMetrics().lineSpacing() * 14);
    auto* listLabel = new QLabel(u"Kurse"_s, this);
    listLabel->setBuddy(quotes_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(count_);
    layout->addWidget(notice);
    layout->addWidget(onlyHeld_);
    layout->addWidget(listLabel);
    layout->addWidget(quotes_, 1);
    layout->addWidget(OkCancelButtons(this));

    connect(onlyHeld_, &QCheckBox::toggled, this, [this](bool on) {
        WaitCursor wait;
        result_.SetOnlyHeld(doc_, on);
        ShowRows();
    });
    ShowRows();
}

void QuoteImportResultDialog::ShowRows() {
    quotes_->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(result_.Rows().size()));
    for (const QuoteImportResult::Row& row : result_.Rows()) {
        auto* item = new QTreeWidgetItem({ToQString(row.date), ToQString(row.price)});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        items << item;
    }
    quotes_->addTopLevelItems(items);
    count_->setText(ToQString(result_.CountText()));
    quotes_->resizeColumnToContents(0);
    quotes_->resizeColumnToContents(1);
}

void QuoteImportResultDialog::accept() {
    changed_ = result_.Apply(doc_);
    QDialog::accept();
}

}  // namespace pf
