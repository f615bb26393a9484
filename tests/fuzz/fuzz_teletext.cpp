// Feeds arbitrary teletext pages, page states, topic lists and marked ranges through the
// teletext quote import: the page selection dialog, the query of a security and the
// stand-in server's answers, connected in process (no socket). The input is
//   byte 0     flags: bit 0 gives the page a state file, bit 1 makes the answers scripted
//              (below) instead of served by the stand-in from the page;
//   bytes 1-4  the range marked as the price, start and end character offsets (16 bits
//              each, big-endian);
//   bytes 5-8  the range marked as the control text;
// then four fields separated by zero bytes: the page state, a topic and an item asked of
// the stand-in directly (scripted: the topic list and the answer to every box), and the
// page (the rest of the input).
// The stand-in serves the page as page "100". Besides crashes and sanitizer reports it is
// a fault when a served row is wider than the 40 columns, when a name that could leave the
// folder is served, when a price read is not a positive finite number within the cap or
// its status does not fit, and, on a plain page (no carriage return, no zero byte), when a
// range marked within one row does not come back from the query: the control text must
// match and the price must read as the marked text reads.

#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/number_entry.h"
#include "fuzz_fields.h"
#include "model/security.h"
#include "model/text_codec.h"
#include "platform/dde_client.h"
#include "platform/vtplus_standin_server.h"
#include "quotes/vtplus_quotes.h"

namespace {

namespace fs = std::filesystem;
using pf::fuzz::Check;

constexpr std::string_view kPage = "100";

bool Sendable(std::string_view name) {
    return name.size() <= pf::kDdeMaxName &&
           name.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

// What the socket client hands on: at most kDdeMaxAnswer bytes, cut before a zero byte.
std::string AsReceived(std::string answer) {
    if (answer.size() > pf::kDdeMaxAnswer) answer.resize(pf::kDdeMaxAnswer);
    if (const std::size_t zero = answer.find('\0'); zero != std::string::npos) answer.resize(zero);
    return answer;
}

// Answers either from the stand-in's folder or from fixed texts.
struct Answers {
    std::string folder;
    bool scripted = false;
    std::string topics;  // scripted: the answer to "Topics"
    std::string status;  // scripted: the answer to "Status"
    std::string box;     // scripted: the answer to every other item

    std::optional<std::string> Answer(const std::string& topic, std::string_view item) const {
        if (!scripted) return pf::VtplusStandinServer::Answer(folder, topic, item);
        if (topic == "System") return topics;
        if (item == "Status") return status;
        return box;
    }
};

class InProcessConversation final : public pf::DdeConversation {
  public:
    InProcessConversation(const Answers& answers, std::string topic)
        : answers_(answers), topic_(std::move(topic)) {}
    std::optional<std::string> Request(std::string_view item) override {
        if (item.empty() || !Sendable(item)) return std::nullopt;
        std::optional<std::string> answer = answers_.Answer(topic_, item);
        if (!answer) return std::nullopt;
        return AsReceived(std::move(*answer));
    }

  private:
    const Answers& answers_;
    std::string topic_;
};

class InProcessClient final : public pf::DdeClient {
  public:
    explicit InProcessClient(const Answers& answers) : answers_(answers) {}
    pf::DdeConnectResult Connect(std::string_view service, std::string_view topic) override {
        pf::DdeConnectResult result;
        if (service.empty() || !Sendable(service) || !Sendable(topic)) {
            result.failure = pf::DdeConnectFailure::BadName;
            return result;
        }
        if (service != pf::kVtplusService ||
            (!answers_.scripted && !pf::VtplusStandinServer::HasTopic(answers_.folder, topic)))
            return result;
        result.conversation = std::make_unique<InProcessConversation>(answers_, std::string(topic));
        return result;
    }

  private:
    const Answers& answers_;
};

const std::string& Folder() {
    static const std::string folder = [] {
        std::string pattern = (fs::temp_directory_path() / "pf-fuzz-teletext-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        return pattern;
    }();
    return folder;
}

void WriteFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) std::abort();
}

std::size_t Offset(const uint8_t* bytes) {
    return static_cast<std::size_t>(bytes[0]) << 8 | bytes[1];
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

bool KnownStatus(std::string_view status) {
    for (const std::string_view known :
         {pf::kVtplusNoExchange, pf::kVtplusExchangeFailed, pf::kVtplusPageNotFound,
          pf::kVtplusPageLoading, pf::kVtplusWrongControl, pf::kVtplusMissingControl,
          pf::kVtplusBadPrice, pf::kVtplusOkay})
        if (status == known) return true;
    return false;
}

// Every row of a served box or page fits the 40 columns of a teletext row.
void CheckRows(std::string_view answer) {
    for (;;) {
        const std::size_t end = answer.find("\r\n");
        Check(answer.substr(0, end).size() <= 40);
        if (end == std::string_view::npos) return;
        answer.remove_prefix(end + 2);
    }
}

// The marked characters [start, end) of a UTF-8 text, as TakeQuote orders and clamps them.
std::string Marked(std::string_view text, std::size_t start, std::size_t end) {
    if (start > end) std::swap(start, end);
    std::string out;
    std::size_t character = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool lead = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (lead && i > 0) ++character;
        if (character >= end) break;
        if (character >= start) out.push_back(text[i]);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 9) return 0;
    const bool withState = (data[0] & 1) != 0;
    Answers answers;
    answers.folder = Folder();
    answers.scripted = (data[0] & 2) != 0;
    const std::size_t quoteStart = Offset(data + 1), quoteEnd = Offset(data + 3);
    const std::size_t controlStart = Offset(data + 5), controlEnd = Offset(data + 7);
    const std::vector<std::string_view> fields = pf::fuzz::SplitFields(
        std::string_view(reinterpret_cast<const char*>(data) + 9, size - 9), 4);
    const std::string_view state = fields[0], topic = fields[1], item = fields[2], page = fields[3];

    const fs::path folder(answers.folder);
    WriteFile(folder / (std::string(kPage) + ".txt"), page);
    std::error_code ignored;
    if (withState)
        WriteFile(folder / (std::string(kPage) + ".status"), state);
    else
        fs::remove(folder / (std::string(kPage) + ".status"), ignored);

    if (answers.scripted) {
        answers.topics = std::string(topic);
        answers.status = std::string(state);
        answers.box = std::string(item);
    } else {
        // The stand-in on its own: nothing outside the folder, and rows of 40 columns.
        const std::optional<std::string> direct =
            pf::VtplusStandinServer::Answer(answers.folder, topic, item);
        const bool system = EqualIgnoringAsciiCase(topic, "System");
        if (topic != kPage && !system) Check(!direct);
        if (direct && !system && !EqualIgnoringAsciiCase(item, "Status")) CheckRows(*direct);
    }

    InProcessClient client(answers);
    pf::VtplusSelectionForm form = pf::VtplusSelectionForm::Open(client, {});
    for (const std::string& name : form.pages)
        Check(!name.empty() && name.find('\t') == std::string::npos);
    form.TakeQuote(quoteStart, quoteEnd);
    form.TakeControlText(controlStart, controlEnd);
    const pf::VtplusSelection selection = form.Result();

    pf::CFL2Wertpapier security;
    security.id = 1;
    security.vtplusImport = 1;
    security.vtplusPage = selection.page.empty() ? std::string(kPage) : selection.page;
    security.vtplusSubpage = selection.subpage.empty() ? "1" : selection.subpage;
    security.vtplusQuotePosition = selection.quotePosition;
    security.vtplusControlText = selection.controlText;
    security.vtplusControlText2 = selection.controlPosition;
    security.vtplusDecimalSeparator = selection.decimalSeparator;
    const pf::VtplusItem result = pf::QueryVtplusQuote(client, security);

    Check(KnownStatus(result.status));
    Check((result.status == pf::kVtplusOkay) == (result.priceRead && result.controlMatched));
    if (result.priceRead)
        Check(std::isfinite(result.price) && result.price > 0.0 &&
              result.price <= pf::fuzz::kMaxPrice);

    // On a plain page that was served and shown whole, a range marked within one row is
    // read back by the query exactly as it was marked.
    if (answers.scripted ||
        page.find_first_of(std::string_view("\r\0", 2)) != std::string_view::npos)
        return 0;
    const std::optional<std::string> served =
        pf::VtplusStandinServer::Answer(answers.folder, kPage, "1,1");
    const std::optional<std::string> status =
        pf::VtplusStandinServer::Answer(answers.folder, kPage, "Status");
    // A state other than "Ready" shows a message instead of the page; the page is not
    // marked then.
    if (!served || AsReceived(*served).empty() || !status ||
        !EqualIgnoringAsciiCase(AsReceived(*status), "Ready"))
        return 0;
    const std::string shown = pf::Windows1252ToUtf8(AsReceived(*served));
    Check(form.pageText == shown);
    const std::string control = Marked(shown, controlStart, controlEnd);
    const bool controlInRow = !control.empty() && control.find('\n') == std::string::npos;
    if (controlInRow) Check(result.controlMatched);
    const std::string quote = Marked(shown, quoteStart, quoteEnd);
    if (!quote.empty() && quote.find('\n') == std::string::npos) {
        const std::optional<std::string> bytes = pf::Utf8ToWindows1252(quote);
        Check(bytes.has_value());
        const std::optional<double> expected =
            pf::ParseQuotePrice(*bytes, quote.find(',') != std::string::npos ? ',' : '.');
        const bool readable = expected && *expected > 0.0;
        if (controlInRow) {
            Check(result.priceRead == readable);
            if (readable) Check(result.price == *expected);
        }
    }
    return 0;
}
