#include "cli/cli_commands_list.h"
#include "model/archive/first_generation.h"

namespace pf::cli {

int ImportV1(const Context& c) {
    const std::string& source = c.args.positional[0];
    const auto result = Load(source, c);
    if (!result) return 1;
    // A current file needs no conversion; resave is the command that rewrites it.
    if (!result->firstGeneration) {
        c.err << source << " ist keine Portfolaris1-Datei.\n";
        return 1;
    }
    if (!Save(result->doc, c.args.positional[1], c.err)) return 1;
    const std::string message = FirstGenerationImportMessage(*result->firstGeneration);
    if (!message.empty()) c.out << message << "\n";
    return 0;
}

}  // namespace pf::cli
