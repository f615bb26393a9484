#pragma once

#include <string>
#include <vector>

#include "engine/message.h"
#include "model/date.h"
#include "platform/desktop_launcher.h"
#include "reports/html_page_file.h"

namespace pf {

class CFolari2Doc;

// --- Dialog "HTML-Ansicht konfigurieren" (from the holdings options page) ---

inline constexpr const char* kHtmlConfigTitle = "HTML-Ansicht konfigurieren";
// Focus fields of its messages.
inline constexpr const char* kHtmlFileNameField = "htmlFileName";
inline constexpr const char* kHtmlFontSizesField = "htmlFontSizes";
inline constexpr const char* kHtmlThresholdField = "htmlUnchangedFrom";
// The save dialog of "Auswählen...".
inline constexpr const char* kHtmlFileFilter = "HTML-Dateien (*.htm)";
inline constexpr const char* kHtmlDefaultSuffix = "htm";

// The three choices of the security data under the name, in stored order (HtmlSecurityData),
// built from the document's label of the second identifier.
std::vector<std::string> HtmlSecurityDataChoices(const std::string& isinLabel);

// The dialog's fields as the user left them. The four trend thresholds (percent) are the
// document's trend thresholds, which the quote dialogs' trend icons use too.
struct HtmlConfigForm {
    std::vector<std::string> securityDataChoices;  // HtmlSecurityDataChoices
    int securityData = 0;                          // HtmlSecurityData
    bool buyPriceBesidePieces = false;
    bool targetStopColumn = true;
    bool potentialRiskColumn = true;
    bool dividendColumns = false;
    std::string fontSizes;
    bool userFile = false;
    std::string fileName;
    double unchangedFrom = 0.0;  // lower limit of the unchanged band
    double unchangedTo = 0.0;    // upper limit
    double strongFall = -1.0;
    double strongRise = 1.0;

    static HtmlConfigForm FromDocument(const CFolari2Doc& doc);

    // The first problem, in this order:
    //  1. own file name on and the name empty: "Bitte geben Sie einen Dateinamen an!"
    //     (title "HTML-Ansicht konfigurieren", focus on the name);
    //  2. a font-size setting or a file name with a character the file cannot store;
    //  3. a threshold outside -100 .. 1000 % (or not a number), focus on the first.
    MaybeMessage Check() const;
    // Writes every field into the document's options; only after a passing Check.
    void ApplyTo(CFolari2Doc& doc) const;
};

// --- Command "HTML-Ansicht" of the holdings view ---

inline constexpr const char* kHtmlNotCreatedMessage = "HTML-Datei kann nicht erzeugt werden!";
inline constexpr const char* kBrowserFailedMessage = "Fehler bei Aufruf des Webbrowsers!";

// Writes the holdings page of `date` (WriteHtmlPageFile, images from `imageFolder`) and
// opens it with the desktop's browser. Returns the warning when no file could be written
// (nothing else happens then) or when the browser could not be called; `writtenPath` gets
// the page's path when it was written.
MaybeMessage ShowHtmlPage(const CFolari2Doc& doc, CQRNDatum date, const HtmlPagePlaces& places,
                          const std::string& imageFolder, DesktopLauncher& launcher,
                          std::string* writtenPath = nullptr);

}  // namespace pf
