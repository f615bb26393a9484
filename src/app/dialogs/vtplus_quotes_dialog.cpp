#include "app/dialogs/vtplus_quotes_dialog.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/dialogs/entry_parts.h"
#include "app/dialogs/trend_icons.h"
#include "app/widget_parts.h"
#include "model/document.h"
#include "platform/settings_store.h"
#include "platform/socket_dde_client.h"
#include "qtcanvas/qt_string.h"
#include "quotes/trend.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

std::string VtplusSocketPathOf(const SettingsStore& settings) {
    const std::optional<std::string> path =
        settings.GetString(kSettingsSection, kVtplusSocketEntry);
    return path && !path->empty() ? *path : DefaultVtplusSocketPath();
}

VtplusQuotesDialog::VtplusQuotesDialog(CFolari2Doc& doc, DdeClient& client, CQRNDatum today,
                                       QWidget* parent)
    : QDialog(parent), doc_(doc), client_(client) {
    setWindowTitle(ToQString(kVtplusQuotesTitle));
    const int charWidth = fontMetrics().averageCharWidth();

    date_ = DatePicker(this, u"date"_s);
    date_->setDate(ToQDate(today));
    auto* refresh = NamedButton(u"&aktualisieren"_s, u"refresh"_s, this);
    acceptWrongControl_ =
        new QCheckBox(u"&Kurse auch bei falschem oder fehlendem Kontrolltext übernehmen"_s, this);
    acceptWrongControl_->setObjectName(u"acceptWrongControl"_s);

    quotes_ = new QTreeWidget(this);
    quotes_->setObjectName(u"quotes"_s);
    SetUpQuoteResultList(quotes_);
    // The widths are dialog units of the Windows dialog: a quarter of an average character.
    quotes_->setColumnWidth(kResultNameColumn, charWidth * 75 / 4);
    quotes_->setColumnWidth(kResultPriceColumn, charWidth * 50 / 4);
    quotes_->setColumnWidth(kResultCurrencyColumn, charWidth * 50 / 4);
    quotes_->setColumnWidth(kResultStatusColumn, charWidth * 100 / 4);
    quotes_->setMinimumSize(charWidth * 300 / 4, fontMetrics().lineSpacing() * 10);

    auto* top = new QHBoxLayout;
    top->addWidget(BuddyLabel(u"&Datum"_s, date_, this));
    top->addWidget(date_);
    top->addStretch(1);
    top->addWidget(refresh);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(BuddyLabel(u"Kurse"_s, quotes_, this));
    layout->addWidget(quotes_, 1);
    layout->addWidget(acceptWrongControl_);
    layout->addWidget(OkCancelButtons(this));

    {
        WaitCursor wait;
        form_ = VtplusQuotesForm::Open(doc_, client_, today, TrendThresholdsOf(doc_.options));
    }
    acceptWrongControl_->setChecked(form_.acceptWrongControl);
    ShowRows();

    connect(date_, &QDateEdit::dateChanged, this, [this](const QDate& d) {
        form_.date = FromQDate(d);
        ShowRows();  // the trend is judged against the quote of the new date
    });
    connect(acceptWrongControl_, &QCheckBox::toggled, this,
            [this](bool on) { form_.acceptWrongControl = on; });
    connect(refresh, &QPushButton::clicked, this, &VtplusQuotesDialog::Refresh);
}

void VtplusQuotesDialog::Refresh() {
    {
        WaitCursor wait;
        form_.Refresh(doc_, client_);
    }
    ShowRows();
}

void VtplusQuotesDialog::ShowRows() {
    quotes_->clear();
    QList<QTreeWidgetItem*> items;
    for (const VtplusQuoteRow& row : form_.Rows(doc_)) {
        auto* item = new QTreeWidgetItem;
        ShowQuoteResultRow(item, row);
        items << item;
    }
    quotes_->addTopLevelItems(items);
    // The names and statuses are shown whole once they are known, as the internet dialog does
    // when its run is done.
    quotes_->resizeColumnToContents(kResultNameColumn);
    quotes_->resizeColumnToContents(kResultStatusColumn);
}

void VtplusQuotesDialog::accept() {
    changed_ = form_.Apply(doc_);
    QDialog::accept();
}

bool RunVtplusQuotes(QWidget* parent, CFolari2Doc& doc, CQRNDatum today,
                     const std::string& socketPath) {
    SocketDdeClient client(socketPath);
    VtplusQuotesDialog dialog(doc, client, today, parent);
    dialog.exec();
    return dialog.Changed();
}

}  // namespace pf
