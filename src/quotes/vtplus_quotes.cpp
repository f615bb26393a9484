#include "quotes/vtplus_quotes.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "engine/holdings.h"
#include "engine/number_entry.h"
#include "model/document.h"
#include "model/text_codec.h"
#include "platform/dde_client.h"
#include "quotes/price_entry.h"
#include "quotes/quote_result_rows.h"

namespace pf {

namespace {

constexpr int kPageColumns = 40;
constexpr int kMaxSubpage = 99;

// Windows-1252 letter case: ASCII, the accented letters 0xC0-0xDE (without 0xD7 "×") and
// Š Œ Ž Ÿ fold to their small forms.
unsigned char FoldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 0x10);
    if (c == 0x9F) return 0xFF;
    return c;
}

bool EqualIgnoringCase1252(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldCase(static_cast<unsigned char>(x)) ==
                      FoldCase(static_cast<unsigned char>(y));
           });
}

bool IsReady(std::string_view status) { return EqualIgnoringCase1252(status, "Ready"); }

std::string WithoutLineBreaks(std::string_view text) {
    std::string out;
    for (const char c : text)
        if (c != '\r' && c != '\n') out.push_back(c);
    return out;
}

// "S,S,,,B(box)" in Windows-1252, or nothing when it cannot be written so.
std::optional<std::string> BoxItem(const std::string& subpage, const std::string& box) {
    return Utf8ToWindows1252(subpage + "," + subpage + ",,,B(" + box + ")");
}

VtplusItem Failed(VtplusItem item, std::string_view status) {
    item.status = std::string(status);
    return item;
}

// The byte index of the `offset`-th character of a UTF-8 text (its size when beyond).
std::size_t ByteIndex(std::string_view text, std::size_t offset) {
    std::size_t at = 0;
    for (std::size_t n = 0; n < offset && at < text.size(); ++n) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
    }
    return at;
}

std::string BoxText(VtplusTextPoint start, VtplusTextPoint end) {
    return std::to_string(start.column) + "/" + std::to_string(start.row) + "/" +
           std::to_string(end.column) + "/" + std::to_string(end.row);
}

}  // namespace

std::vector<int32_t> VtplusSecurityIds(const CFolari2Doc& doc) {
    std::vector<const CFL2Wertpapier*> chosen;
    for (const CFL2Wertpapier& s : doc.securities)
        if (s.vtplusImport != 0) chosen.push_back(&s);
    std::stable_sort(chosen.begin(), chosen.end(),
                     [](const CFL2Wertpapier* a, const CFL2Wertpapier* b) {
                         return LessIgnoringCase(a->name, b->name);
                     });
    std::vector<int32_t> ids;
    for (const CFL2Wertpapier* s : chosen) ids.push_back(s->id);
    return ids;
}

VtplusItem QueryVtplusQuote(DdeClient& client, const CFL2Wertpapier& security) {
    VtplusItem item;
    item.securityId = security.id;
    const std::optional<std::string> topic = Utf8ToWindows1252(security.vtplusPage);
    if (!topic) return Failed(item, kVtplusExchangeFailed);
    DdeConnectResult connection = client.Connect(kVtplusService, *topic);
    if (!connection.conversation) {
        switch (connection.failure) {
            case DdeConnectFailure::NoServer:
                return Failed(item, kVtplusNoExchange);
            case DdeConnectFailure::BadName:
                return Failed(item, kVtplusExchangeFailed);
            case DdeConnectFailure::NoConversation:
                return Failed(item, kVtplusPageNotFound);
        }
        return Failed(item, kVtplusPageNotFound);
    }
    DdeConversation& conversation = *connection.conversation;

    const std::optional<std::string> status = conversation.Request("Status");
    if (!status) return Failed(item, kVtplusExchangeFailed);
    if (!IsReady(*status)) return Failed(item, kVtplusPageLoading);

    if (!security.vtplusControlText.empty() && !security.vtplusControlText2.empty()) {
        const std::optional<std::string> request =
            BoxItem(security.vtplusSubpage, security.vtplusControlText2);
        if (!request) return Failed(item, kVtplusExchangeFailed);
        const std::optional<std::string> answer = conversation.Request(*request);
        if (!answer) return Failed(item, kVtplusExchangeFailed);
        // A control text the wire cannot carry can never have been sent back.
        const std::optional<std::string> expected = Utf8ToWindows1252(security.vtplusControlText);
        if (expected && EqualIgnoringCase1252(WithoutLineBreaks(*answer), *expected))
            item.controlMatched = true;
        else
            item.status = std::string(kVtplusWrongControl);
    } else {
        item.status = std::string(kVtplusMissingControl);
    }

    const std::optional<std::string> request =
        BoxItem(security.vtplusSubpage, security.vtplusQuotePosition);
    if (!request) return Failed(item, kVtplusExchangeFailed);
    const std::optional<std::string> answer = conversation.Request(*request);
    if (!answer) return Failed(item, kVtplusExchangeFailed);
    const std::optional<double> price =
        ParseQuotePrice(*answer, security.vtplusDecimalSeparator == 1 ? '.' : ',');
    // A price of 0 would be stored as a quote nobody can tell from a missing one.
    if (!price || !(*price > 0.0)) return Failed(item, kVtplusBadPrice);
    item.priceRead = true;
    item.price = *price;
    if (item.controlMatched) item.status = std::string(kVtplusOkay);
    return item;
}

std::vector<VtplusItem> QueryVtplusQuotes(DdeClient& client, const CFolari2Doc& doc) {
    std::vector<VtplusItem> items;
    for (const int32_t id : VtplusSecurityIds(doc))
        if (const CFL2Wertpapier* security = doc.FindSecurity(id))
            items.push_back(QueryVtplusQuote(client, *security));
    return items;
}

bool ApplyVtplusQuotes(CFolari2Doc& doc, const std::vector<VtplusItem>& items, CQRNDatum date,
                       bool acceptWrongControl) {
    return doc.Edit([&](CFolari2Doc& d) {
        bool changed = false;
        for (const VtplusItem& item : items) {
            if (!item.priceRead || !(item.controlMatched || acceptWrongControl)) continue;
            CFL2Wertpapier* security = d.FindSecurity(item.securityId);
            if (security == nullptr) continue;
            if (security->quotes.SetQuote(date, item.price) != 0) changed = true;
        }
        return changed;
    });
}

std::vector<VtplusQuoteRow> VtplusQuoteRows(const CFolari2Doc& doc,
                                            const std::vector<VtplusItem>& items, CQRNDatum date,
                                            const TrendThresholds& thresholds) {
    QuoteResultRows maker(doc, date, {}, thresholds);
    std::vector<VtplusQuoteRow> rows;
    for (const VtplusItem& item : items)
        if (std::optional<QuoteResultRow> row =
                maker.Row(item.securityId, item.priceRead, item.price, item.status))
            rows.push_back(std::move(*row));
    return rows;
}

VtplusQuotesForm VtplusQuotesForm::Open(const CFolari2Doc& doc, DdeClient& client, CQRNDatum today,
                                        const TrendThresholds& thresholds) {
    VtplusQuotesForm form;
    form.date = today;
    form.thresholds = thresholds;
    form.Refresh(doc, client);
    return form;
}

void VtplusQuotesForm::Refresh(const CFolari2Doc& doc, DdeClient& client) {
    items = QueryVtplusQuotes(client, doc);
}

std::vector<VtplusQuoteRow> VtplusQuotesForm::Rows(const CFolari2Doc& doc) const {
    return VtplusQuoteRows(doc, items, date, thresholds);
}

bool VtplusQuotesForm::Apply(CFolari2Doc& doc) const {
    return ApplyVtplusQuotes(doc, items, date, acceptWrongControl);
}

// ---- "Kursauswahl aus VTPlus" ------------------------------------------------------------

VtplusTextPoint VtplusOffsetToRowColumn(std::string_view text, std::size_t offset, bool isEnd) {
    VtplusTextPoint point;
    const std::size_t stop = ByteIndex(text, offset);
    for (std::size_t i = 0; i < stop; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            ++point.row;
            point.column = 0;
        } else if (c != '\r' && (c & 0xC0) != 0x80) {
            ++point.column;  // one per character, not per UTF-8 byte
        }
    }
    if (isEnd) {
        --point.column;
        if (point.column < 0) {
            point.column = kPageColumns - 1;
            --point.row;
        }
    }
    return point;
}

VtplusSelectionForm VtplusSelectionForm::Open(DdeClient& client, const VtplusSelection& current) {
    VtplusSelectionForm form;
    form.startPage_ = current.page;
    form.startSubpage_ = current.subpage;
    form.quotePosition = current.quotePosition;
    form.controlText = current.controlText;
    form.controlPosition = current.controlPosition;
    form.decimalSeparator = current.decimalSeparator;
    form.LoadTopics(client);
    form.selectedPage = form.pages.empty() ? -1 : 0;
    form.Load(client);
    return form;
}

std::vector<std::string> VtplusSelectionForm::SubpageChoices() {
    std::vector<std::string> choices;
    for (int n = 1; n <= kMaxSubpage; ++n) choices.push_back(std::to_string(n));
    return choices;
}

void VtplusSelectionForm::LoadTopics(DdeClient& client) {
    pages.clear();
    const DdeConnectResult system = client.Connect(kVtplusService, kVtplusSystemTopic);
    if (!system.conversation) return;
    const std::optional<std::string> topics = system.conversation->Request("Topics");
    if (!topics) return;
    std::string_view rest = *topics;
    for (;;) {
        const std::size_t tab = rest.find('\t');
        const std::string_view topic = rest.substr(0, tab);
        if (!topic.empty() && !EqualIgnoringCase1252(topic, kVtplusSystemTopic))
            pages.push_back(Windows1252ToUtf8(topic));
        if (tab == std::string_view::npos) break;
        rest.remove_prefix(tab + 1);
    }
}

void VtplusSelectionForm::Load(DdeClient& client) {
    if (selectedPage < 0 || static_cast<std::size_t>(selectedPage) >= pages.size()) {
        pageText = "Keine Seiten gefunden!";
        return;
    }
    const std::optional<std::string> topic =
        Utf8ToWindows1252(pages[static_cast<std::size_t>(selectedPage)]);
    DdeConnectResult connection;
    if (topic) connection = client.Connect(kVtplusService, *topic);
    if (!connection.conversation) {
        pageText = "Keine Verbindung\nzu VTPlus!";
        return;
    }
    const std::optional<std::string> status = connection.conversation->Request("Status");
    if (!status || !IsReady(*status)) {
        pageText = "Seite ist noch\r\nnicht vollständig\r\ngeladen!";
        return;
    }
    const std::string item = std::to_string(subpage) + "," + std::to_string(subpage);
    const std::optional<std::string> page = connection.conversation->Request(item);
    if (!page || page->empty()) {
        pageText = "Seite wurde nicht\r\ngefunden!";
        return;
    }
    pageText = Windows1252ToUtf8(*page);
}

void VtplusSelectionForm::SelectPage(DdeClient& client, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= pages.size()) return;
    selectedPage = index;
    Load(client);
}

void VtplusSelectionForm::SelectSubpage(DdeClient& client, int newSubpage) {
    if (newSubpage < 1 || newSubpage > kMaxSubpage) return;
    subpage = newSubpage;
    Load(client);
}

void VtplusSelectionForm::Reload(DdeClient& client) {
    const std::string chosen =
        selectedPage >= 0 && static_cast<std::size_t>(selectedPage) < pages.size()
            ? pages[static_cast<std::size_t>(selectedPage)]
            : std::string();
    LoadTopics(client);
    const auto it = std::find(pages.begin(), pages.end(), chosen);
    selectedPage = it != pages.end() ? static_cast<int>(it - pages.begin())
                   : pages.empty()   ? -1
                                     : 0;
    Load(client);
}

MaybeMessage VtplusSelectionForm::TakeQuote(std::size_t start, std::size_t end) {
    if (start > end) std::swap(start, end);
    const std::size_t from = ByteIndex(pageText, start), to = ByteIndex(pageText, end);
    if (from >= to)
        return Message::Refusal(
            kVtplusSelectionTitle,
            "Bitte wählen Sie zuerst im Auswahlfeld den Kurs für das Wertpapier aus!",
            kVtplusSelectionField);
    const std::string marked = pageText.substr(from, to - from);
    const std::string box = BoxText(VtplusOffsetToRowColumn(pageText, start, false),
                                    VtplusOffsetToRowColumn(pageText, end, true));
    quotePosition = box;
    quoteShown = "\"" + marked + "\" (" + box + ")";
    decimalSeparator = marked.find(',') != std::string::npos ? 0 : 1;
    return std::nullopt;
}

MaybeMessage VtplusSelectionForm::TakeControlText(std::size_t start, std::size_t end) {
    if (start > end) std::swap(start, end);
    const std::size_t from = ByteIndex(pageText, start), to = ByteIndex(pageText, end);
    if (from >= to)
        return Message::Refusal(
            kVtplusSelectionTitle,
            "Bitte wählen Sie zuerst im Auswahlfeld den Kontrolltext für das Wertpapier aus!",
            kVtplusSelectionField);
    const std::string marked = pageText.substr(from, to - from);
    const std::string box = BoxText(VtplusOffsetToRowColumn(pageText, start, false),
                                    VtplusOffsetToRowColumn(pageText, end, true));
    controlPosition = box;
    // The query compares the box without its line breaks, so a range over several rows is
    // stored without them too; otherwise it could never match.
    controlText = WithoutLineBreaks(marked);
    controlShown = "\"" + marked + "\" (" + box + ")";
    return std::nullopt;
}

VtplusSelection VtplusSelectionForm::Result() const {
    VtplusSelection result;
    if (selectedPage >= 0 && static_cast<std::size_t>(selectedPage) < pages.size()) {
        result.page = pages[static_cast<std::size_t>(selectedPage)];
        result.subpage = std::to_string(subpage);
    } else {
        result.page = startPage_;
        result.subpage = startSubpage_;
    }
    result.quotePosition = quotePosition;
    result.controlText = controlText;
    result.controlPosition = controlPosition;
    result.decimalSeparator = decimalSeparator;
    return result;
}

}  // namespace pf
