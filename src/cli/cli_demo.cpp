#include <filesystem>

#include "cli/cli_commands_list.h"
#include "samples/demo_portfolios.h"

namespace pf::cli {

int Demo(const Context& c) {
    const std::filesystem::path folder = c.args.positional[0];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (int number = 1; number <= kDemoPortfolioCount; ++number) {
        const std::filesystem::path path = folder / ("Demo" + std::to_string(number) + ".fl2");
        if (!Save(MakeDemoPortfolio(number), path.string(), c.err)) return 1;
    }
    return 0;
}

}  // namespace pf::cli
