#pragma once

#include <QDialog>
#include <string>

#include "model/date.h"
#include "quotes/vtplus_quotes.h"

class QCheckBox;
class QDateEdit;
class QTreeWidget;

namespace pf {

class CFolari2Doc;
class DdeClient;
class SettingsStore;

// The profile entry (section "Settings") that names the socket of the teletext bridge.
inline constexpr const char* kVtplusSocketEntry = "VTPlusSocket";
// The socket the profile names; DefaultVtplusSocketPath() when it names none (or "").
std::string VtplusSocketPathOf(const SettingsStore& settings);

// "Kurse aus VTPlus": reads every security set up for teletext import from its page when it
// opens and on "&aktualisieren", and lists price, currency, status and trend icon; OK stores
// the prices read at the chosen date (those with a wrong or missing control text only while
// the check box is ticked). The conversation is synchronous: a page that does not answer
// holds the dialog for at most the client's time-out per request. Widgets: "date", "refresh",
// "acceptWrongControl", "quotes", the buttons of the box.
class VtplusQuotesDialog : public QDialog {
    Q_OBJECT

  public:
    // `client` is used for every query and must outlive the dialog.
    VtplusQuotesDialog(CFolari2Doc& doc, DdeClient& client, CQRNDatum today,
                       QWidget* parent = nullptr);

    const VtplusQuotesForm& Form() const { return form_; }
    // Whether OK changed a quote.
    bool Changed() const { return changed_; }

    void accept() override;

  private:
    void Refresh();
    void ShowRows();

    CFolari2Doc& doc_;
    DdeClient& client_;
    VtplusQuotesForm form_;
    bool changed_ = false;
    QDateEdit* date_ = nullptr;
    QCheckBox* acceptWrongControl_ = nullptr;
    QTreeWidget* quotes_ = nullptr;
};

// Opens "Kurse aus VTPlus" with a client on `socketPath`; returns whether OK changed a quote.
bool RunVtplusQuotes(QWidget* parent, CFolari2Doc& doc, CQRNDatum today,
                     const std::string& socketPath);

}  // namespace pf
