#include "quotes/import_format.h"

namespace pf {

ImportScan ScanQuoteText(std::string_view, std::string_view, const ImportProgress&) {
    ImportScan scan;
    scan.faulty = true;
    return scan;
}

}  // namespace pf
