#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "model/archive/document_file.h"
#include "platform/clock.h"

namespace pf::cli {

// The words after the command: positional arguments, "--name value" options and "--flag"
// switches. Parsing stops at the first word it cannot place and says why in `error`.
struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;
    std::set<std::string> flags;
    std::string error;

    std::optional<std::string> Option(const std::string& name) const {
        const auto it = options.find(name);
        return it == options.end() ? std::nullopt : std::optional<std::string>(it->second);
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
// A currency given by its symbol (--currency), else the base currency; false after an error.
bool CurrencyOption(const Context& c, const CFolari2Doc& doc, int32_t& out);

std::string OneLine(std::string text);
// An amount with 2 decimals and the document's separators.
std::string Money(const CFolari2Doc& doc, double value);

}  // namespace pf::cli
