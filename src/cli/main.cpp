#include <iostream>

#include "cli/cli_commands.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const pf::SystemClock clock;
    return pf::RunCli(args, std::cout, std::cerr, clock);
}
