#include "quotes/import_format.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "engine/number_entry.h"
#include "quotes/import_date.h"

namespace pf {

namespace {

// The description is read token by token straight from the caller's text: the working copy
// of the description is an offset into it, so a group body is "copied" and "restored" by
// keeping the offset of its first byte. The position counter equals that offset: it is the
// number of description bytes consumed so far (ignored bytes included) on the first pass
// through the description, which is the only pass that can meet a fault: every repetition
// of a group that does not end the scan reads the whole body.
//
// Where a fault is marked (the dialog selects from there to the end of the description):
// - a "<" that starts no known tag, a ">" outside a group, a "<WIEDERHOLE:" inside a group:
//   at the faulty token's first byte (the ignored bytes before it count as consumed);
// - a field not followed by a literal, anything but ignored bytes after the group's ">":
//   right after the consumed field tag or ">", where the reader looked for what follows.

enum class TokenKind { End, Literal, Field, GroupStart, GroupEnd, Unknown };
enum class FieldKind { Text, Date, DateYearFirst, Price, PricePoint };

struct Token {
    TokenKind kind = TokenKind::End;
    char literal = 0;                   // for a literal: the byte it stands for
    FieldKind field = FieldKind::Text;  // for a field
    size_t begin = 0;                   // offset of its first byte (ignored bytes passed over)
    size_t end = 0;                     // offset after it
};

struct Tag {
    std::string_view text;
    TokenKind kind;
    char literal;
    FieldKind field;
};

// Compared in this order, each by its own length, so "<DATUM>" is tried before
// "<DATUM_JMT>" and "<KURS>" before "<KURS_PKT>" (neither is a prefix of the longer one).
constexpr Tag kTags[] = {
    {"<TAB>", TokenKind::Literal, '\t', FieldKind::Text},
    {"<NZ>", TokenKind::Literal, '\n', FieldKind::Text},
    {"<TEXT>", TokenKind::Field, 0, FieldKind::Text},
    {"<DATUM>", TokenKind::Field, 0, FieldKind::Date},
    {"<DATUM_JMT>", TokenKind::Field, 0, FieldKind::DateYearFirst},
    {"<KURS>", TokenKind::Field, 0, FieldKind::Price},
    {"<KURS_PKT>", TokenKind::Field, 0, FieldKind::PricePoint},
    {"<WIEDERHOLE:", TokenKind::GroupStart, 0, FieldKind::Text},
};

// Bytes 0x00-0x20 and 0x80-0xFF (negative as signed characters) separate tokens freely.
bool IsIgnoredInDescription(unsigned char c) { return c <= 0x20 || c >= 0x80; }

// Between tokens the matcher passes over every text byte except tab, line feed and
// 0x20-0x7F: carriage returns and bytes of other encodings (0x80 up) never stop a line.
bool IsSkippedInText(unsigned char c) { return c != '\t' && c != '\n' && (c < 0x20 || c > 0x7F); }

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithTag(std::string_view rest, std::string_view tag) {
    if (rest.size() < tag.size()) return false;
    for (size_t i = 0; i < tag.size(); ++i)
        if (AsciiUpper(rest[i]) != tag[i]) return false;
    return true;
}

// The token that starts at `pos` after any ignored bytes. Reading never changes the
// description; the caller consumes a token by moving its offset to `end`.
Token ReadToken(std::string_view description, size_t pos) {
    while (pos < description.size() &&
           IsIgnoredInDescription(static_cast<unsigned char>(description[pos])))
        ++pos;
    Token token;
    token.begin = pos;
    token.end = pos;
    if (pos >= description.size()) return token;
    const char c = description[pos];
    token.end = pos + 1;
    if (c == '>') {
        token.kind = TokenKind::GroupEnd;
        return token;
    }
    if (c != '<') {
        token.kind = TokenKind::Literal;
        token.literal = c;
        return token;
    }
    const std::string_view rest = description.substr(pos);
    for (const Tag& tag : kTags) {
        if (!StartsWithTag(rest, tag.text)) continue;
        token.kind = tag.kind;
        token.literal = tag.literal;
        token.field = tag.field;
        token.end = pos + tag.text.size();
        return token;
    }
    token.kind = TokenKind::Unknown;
    return token;
}

enum class Outcome {
    Matched,  // the description (or one repetition of the group) is done, or the text ended
    Stopped,  // the text stopped matching: the scan ends quietly
    Faulty,   // the description is faulty: the scan ends with the error position set
};

class Matcher {
  public:
    Matcher(std::string_view text, std::string_view description, const ImportProgress& progress,
            ImportScan& scan)
        : text_(text), description_(description), progress_(progress), scan_(scan) {}

    Outcome Run() { return Match(0, 0); }
    size_t Cursor() const { return cursor_; }

  private:
    size_t Left() const { return text_.size() - cursor_; }

    // Reports the share of the text read, (total - left) * 100 / total, when the integer
    // percent changes; between changes only one comparison is made.
    void ReportProgress() {
        if (!progress_ || cursor_ < nextProgressAt_) return;
        const uint64_t total = text_.size();
        const int percent = static_cast<int>(uint64_t{cursor_} * 100 / total);
        if (percent != lastPercent_) {
            lastPercent_ = percent;
            progress_(percent);
        }
        // The first cursor at which the percent reaches percent + 1.
        nextProgressAt_ = static_cast<size_t>((uint64_t(percent + 1) * total + 99) / 100);
    }

    Outcome Fault(size_t position) {
        scan_.faulty = true;
        scan_.errorPosition = position;
        return Outcome::Faulty;
    }

    // Matches the description from offset `pos` at the cursor. Depth 0 is the description
    // itself, depth 1 one repetition of the group; groups do not nest, so the recursion is
    // never deeper than that.
    Outcome Match(size_t pos, int depth) {
        if (Left() == 0 || pos >= description_.size()) return Outcome::Matched;
        while (pos < description_.size()) {
            if (Left() == 0) return Outcome::Matched;
            if (IsSkippedInText(static_cast<unsigned char>(text_[cursor_]))) {
                ++cursor_;
                continue;
            }
            ReportProgress();
            const Token token = ReadToken(description_, pos);
            switch (token.kind) {
                case TokenKind::End:
                    return Outcome::Matched;
                case TokenKind::Unknown:
                    // A "<" that starts no known tag: the selection starts at the "<".
                    return Fault(token.begin);
                case TokenKind::GroupEnd:
                    // Outside a group: the selection starts at the ">".
                    if (depth == 0) return Fault(token.begin);
                    // The group must be the last element: anything after its ">" is faulty,
                    // and the selection starts right after the ">".
                    if (ReadToken(description_, token.end).kind != TokenKind::End)
                        return Fault(token.end);
                    return Outcome::Matched;
                case TokenKind::GroupStart:
                    // A group inside a group: the selection starts at the inner tag.
                    if (depth > 0) return Fault(token.begin);
                    return MatchGroup(token.end);
                case TokenKind::Literal:
                    pos = token.end;
                    if (text_[cursor_] != token.literal) return Outcome::Stopped;
                    ++cursor_;
                    break;
                case TokenKind::Field: {
                    pos = token.end;
                    // The terminator is peeked, not consumed: it is matched as the next
                    // literal. Anything else after a field is faulty, and the selection then
                    // starts right after the field's tag.
                    const Token terminator = ReadToken(description_, pos);
                    if (terminator.kind != TokenKind::Literal) return Fault(token.end);
                    const Outcome outcome = MatchField(token.field, terminator.literal);
                    if (outcome != Outcome::Matched) return outcome;
                    break;
                }
            }
        }
        return Outcome::Matched;
    }

    // Repeats the group body from offset `body` until the text ends. A repetition that
    // consumed no byte would repeat for ever (an empty body, "<WIEDERHOLE:>"): the scan
    // ends there instead.
    Outcome MatchGroup(size_t body) {
        while (Left() > 0) {
            const size_t before = cursor_;
            const Outcome outcome = Match(body, 1);
            if (outcome != Outcome::Matched) return outcome;
            if (cursor_ == before) return Outcome::Stopped;
        }
        return Outcome::Matched;
    }

    // Reads one field at the cursor up to (not including) `terminator`. On a stop the cursor
    // stays at the start of the field.
    Outcome MatchField(FieldKind field, char terminator) {
        const void* found = std::memchr(text_.data() + cursor_, terminator, Left());
        if (found == nullptr) return Outcome::Stopped;
        const size_t end = static_cast<size_t>(static_cast<const char*>(found) - text_.data());
        const std::string_view value = text_.substr(cursor_, end - cursor_);
        switch (field) {
            case FieldKind::Text:
                break;
            case FieldKind::Date:
            case FieldKind::DateYearFirst:
                if (!ParseImportDate(WithoutSpaces(value), field == FieldKind::DateYearFirst,
                                     date_))
                    return Outcome::Stopped;
                dateSeen_ = true;
                break;
            case FieldKind::Price:
            case FieldKind::PricePoint:
                // The price reader passes over blanks itself; an unreadable price is 0.
                price_ =
                    ParseQuotePrice(value, field == FieldKind::Price ? ',' : '.').value_or(0.0);
                priceSeen_ = true;
                break;
        }
        cursor_ = end;
        if (field != FieldKind::Text && dateSeen_ && priceSeen_) {
            if (price_ > 0.0) scan_.quotes.push_back(CFL2Kurs{date_, price_});
            dateSeen_ = false;
            priceSeen_ = false;
        }
        return Outcome::Matched;
    }

    // The field's text with its blanks dropped; a view of the text itself when it has none.
    std::string_view WithoutSpaces(std::string_view value) {
        if (value.find(' ') == std::string_view::npos) return value;
        buffer_.clear();
        for (char c : value)
            if (c != ' ') buffer_ += c;
        return buffer_;
    }

    std::string_view text_;
    std::string_view description_;
    const ImportProgress& progress_;
    ImportScan& scan_;
    size_t cursor_ = 0;
    size_t nextProgressAt_ = 0;
    int lastPercent_ = -1;
    bool dateSeen_ = false;
    bool priceSeen_ = false;
    CQRNDatum date_;
    double price_ = 0.0;
    std::string buffer_;
};

// Brings the found quotes into ascending date order with one quote per date, the later line
// winning, as inserting them one after another into a quote history would; done once at the
// end so that a newest-first file costs a reversal instead of an insertion per line.
void Normalise(std::vector<CFL2Kurs>& quotes) {
    const bool strictlyDescending =
        std::adjacent_find(quotes.begin(), quotes.end(), [](const CFL2Kurs& a, const CFL2Kurs& b) {
            return !(b.date < a.date);
        }) == quotes.end();
    if (strictlyDescending) {
        std::reverse(quotes.begin(), quotes.end());
        return;
    }
    QuoteHistory history;
    history.MutableItems() = std::move(quotes);
    history.Normalise();
    quotes = std::move(history.MutableItems());
}

}  // namespace

ImportScan ScanQuoteText(std::string_view text, std::string_view description,
                         const ImportProgress& progress) {
    ImportScan scan;
    Matcher matcher(text, description, progress, scan);
    const Outcome outcome = matcher.Run();
    if (outcome == Outcome::Stopped) {
        const size_t stop = matcher.Cursor();
        const std::string_view rest = text.substr(stop);
        // Only blanks and line ends left (a trailing empty line) is no early stop.
        const bool onlyBlanks = std::all_of(
            rest.begin(), rest.end(), [](char c) { return static_cast<unsigned char>(c) <= 0x20; });
        if (!onlyBlanks) {
            scan.stoppedEarly = true;
            scan.stopOffset = stop;
            scan.stopLine =
                1 + static_cast<int>(std::count(text.begin(), text.begin() + stop, '\n'));
            scan.inLastLineWithoutLineFeed = rest.find('\n') == std::string_view::npos;
        }
    }
    Normalise(scan.quotes);
    return scan;
}

}  // namespace pf
