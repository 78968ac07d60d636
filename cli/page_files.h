// SPDX-License-Identifier: GPL-3.0-or-later
// --pdf and --png: the chart page written as files, drawn by the same code as
// the desktop program's File menu. Only this path needs Qt (Gui, on the
// offscreen platform); a korvanta-cli built without Qt says so.
#pragma once

#include <optional>
#include <string>

#include "report/report.h"
#include "report/sensitivity_view.h"

namespace korvanta {

// Whether this build can write page files.
bool PageFilesSupported();

// Writes the page of `report` to `pdfPath` and `pngPath` (the bytes the user
// gave), each when not empty; an existing file is replaced only by a complete
// new one. With `sensitivity`, the birth-time sensitivity page follows the
// chart page. Returns the reason when a file could not be written.
std::optional<std::string> WritePageFiles(const ChartReport& report, const ChartDrawing& drawing,
                                          const std::string& pdfPath, const std::string& pngPath,
                                          const SensitivityView* sensitivity = nullptr);

}  // namespace korvanta
