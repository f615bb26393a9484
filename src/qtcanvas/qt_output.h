#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/canvas.h"

// Headless output of drawings: PNG images and paginated PDF files. The header needs no Qt,
// so command-line code can use it as it is.

namespace pf {

// Gives Qt a private runtime folder when the process has no desktop session
// (XDG_RUNTIME_DIR unset), so it does not warn on every start. Call before the application
// object is created.
void PrepareRuntimeFolder();

// Creates a QGuiApplication when the process has none yet; a program that creates its own
// application first keeps it. Meant for tools without a window, so an unset
// QT_QPA_PLATFORM is set to "offscreen" before the application is created. The application
// lives until the process ends. Call from the main thread. (A program that made a plain
// QCoreApplication cannot draw text; this function leaves such a program as it is.)
void EnsureGuiApplication();

// Renders `draw` into a PNG of widthLogical × heightLogical (0.1 mm) at `dpi` on a white
// background; logical (0, 0) is the image's top-left corner, y grows upward. The file is
// replaced atomically. Calls EnsureGuiApplication. On failure (bad size or resolution, the
// file cannot be written) returns false with a German description in `error`, and an
// existing file stays unchanged.
bool RenderPng(const std::string& path, int widthLogical, int heightLogical, int dpi,
               const std::function<void(Canvas&)>& draw, std::string& error);

// A PDF file written page by page:
//
//     PdfDocument pdf;
//     if (!pdf.Open(path, error)) ...
//     for (int n = 1; n <= pages; ++n) {
//         if (n > 1 && !pdf.NewPage(error)) ...
//         table.PrintPage(pdf.Page(), style, n);
//     }
//     if (!pdf.Finish(error)) ...
//
// The pages have no unprintable border: physical offsets are 0 and the printable area is
// the whole paper. The file is written (and an existing one replaced atomically) by
// Finish; until then nothing on disk changes.
class PdfDocument {
  public:
    struct Options {
        int paperWidth = 2100;  // 0.1 mm; A4 portrait by default
        int paperHeight = 2970;
        int dpi = 600;      // resolution of the drawing, pixels per inch
        std::string title;  // document title in the file's properties
    };

    PdfDocument();
    // Finishes an open document; its errors are lost (call Finish to see them).
    ~PdfDocument();
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;

    // Starts the first page. Fails when a document is already open, when the options are
    // out of range (paper 10..50000 per side, dpi 10..2400) or when the file's folder does
    // not exist. Calls EnsureGuiApplication.
    bool Open(const std::string& path, std::string& error);
    bool Open(const std::string& path, const Options& options, std::string& error);
    bool IsOpen() const;

    // The canvas of the current page; the same object for every page (the clip is cleared
    // on a new page). Throws std::logic_error when no document is open.
    Canvas& Page();
    // Ends the current page and starts the next.
    bool NewPage(std::string& error);
    // Ends the last page and writes the file; the document is closed afterwards, also on
    // failure. False when no document is open.
    bool Finish(std::string& error);

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace pf
