#pragma once

#include <string>

#include "engine/message.h"
#include "reports/report_table.h"

namespace pf {

// --- Dialogs "Kopieren in Zwischenablage" and "Kopieren in Textdatei" ---

enum class TextOutputTarget { Clipboard, TextFile };

inline constexpr const char* kClipboardOutputTitle = "Kopieren in Zwischenablage";
inline constexpr const char* kTextFileOutputTitle = "Kopieren in Textdatei";
inline constexpr const char* kFileNameField = "fileName";

// Output modes of a report as text: kFixedWidths "Feste Spaltenbreiten", kTabSeparated
// "Spalten durch Tabulatoren getrennt" (report_table.h).
inline constexpr int kFixedColumnWidths = kFixedWidths;

struct TextOutputForm {
    TextOutputTarget target = TextOutputTarget::Clipboard;
    int mode = kFixedColumnWidths;
    std::string fileName;  // text file only, as typed

    // The dialog's title for the target.
    static const char* Title(TextOutputTarget target);

    // For a text file, a name of nothing but blanks: "Bitte geben Sie einen Dateinamen
    // ein!" (title "Kopieren in Textdatei"), focus on the name. The clipboard needs nothing.
    MaybeMessage Check() const;
};

}  // namespace pf
