#include "model/archive/archive_error.h"

namespace pf {

const char* OpenErrorMessage(ArchiveErrorKind kind) {
    switch (kind) {
        case ArchiveErrorKind::BadHeader:
        case ArchiveErrorKind::EndOfFile:
        case ArchiveErrorKind::BadClass:
        case ArchiveErrorKind::BadSchema:
        case ArchiveErrorKind::BadIndex:
        case ArchiveErrorKind::BadValue:
            return "Unerwartetes Dateiformat.";
        default:
            return "Fehler beim Öffnen des Dokuments.";
    }
}

}  // namespace pf
