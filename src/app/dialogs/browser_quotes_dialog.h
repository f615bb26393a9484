#pragma once

#include <QDialog>

#include "model/date.h"
#include "quotes/browser_fetch.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTimer;
class QTreeWidget;
class QWebEngineView;

namespace pf {

class CFolari2Doc;

// "Kurse aus Internet" with the browser: shows the page of each item in an embedded browser,
// one after the other, and reads the price from the page as the browser has it (scripts
// run, no entity decoding). OK, enabled after the last page, stores the prices read and the
// fetch mode for the next time. Widgets: "date", "progress", "quotes", "browser", "useFast",
// the buttons of the box.
class BrowserQuotesDialog : public QDialog {
    Q_OBJECT

  public:
    BrowserQuotesDialog(CFolari2Doc& doc, std::vector<InternetFetchItem> items, CQRNDatum today,
                        QWidget* parent = nullptr);

    bool Changed() const { return changed_; }
    bool Finished() const { return finished_; }

    void accept() override;

  private:
    void Follow(BrowserFetchSequence::Step step);
    void PageLoaded(bool ok);
    void ShowRow(int row);
    void ShowProgress();

    CFolari2Doc& doc_;
    BrowserFetchSequence run_;
    QDateEdit* date_ = nullptr;
    QLabel* progress_ = nullptr;
    QTreeWidget* quotes_ = nullptr;
    QWebEngineView* browser_ = nullptr;
    QCheckBox* useFast_ = nullptr;
    QPushButton* ok_ = nullptr;
    QTimer* timer_ = nullptr;
    bool loading_ = false;
    bool finished_ = false;
    bool changed_ = false;
    int page_ = 0;  // counts the pages shown, so that a late answer of a page left is dropped
};

// What the embedded browser needs before the QApplication is made: shared OpenGL contexts,
// and for a process running as root (which the browser's sandbox refuses) no sandbox.
void PrepareEmbeddedBrowser();

}  // namespace pf
