// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/page_export.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <string>

#include "report/file_replace.h"
#include "report/page_painter.h"
#include "report/sensitivity_painter.h"

namespace korvanta {
namespace {

// Fine enough for print, small enough for a quick file.
constexpr int kPdfDotsPerInch = 300;
constexpr double kMetresPerInch = 0.0254;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

bool PaintOn(QPaintDevice& device, const ChartReport& page, const ChartDrawing& drawing) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    PaintChartPage(painter, QRectF(0, 0, device.width(), device.height()), page, drawing);
    return painter.end();
}

// The chart page, then the sensitivity page on a new page of the device.
bool PaintPagesOn(QPagedPaintDevice& device, const ChartReport& page, const ChartDrawing& drawing,
                  const SensitivityView* sensitivity) {
    if (sensitivity == nullptr) return PaintOn(device, page, drawing);
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const QRectF area(0, 0, device.width(), device.height());
    PaintChartPage(painter, area, page, drawing);
    if (!device.newPage()) {
        painter.end();
        return false;
    }
    PaintSensitivityPage(painter, area, page, *sensitivity);
    return painter.end();
}

}  // namespace

QImage RenderChartPage(const ChartReport& page, const ChartDrawing& drawing, int dotsPerInch,
                       const SensitivityView* sensitivity) {
    const double pixelsPerPoint = dotsPerInch / 72.0;
    const int pageHeight = static_cast<int>(std::lround(kPageHeightPoints * pixelsPerPoint));
    QImage image(static_cast<int>(std::lround(kPageWidthPoints * pixelsPerPoint)),
                 sensitivity != nullptr ? 2 * pageHeight : pageHeight, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerInch / kMetresPerInch));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter;
    if (!painter.begin(&image)) return image;
    PaintChartPage(painter, QRectF(0, 0, image.width(), pageHeight), page, drawing);
    if (sensitivity != nullptr) {
        PaintSensitivityPage(painter, QRectF(0, pageHeight, image.width(), pageHeight), page,
                             *sensitivity);
    }
    painter.end();
    return image;
}

QByteArray ChartPageFileBytes(const ChartReport& page, const ChartDrawing& drawing,
                              PageFileFormat format, const SensitivityView* sensitivity) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == PageFileFormat::Png) {
        if (!RenderChartPage(page, drawing, kPageImageDotsPerInch, sensitivity)
                 .save(&buffer, "PNG")) {
            return {};
        }
        return bytes;
    }
    bool painted = false;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDotsPerInch);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(Q(page.title));
        writer.setCreator(Q(page.programTitle));
        painted = PaintPagesOn(writer, page, drawing, sensitivity);
    }
    return painted ? bytes : QByteArray();
}

bool SaveChartPageFile(const ChartReport& page, const ChartDrawing& drawing, PageFileFormat format,
                       const std::string& path, QString& error,
                       const SensitivityView* sensitivity) {
    const QString what = format == PageFileFormat::Png ? QStringLiteral("the image")
                                                       : QStringLiteral("the PDF file");
    const QString shown = QFile::decodeName(QByteArray::fromStdString(path));
    const QByteArray bytes = ChartPageFileBytes(page, drawing, format, sensitivity);
    if (bytes.isEmpty()) {
        error = QStringLiteral("Cannot write %1 %2: the page could not be drawn.").arg(what, shown);
        return false;
    }
    if (const auto reason =
            ReplaceFileWhole(path, std::string_view(bytes.constData(), bytes.size()))) {
        error = QStringLiteral("Cannot write %1 %2: %3.").arg(what, shown, Q(*reason));
        return false;
    }
    return true;
}

bool SaveChartPagePng(const ChartReport& page, const ChartDrawing& drawing, const QString& path,
                      QString& error, const SensitivityView* sensitivity) {
    return SaveChartPageFile(page, drawing, PageFileFormat::Png,
                             QFile::encodeName(path).toStdString(), error, sensitivity);
}

bool SaveChartPagePdf(const ChartReport& page, const ChartDrawing& drawing, const QString& path,
                      QString& error, const SensitivityView* sensitivity) {
    return SaveChartPageFile(page, drawing, PageFileFormat::Pdf,
                             QFile::encodeName(path).toStdString(), error, sensitivity);
}

bool PrintChartPage(const ChartReport& page, const ChartDrawing& drawing, QPagedPaintDevice& device,
                    const SensitivityView* sensitivity) {
    return PaintPagesOn(device, page, drawing, sensitivity);
}

namespace {

// QGuiApplication keeps references to these for its whole life.
int gArgc = 0;
char gProgram[] = "korvanta";
char gPlatformFlag[] = "-platform";
char gPlatform[] = "offscreen";
char* gArgv[] = {gProgram, gPlatformFlag, gPlatform, nullptr};

// Qt's remarks about the environment (no XDG_RUNTIME_DIR and the like) mean
// nothing to a command-line user; only its errors are passed on.
void ErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
}

}  // namespace

OffscreenGui::OffscreenGui() {
    if (QCoreApplication::instance() != nullptr) return;
    previousHandler_ = qInstallMessageHandler(ErrorsOnly);
    // The application sets the C library's locale from the environment;
    // the caller's number formatting must not change behind its back.
    const char* current = std::setlocale(LC_ALL, nullptr);
    const std::string locale = current != nullptr ? current : "C";
    gArgc = 3;
    application_ = std::make_unique<QGuiApplication>(gArgc, gArgv);
    std::setlocale(LC_ALL, locale.c_str());
}

OffscreenGui::~OffscreenGui() {
    if (!application_) return;
    application_.reset();
    qInstallMessageHandler(previousHandler_);
}

}  // namespace korvanta
