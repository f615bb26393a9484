#include "reports/report_object.h"

#include <algorithm>
#include <fstream>
#include <new>

namespace pf {

std::string ReportObject::Text(int, const std::string&) const { return {}; }

int PrintReportPages(ReportObject& report, Canvas& printer, int fromPage, int toPage,
                     const std::function<bool()>& startNextPage) {
    const PageGrid grid = report.Paginate(printer);
    const int count = std::max(1, grid.across * grid.down);
    const int first = fromPage > 0 ? fromPage : 1;
    const int last = toPage > 0 ? std::min(toPage, count) : count;
    int printed = 0;
    for (int page = first; page <= last; ++page) {
        if (printed > 0 && !startNextPage()) return -1;
        printer.ClearClip();
        report.PrintPage(printer, page);
        ++printed;
    }
    return printed;
}

bool CopyReportToClipboard(const ReportObject& report, Clipboard& clipboard, int mode) {
    if (!report.HasText()) return false;
    try {
        return clipboard.SetText(report.Text(mode, "\n"));
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool WriteReportTextFile(const ReportObject& report, int mode, const std::filesystem::path& path) {
    if (!report.HasText()) return false;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    const std::string text = report.Text(mode, "\r\n");
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    return !file.fail();
}

}  // namespace pf
