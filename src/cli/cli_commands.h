#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/clock.h"

namespace pf {

// Runs one command of portfolaris-cli (`args` without the program name) and returns the
// exit code: 0 on success, 1 for a failed command, 2 for wrong usage. Messages for the
// user go to `err`, results to `out`.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const Clock& clock);

}  // namespace pf
