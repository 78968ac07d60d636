// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the chart page: a PNG image, a PDF file, or any paged device such
// as a printer. Qt Gui only; the window's File menu and the command line
// share these.
#pragma once

#include <QImage>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <string>

#include "report/report.h"
#include "report/sensitivity_view.h"

class QGuiApplication;
class QPagedPaintDevice;

namespace korvanta {

// Resolution of the exported image: an A4 page of 1240 x 1754 pixels.
inline constexpr int kPageImageDotsPerInch = 150;

// The page as an A4 image on white at `dotsPerInch`. With `sensitivity`, the
// birth-time sensitivity page follows as a second A4 page under the first,
// in an image twice as tall.
QImage RenderChartPage(const ChartReport& page, const ChartDrawing& drawing,
                       int dotsPerInch = kPageImageDotsPerInch,
                       const SensitivityView* sensitivity = nullptr);

enum class PageFileFormat { Png, Pdf };

// The page as the bytes of a PNG image or of a one-page A4 PDF file; with
// `sensitivity`, the sensitivity page is the PDF's second page or the lower
// half of the image.
QByteArray ChartPageFileBytes(const ChartReport& page, const ChartDrawing& drawing,
                              PageFileFormat format, const SensitivityView* sensitivity = nullptr);

// Writes the page as a PNG image or a one-page A4 PDF file to `path`, the
// file name's bytes as the system takes them. An existing file is replaced
// only by a complete new one (ReplaceFileWhole). On failure returns false and
// puts the reason in `error`: "Cannot write the PDF file NAME: No space left
// on device."
bool SaveChartPageFile(const ChartReport& page, const ChartDrawing& drawing, PageFileFormat format,
                       const std::string& path, QString& error,
                       const SensitivityView* sensitivity = nullptr);
// The same for a file name as Qt holds it (the window's file dialog).
bool SaveChartPagePng(const ChartReport& page, const ChartDrawing& drawing, const QString& path,
                      QString& error, const SensitivityView* sensitivity = nullptr);
bool SaveChartPagePdf(const ChartReport& page, const ChartDrawing& drawing, const QString& path,
                      QString& error, const SensitivityView* sensitivity = nullptr);

// Draws the page on the first page of a paged device (a QPrinter set up by
// the print dialog), the sensitivity page on the second when given, and
// finishes it. Returns false when the device cannot be painted on.
bool PrintChartPage(const ChartReport& page, const ChartDrawing& drawing, QPagedPaintDevice& device,
                    const SensitivityView* sensitivity = nullptr);

// Drawing text needs a QGuiApplication. For programs without one (the
// command line), this makes one for its own lifetime on the "offscreen"
// platform, so that no display is needed, and puts the C library's locale
// back as it was. Does nothing when an application object exists already.
class OffscreenGui {
  public:
    OffscreenGui();
    ~OffscreenGui();
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

  private:
    std::unique_ptr<QGuiApplication> application_;
    QtMessageHandler previousHandler_ = nullptr;
};

}  // namespace korvanta
