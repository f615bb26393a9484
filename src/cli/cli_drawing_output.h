#pragma once

// Drawings of the command line: report objects as PNG (the screen drawing) and PDF (the
// printed pages), and a screen canvas to measure them on.
#include <functional>
#include <string>

#include "platform/canvas.h"
#include "reports/report_object.h"

namespace pf::cli {

// Resolution of the PNG output: the drawing as a common screen shows it.
inline constexpr int kScreenDpi = 96;

enum class Format { Text, Tsv, Pdf, Png };
// "text", "tsv", "pdf" or "png"; false for anything else.
bool ParseFormat(const std::string& name, Format& out);

// Calls `use` with a canvas that measures text as a screen of `dpi` does (the same fonts
// RenderPng draws with).
void WithScreenCanvas(int dpi, const std::function<void(Canvas&)>& use);
// The screen size of the report measured on such a canvas.
ReportSize MeasureOnScreen(ReportObject& report, int dpi);

// The screen drawing as a PNG at kScreenDpi, and the printed pages as an A4 PDF. False with
// a German description in `error`; an existing file then stays as it was.
bool WritePng(ReportObject& report, const std::string& path, std::string& error);
bool WritePdf(ReportObject& report, const std::string& path, std::string& error);

}  // namespace pf::cli
