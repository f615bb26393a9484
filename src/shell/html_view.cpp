#include "shell/html_view.h"

#include "engine/form_model.h"
#include "model/document.h"
#include "reports/html_page.h"
#include "shell/document_session.h"
#include "shell/general_options_form.h"

namespace pf {

std::vector<std::string> HtmlSecurityDataChoices(const std::string& isinLabel) {
    return {"WKN, Typ", "WKN, " + isinLabel, isinLabel + ", Typ"};
}

HtmlConfigForm HtmlConfigForm::FromDocument(const CFolari2Doc& doc) {
    const HtmlPageOptions& html = doc.options.htmlPage;
    const InternetQuoteOptions& trend = doc.options.internetQuotes;
    HtmlConfigForm form;
    form.securityDataChoices = HtmlSecurityDataChoices(doc.options.isinLabel);
    form.securityData = html.securityData;
    form.buyPriceBesidePieces = html.buyPriceBesidePieces != 0;
    form.targetStopColumn = html.targetStopColumn != 0;
    form.potentialRiskColumn = html.potentialRiskColumn != 0;
    form.dividendColumns = html.dividendColumns != 0;
    form.fontSizes = html.fontSizes;
    form.userFile = html.userFile != 0;
    form.fileName = html.userFileName;
    form.unchangedFrom = trend.trendFall;
    form.unchangedTo = trend.trendRise;
    form.strongFall = trend.trendStrongFall;
    form.strongRise = trend.trendStrongRise;
    return form;
}

MaybeMessage HtmlConfigForm::Check() const {
    if (userFile && fileName.empty())
        return Message::Refusal(kHtmlConfigTitle, "Bitte geben Sie einen Dateinamen an!",
                                kHtmlFileNameField);
    if (MaybeMessage m =
            CheckStorableText(fontSizes, "Schriftgrößen", kHtmlConfigTitle, kHtmlFontSizesField))
        return m;
    if (MaybeMessage m = CheckStorableText(fileName, "Benutzerdefinierter Dateiname",
                                           kHtmlConfigTitle, kHtmlFileNameField))
        return m;
    for (const double t : {unchangedFrom, unchangedTo, strongFall, strongRise})
        if (!(t >= kMinTrendThreshold && t <= kMaxTrendThreshold))
            return Message::Refusal(
                kHtmlConfigTitle,
                "Bitte geben Sie für die Trendpfeile Werte von -100 bis 1000 Prozent ein!",
                kHtmlThresholdField);
    return std::nullopt;
}

void HtmlConfigForm::ApplyTo(CFolari2Doc& doc) const {
    HtmlPageOptions& html = doc.options.htmlPage;
    html.securityData = securityData;
    html.buyPriceBesidePieces = buyPriceBesidePieces ? 1 : 0;
    html.targetStopColumn = targetStopColumn ? 1 : 0;
    html.potentialRiskColumn = potentialRiskColumn ? 1 : 0;
    html.dividendColumns = dividendColumns ? 1 : 0;
    html.fontSizes = fontSizes;
    html.userFile = userFile ? 1 : 0;
    html.userFileName = fileName;
    InternetQuoteOptions& trend = doc.options.internetQuotes;
    trend.trendFall = unchangedFrom;
    trend.trendRise = unchangedTo;
    trend.trendStrongFall = strongFall;
    trend.trendStrongRise = strongRise;
}

MaybeMessage ShowHtmlPage(const CFolari2Doc& doc, CQRNDatum date, const HtmlPagePlaces& places,
                          const std::string& imageFolder, DesktopLauncher& launcher,
                          std::string* writtenPath) {
    const std::string page = BuildHoldingsHtmlPage(doc, date, FolderFileUrl(imageFolder));
    const std::optional<std::string> path = WriteHtmlPageFile(page, doc.options.htmlPage, places);
    if (!path) return Message{kAppTitle, kHtmlNotCreatedMessage, MessageIcon::Exclamation, {}};
    if (writtenPath) *writtenPath = *path;
    if (!launcher.OpenFile(*path))
        return Message{kAppTitle, kBrowserFailedMessage, MessageIcon::Exclamation, {}};
    return std::nullopt;
}

}  // namespace pf
