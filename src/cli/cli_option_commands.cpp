#include <string>

#include "cli/cli_commands_list.h"
#include "shell/report_option_table.h"

namespace pf::cli {

// Lists every report option as "name<TAB>value"; each --set NAME=VALUE is checked and set
// first, in the order given, and the file is saved once when all of them were taken.
int Options(const Context& c) {
    const std::vector<std::string> changes = c.args.Options("--set");
    const auto list = [&](const CFolari2Doc& doc) {
        for (const ReportOptionEntry& entry : ReportOptionEntries())
            c.out << entry.name << '\t' << ReportOptionValue(doc, entry) << '\n';
    };
    if (changes.empty()) {
        auto result = Load(c.args.positional[0], c);
        if (!result) return 1;
        list(result->doc);
        return 0;
    }
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        for (const std::string& change : changes) {
            const size_t equals = change.find('=');
            if (equals == std::string::npos) {
                c.err << "--set erwartet NAME=WERT, nicht „" << change << "“.\n";
                return 2;
            }
            if (const MaybeMessage m =
                    SetReportOption(doc, change.substr(0, equals), change.substr(equals + 1)))
                return Refuse(c, *m);
        }
        list(doc);
        return 0;
    });
}

}  // namespace pf::cli
