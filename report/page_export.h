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

class QGuiApplication;
class QPagedPaintDevice;

namespace korvanta {

// Resolution of the exported image: an A4 page of 1240 x 1754 pixels.
inline constexpr int kPageImageDotsPerInch = 150;

// The page as an A4 image on white at `dotsPerInch`.
QImage RenderChartPage(const ChartReport& page, int dotsPerInch = kPageImageDotsPerInch);

enum class PageFileFormat { Png, Pdf };

// The page as the bytes of a PNG image or of a one-page A4 PDF file.
QByteArray ChartPageFileBytes(const ChartReport& page, PageFileFormat format);

// Writes the page as a PNG image or a one-page A4 PDF file to `path`, the
// file name's bytes as the system takes them. An existing file is replaced
// only by a complete new one (ReplaceFileWhole). On failure returns false and
// puts the reason in `error`: "Cannot write the PDF file NAME: No space left
// on device."
bool SaveChartPageFile(const ChartReport& page, PageFileFormat format, const std::string& path,
                       QString& error);
// The same for a file name as Qt holds it (the window's file dialog).
bool SaveChartPagePng(const ChartReport& page, const QString& path, QString& error);
bool SaveChartPagePdf(const ChartReport& page, const QString& path, QString& error);

// Draws the page on the first page of a paged device (a QPrinter set up by
// the print dialog) and finishes it. Returns false when the device cannot be
// painted on.
bool PrintChartPage(const ChartReport& page, QPagedPaintDevice& device);

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
