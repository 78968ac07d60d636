// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/page_files.h"

#ifdef KORVANTA_CLI_PAGE_FILES
#include "report/page_export.h"
#endif

namespace korvanta {

#ifdef KORVANTA_CLI_PAGE_FILES

bool PageFilesSupported() {
    return true;
}

std::optional<std::string> WritePageFiles(const ChartReport& page, const ChartDrawing& drawing,
                                          const std::string& pdfPath, const std::string& pngPath,
                                          const SensitivityView* sensitivity) {
    if (pdfPath.empty() && pngPath.empty()) return std::nullopt;
    const OffscreenGui gui;
    // The paths are the bytes the user gave, whatever their encoding.
    QString error;
    if (!pdfPath.empty() &&
        !SaveChartPageFile(page, drawing, PageFileFormat::Pdf, pdfPath, error, sensitivity)) {
        return error.toStdString();
    }
    if (!pngPath.empty() &&
        !SaveChartPageFile(page, drawing, PageFileFormat::Png, pngPath, error, sensitivity)) {
        return error.toStdString();
    }
    return std::nullopt;
}

#else

bool PageFilesSupported() {
    return false;
}

std::optional<std::string> WritePageFiles(const ChartReport&, const ChartDrawing&,
                                          const std::string& pdfPath, const std::string& pngPath,
                                          const SensitivityView*) {
    if (pdfPath.empty() && pngPath.empty()) return std::nullopt;
    return "this korvanta-cli was built without Qt; it cannot write page files";
}

#endif

}  // namespace korvanta
