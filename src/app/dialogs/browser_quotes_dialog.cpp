#include "app/dialogs/browser_quotes_dialog.h"

#include <unistd.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>
#include <utility>

#include "app/dialogs/entry_parts.h"
#include "app/dialogs/internet_quotes_dialog.h"
#include "app/dialogs/trend_icons.h"
#include "app/widget_parts.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"
#include "quotes/internet_quotes.h"
#include "quotes/quote_result_rows.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

void PrepareEmbeddedBrowser() {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

BrowserQuotesDialog::BrowserQuotesDialog(CFolari2Doc& doc, std::vector<InternetFetchItem> items,
                                         CQRNDatum today, QWidget* parent)
    : QDialog(parent), doc_(doc), run_(std::move(items)) {
    setWindowTitle(u"Kurse aus Internet"_s);
    date_ = DatePicker(this, u"date"_s);
    date_->setDate(ToQDate(today));
    progress_ = new QLabel(this);
    progress_->setObjectName(u"progress"_s);

    quotes_ = InternetResultList(doc, run_.Items(), this);

    browser_ = new QWebEngineView(this);
    browser_->setObjectName(u"browser"_s);
    browser_->setMinimumSize(480, 320);

    useFast_ = new QCheckBox(
        u"&Nächsten Kursabruf ohne Webbrowser-Sichtkontrolle durchführen (schneller)"_s, this);
    useFast_->setObjectName(u"useFast"_s);
    auto* buttons = OkCancelButtons(this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setEnabled(false);

    auto* top = new QGridLayout;
    top->addWidget(BuddyLabel(u"&Datum"_s, date_, this), 0, 0);
    top->addWidget(date_, 0, 1, Qt::AlignLeft);
    top->addWidget(progress_, 0, 2, Qt::AlignRight);
    top->setColumnStretch(1, 1);
    auto* side = new QVBoxLayout;
    side->addLayout(top);
    side->addWidget(quotes_, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(side);
    body->addWidget(browser_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(useFast_);
    layout->addWidget(buttons);

    connect(browser_, &QWebEngineView::loadStarted, this, [this] { loading_ = true; });
    connect(browser_, &QWebEngineView::loadFinished, this, &BrowserQuotesDialog::PageLoaded);
    connect(date_, &QDateEdit::dateChanged, this, [this] {
        for (int r = 0; r < run_.Current() && r < run_.Total(); ++r) ShowRow(r);
    });
    timer_ = new QTimer(this);
    timer_->setInterval(kBrowserTickMilliseconds);
    connect(timer_, &QTimer::timeout, this, [this] { Follow(run_.Tick(loading_)); });
    ShowProgress();
    Follow(run_.Start());
}

void BrowserQuotesDialog::Follow(BrowserFetchSequence::Step step) {
    using Step = BrowserFetchSequence::Step;
    if (step == Step::Wait) return;
    if (run_.Current() > 0) ShowRow(run_.Current() - 1);
    if (step == Step::Finished) {
        timer_->stop();
        finished_ = true;
        for (int c = kResultNameColumn; c <= kResultStatusColumn; ++c)
            quotes_->resizeColumnToContents(c);
        ok_->setEnabled(true);
        return;
    }
    ShowRow(run_.Current());
    ++page_;
    loading_ = true;  // until the browser says otherwise
    browser_->setUrl(QUrl(ToQString(run_.CurrentUrl())));
    timer_->start();
}

void BrowserQuotesDialog::PageLoaded(bool) {
    loading_ = false;
    const int page = page_;
    // The body as the browser has built it; the answer comes later, possibly after the run
    // has moved on, and is then dropped.
    browser_->page()->runJavaScript(u"document.body ? document.body.innerHTML : ''"_s,
                                    [this, page](const QVariant& html) {
                                        if (page != page_ || finished_) return;
                                        run_.DocumentComplete(FromQString(html.toString()), true);
                                        ShowRow(run_.Current());
                                        ShowProgress();
                                    });
}

void BrowserQuotesDialog::ShowRow(int row) {
    if (row < 0 || row >= run_.Total()) return;
    const InternetFetchItem& item = run_.Items()[static_cast<size_t>(row)];
    QuoteResultRows maker(doc_, FromQDate(date_->date()), "-");
    if (std::optional<QuoteResultRow> shown =
            maker.Row(item.securityId, item.success, item.price, item.status)) {
        QTreeWidgetItem* widget = quotes_->topLevelItem(row);
        ShowQuoteResultRow(widget, *shown);
        quotes_->scrollToItem(widget);
    }
}

void BrowserQuotesDialog::ShowProgress() {
    QString text =
        ToQString(BrowserProgressText(std::min(run_.Current() + 1, run_.Total()), run_.Total()));
    text.replace(u"\r\n"_s, u"\n"_s);
    progress_->setText(text);
}

void BrowserQuotesDialog::accept() {
    if (!finished_) return;
    changed_ =
        ApplyInternetRun(doc_, run_.Items(), FromQDate(date_->date()), useFast_->isChecked());
    QDialog::accept();
}

}  // namespace pf
