// SPDX-License-Identifier: GPL-3.0-or-later
// The result frame's export entries: the chart page saved as an image or a
// PDF file, or printed, with the birth-time sensitivity page after it when
// the user asks for it. The page is drawn by ui/views, as on the command line.
#include <QDir>
#include <QPrinter>
#include <QStandardPaths>

#include "report/page_export.h"
#include "ui/export_dialogs.h"
#include "ui/mdi.h"

namespace korvanta {

QString MDI::SuggestedPath(const char* extension) const {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QDir::homePath();
    const std::string stem = page_ ? PageFileStem(page_->name) : PageFileStem("");
    return QDir(folder).filePath(QString::fromStdString(stem) + QString::fromLatin1(extension));
}

void MDI::SaveChartImage() {
    if (!page_) return;
    std::optional<SensitivityView> second;
    if (!AskSensitivityPage(second)) return;
    const QString chosen =
        dialogs_->SaveFileName(this, QStringLiteral("Save Chart As Image"), SuggestedPath(".png"),
                               QStringLiteral("PNG images (*.png)"));
    if (chosen.isEmpty()) return;
    const QString path = QString::fromStdString(WithExtension(chosen.toStdString(), ".png"));
    QString error;
    if (!SaveChartPagePng(*page_, path, error, second ? &*second : nullptr)) {
        dialogs_->ReportFailure(this, error);
    }
}

void MDI::SaveChartPdf() {
    if (!page_) return;
    std::optional<SensitivityView> second;
    if (!AskSensitivityPage(second)) return;
    const QString chosen =
        dialogs_->SaveFileName(this, QStringLiteral("Save Chart As PDF"), SuggestedPath(".pdf"),
                               QStringLiteral("PDF files (*.pdf)"));
    if (chosen.isEmpty()) return;
    const QString path = QString::fromStdString(WithExtension(chosen.toStdString(), ".pdf"));
    QString error;
    if (!SaveChartPagePdf(*page_, path, error, second ? &*second : nullptr)) {
        dialogs_->ReportFailure(this, error);
    }
}

void MDI::PrintChart() {
    if (!page_) return;
    std::optional<SensitivityView> second;
    if (!AskSensitivityPage(second)) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QString::fromStdString(page_->title));
    if (!dialogs_->SetUpPrinter(this, printer)) return;
    if (!PrintChartPage(*page_, printer, second ? &*second : nullptr)) {
        dialogs_->ReportFailure(this, QStringLiteral("The chart could not be printed."));
    }
}

}  // namespace korvanta
