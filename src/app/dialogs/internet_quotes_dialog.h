#pragma once

#include <QDialog>
#include <memory>

#include "model/date.h"
#include "quotes/internet_fetch.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTimer;
class QTreeWidget;

namespace pf {

class CFolari2Doc;
class HttpClient;

// "Kurse aus Internet", the fast dialog: fetches the page of every item on a worker thread
// and shows the rows as the pages come in (a 250 ms timer reads only the rows the worker has
// finished). OK, enabled once every page is done, stores the prices read as quotes of the
// chosen date and the fetch mode for the next time; "Abbrechen" stops the worker and waits
// for it. Widgets: "date", "progress", "quotes", "useBrowser", the buttons of the box.
class InternetQuotesDialog : public QDialog {
    Q_OBJECT

  public:
    // `http` serves the worker and must outlive the dialog.
    InternetQuotesDialog(CFolari2Doc& doc, std::vector<InternetFetchItem> items, CQRNDatum today,
                         HttpClient& http, QWidget* parent = nullptr);
    ~InternetQuotesDialog() override;

    // Whether OK changed a quote or the fetch mode.
    bool Changed() const { return changed_; }
    // Every page is done (OK is enabled).
    bool Finished() const;

    void accept() override;
    void reject() override;

  private:
    void ShowProgress();
    void UpdateRows(int from, int to);

    CFolari2Doc& doc_;
    std::unique_ptr<InternetFetchRun> run_;
    QDateEdit* date_ = nullptr;
    QLabel* progress_ = nullptr;
    QTreeWidget* quotes_ = nullptr;
    QCheckBox* useBrowser_ = nullptr;
    QPushButton* ok_ = nullptr;
    QTimer* timer_ = nullptr;
    int shownUpTo_ = 0;  // rows below it show their final result
    bool changed_ = false;
};

// The list "Wertpapier" (150), "Kurs" (50), "W." (50), "Status" (170) of both "Kurse aus
// Internet" dialogs, named "quotes", with one row per item showing its security's name.
QTreeWidget* InternetResultList(const CFolari2Doc& doc, const std::vector<InternetFetchItem>& items,
                                QWidget* parent);

// Fetches the prices of `items` with the dialog the document's fetch mode chooses and
// returns whether a quote or the mode changed. The menu command passes every held security
// with internet import, a view's row command the one security of the row.
bool RunInternetQuotes(QWidget* parent, CFolari2Doc& doc, std::vector<InternetFetchItem> items,
                       CQRNDatum today);

}  // namespace pf
