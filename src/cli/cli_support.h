#pragma once

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "engine/message.h"
#include "model/archive/document_file.h"
#include "platform/clock.h"

namespace pf::cli {

// The words after the command: positional arguments, "--name value" options and "--flag"
// switches. Parsing stops at the first word it cannot place and says why in `error`. An
// option given more than once keeps every value in `repeated`, in the order given; `options`
// and Option() hold the last one.
struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;
    std::map<std::string, std::vector<std::string>> repeated;
    std::set<std::string> flags;
    std::string error;

    std::optional<std::string> Option(const std::string& name) const {
        const auto it = options.find(name);
        return it == options.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    std::vector<std::string> Options(const std::string& name) const {
        const auto it = repeated.find(name);
        return it == repeated.end() ? std::vector<std::string>{} : it->second;
    }
    bool Flag(const std::string& name) const { return flags.count(name) != 0; }
};
Arguments Parse(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
                const std::set<std::string>& flagOptions);

struct Context {
    const Arguments& args;
    const Clock& clock;
    std::ostream& out;
    std::ostream& err;
};

CQRNDatum Today(const Clock& clock);

// Reads a file and reports a failure the way the desktop program does: the German message,
// then the detail on a second line. The password comes from --password.
std::optional<ReadResult> Load(const std::string& path, const Context& c);
bool Save(const CFolari2Doc& doc, const std::string& path, std::ostream& err);

// A date option written as in the program ("05.03.2011"); false after an error message.
bool DateOption(const Context& c, const std::string& name, std::optional<CQRNDatum>& out);
// A required option; empty optional after the usage message "COMMAND braucht NAME.".
std::optional<std::string> Required(const Context& c, const std::string& command,
                                    const std::string& name);
// A date option the command cannot do without. Returns 0, or the exit code after a message
// (2 when it is missing, 1 when it does not read).
int RequiredDate(const Context& c, const std::string& command, const std::string& name,
                 CQRNDatum& out);
// A whole number option the command cannot do without (an id, a position number). Returns
// 0, or 2 after a usage message.
int RequiredNumber(const Context& c, const std::string& command, const std::string& name,
                   int32_t& out);
// A currency given by its symbol (--currency), else the base currency; false after an error.
bool CurrencyOption(const Context& c, const CFolari2Doc& doc, int32_t& out);

// The commands that change a file: loads positional[0], runs `change` on the document and,
// when it returns 0, saves the document over the file unless --dry-run is given. Returns the
// exit code: `change`'s own (1 or 2 write nothing) or 1 when loading or saving fails.
int ChangeFile(const Context& c, const std::function<int(CFolari2Doc&)>& change);
// A refusal of a form: its text on stderr (as the dialog shows it); returns exit code 1.
int Refuse(const Context& c, const Message& message);
// The end of a command that stores a transaction: prints the id the form's Apply returned;
// -1 (the form stored nothing although it accepted) is an error, never a success.
int Stored(const Context& c, int32_t id);
// A switch given as "0" or "1"; absent leaves `out` alone. False after a usage message.
bool SwitchOption(const Context& c, const std::string& name, bool& out);

// The security with exactly this WKN; nullptr when there is none.
const CFL2Wertpapier* FindSecurityByWkn(const CFolari2Doc& doc, const std::string& wkn);
// The messages for a WKN or currency symbol the file does not hold; return exit code 1.
int UnknownSecurity(const Context& c, const std::string& wkn);
int UnknownCurrency(const Context& c, const std::string& symbol);

std::string OneLine(std::string text);
// A text as one tab-separated field: tabs and line ends become spaces.
std::string TsvField(std::string text);
// An amount with 2 decimals and the document's separators.
std::string Money(const CFolari2Doc& doc, double value);

}  // namespace pf::cli
