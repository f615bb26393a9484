#pragma once

#include <stdexcept>
#include <string>

namespace pf {

// Why reading or writing a portfolio file failed. Reading stops as a whole at the first
// error; nothing of a partly read file is used.
enum class ArchiveErrorKind {
    BadHeader,      // the file does not start like a portfolio file
    EndOfFile,      // the data ends too early (also: a count the rest cannot hold)
    BadClass,       // unknown class name, or an object of the wrong class
    BadSchema,      // a stored schema this program cannot read
    BadIndex,       // an object tag that refers to nothing
    WrongPassword,  // wrong or cancelled password
    BadValue,       // a stored value outside its range (a date, a fraction of a piece)
    Unstorable,     // a text that the file's character set cannot hold
    FileError,      // the operating system refused to read or write the file
};

class ArchiveError : public std::runtime_error {
  public:
    ArchiveError(ArchiveErrorKind kind, const std::string& detail)
        : std::runtime_error(detail), kind_(kind) {}
    ArchiveErrorKind Kind() const { return kind_; }
    // The detail, in German, for a second line under the main message.
    std::string Detail() const { return what(); }

  private:
    ArchiveErrorKind kind_;
};

// The message the front ends show for a failed read: "Unerwartetes Dateiformat." for data
// that does not fit the format, else "Fehler beim Öffnen des Dokuments.".
const char* OpenErrorMessage(ArchiveErrorKind kind);
inline constexpr const char* kSaveErrorMessage = "Fehler beim Speichern des Dokuments.";

}  // namespace pf
