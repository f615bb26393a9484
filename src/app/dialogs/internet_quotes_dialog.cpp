#include "app/dialogs/internet_quotes_dialog.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "app/dialogs/browser_quotes_dialog.h"
#include "app/dialogs/entry_parts.h"
#include "app/dialogs/trend_icons.h"
#include "app/widget_parts.h"
#include "model/document.h"
#include "platform/curl_http_client.h"
#include "qtcanvas/qt_string.h"
#include "quotes/internet_quotes.h"
#include "quotes/quote_result_rows.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

// How often the dialog looks at the worker.
constexpr int kProgressMilliseconds = 250;

// The progress texts break the line with "\r\n"; a label wants "\n".
QString LabelText(const std::string& text) {
    QString label = ToQString(text);
    label.replace(u"\r\n"_s, u"\n"_s);
    return label;
}

}  // namespace

InternetQuotesDialog::InternetQuotesDialog(CFolari2Doc& doc, std::vector<InternetFetchItem> items,
                                           CQRNDatum today, HttpClient& http, QWidget* parent)
    : QDialog(parent), doc_(doc), run_(std::make_unique<InternetFetchRun>(std::move(items))) {
    setWindowTitle(u"Kurse aus Internet"_s);
    date_ = DatePicker(this, u"date"_s);
    date_->setDate(ToQDate(today));
    progress_ = new QLabel(this);
    progress_->setObjectName(u"progress"_s);

    quotes_ = InternetResultList(doc, run_->Items(), this);
    quotes_->setMinimumHeight(fontMetrics().lineSpacing() * 12);

    useBrowser_ =
        new QCheckBox(u"&Nächsten Kursabruf im Webbrowser mitverfolgen (langsamer)"_s, this);
    useBrowser_->setObjectName(u"useBrowser"_s);

    auto* buttons = OkCancelButtons(this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setEnabled(false);

    auto* top = new QGridLayout;
    top->addWidget(BuddyLabel(u"&Datum"_s, date_, this), 0, 0);
    top->addWidget(date_, 0, 1, Qt::AlignLeft);
    top->addWidget(progress_, 0, 2, Qt::AlignRight);
    top->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(quotes_, 1);
    layout->addWidget(useBrowser_);
    layout->addWidget(buttons);

    // A new date is the date of the new quotes and of the trend: the finished rows follow.
    connect(date_, &QDateEdit::dateChanged, this, [this] { UpdateRows(0, shownUpTo_); });
    timer_ = new QTimer(this);
    timer_->setInterval(kProgressMilliseconds);
    connect(timer_, &QTimer::timeout, this, &InternetQuotesDialog::ShowProgress);
    ShowProgress();
    run_->Start(http);
    timer_->start();
}

InternetQuotesDialog::~InternetQuotesDialog() {
    // The worker may still be on a page; it is stopped before the dialog's widgets go.
    run_->Cancel();
    run_->Wait();
}

bool InternetQuotesDialog::Finished() const { return run_->Done(); }

void InternetQuotesDialog::ShowProgress() {
    const bool done = run_->Done();
    const int total = run_->Total();
    const int processed = done ? total : run_->Processed();
    // The row being fetched shows its status from the run, without reading its item.
    UpdateRows(shownUpTo_, processed);
    shownUpTo_ = processed;
    if (!done && processed < total) {
        QTreeWidgetItem* current = quotes_->topLevelItem(processed);
        current->setText(kResultStatusColumn, ToQString(run_->RowStatus(processed)));
        quotes_->scrollToItem(current);
    }
    progress_->setText(LabelText(FastProgressText(done ? run_->Processed() : processed, total)));
    if (done) {
        timer_->stop();
        for (int c = kResultNameColumn; c <= kResultStatusColumn; ++c)
            quotes_->resizeColumnToContents(c);
        ok_->setEnabled(true);
    }
}

void InternetQuotesDialog::UpdateRows(int from, int to) {
    QuoteResultRows maker(doc_, FromQDate(date_->date()), "-");
    for (int r = from; r < to; ++r) {
        const InternetFetchItem& item = run_->Item(r);
        if (std::optional<QuoteResultRow> row =
                maker.Row(item.securityId, item.success, item.price, item.status)) {
            QTreeWidgetItem* shown = quotes_->topLevelItem(r);
            ShowQuoteResultRow(shown, *row);
            quotes_->scrollToItem(shown);
        }
    }
}

void InternetQuotesDialog::accept() {
    if (!run_->Done()) return;
    changed_ =
        ApplyInternetRun(doc_, run_->Items(), FromQDate(date_->date()), !useBrowser_->isChecked());
    QDialog::accept();
}

QTreeWidget* InternetResultList(const CFolari2Doc& doc, const std::vector<InternetFetchItem>& items,
                                QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(u"quotes"_s);
    SetUpQuoteResultList(list);
    list->setColumnWidth(kResultNameColumn, 150);
    list->setColumnWidth(kResultPriceColumn, 50);
    list->setColumnWidth(kResultCurrencyColumn, 50);
    list->setColumnWidth(kResultStatusColumn, 170);
    list->setMinimumWidth(440);
    for (const InternetFetchItem& item : items) {
        auto* row = new QTreeWidgetItem(list);
        if (const CFL2Wertpapier* s = doc.FindSecurity(item.securityId))
            row->setText(kResultNameColumn, ToQString(s->name));
        row->setIcon(kResultNameColumn, TrendIcon(-1));
    }
    return list;
}

bool RunInternetQuotes(QWidget* parent, CFolari2Doc& doc, std::vector<InternetFetchItem> items,
                       CQRNDatum today) {
    if (doc.options.internetQuotes.fastFetch == 0) {
        BrowserQuotesDialog dialog(doc, std::move(items), today, parent);
        dialog.exec();
        return dialog.Changed();
    }
    CurlHttpClient http;
    InternetQuotesDialog dialog(doc, std::move(items), today, http, parent);
    dialog.exec();
    return dialog.Changed();
}

void InternetQuotesDialog::reject() {
    run_->Cancel();
    run_->Wait();
    QDialog::reject();
}

}  // namespace pf
