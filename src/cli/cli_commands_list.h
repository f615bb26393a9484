#pragma once

#include "cli/cli_support.h"

namespace pf::cli {

// Each command returns the exit code: 0 success, 1 failure (message on stderr).
int Info(const Context& c);
int Resave(const Context& c);
int New(const Context& c);
int Sample(const Context& c);
int Demo(const Context& c);
int Lots(const Context& c);
int Series(const Context& c);
int Report(const Context& c);

}  // namespace pf::cli
