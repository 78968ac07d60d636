// SPDX-License-Identifier: GPL-3.0-or-later
// The result frame's export entries: the chart page saved as an image or a
// PDF file, or printed, with the birth-time sensitivity page after it when
// the user asks for it.
#include <QDir>
#include <QPrinter>
#include <QStandardPaths>

#include "ui/export_dialogs.h"
#include "ui/mdi.h"
#include "ui/viewmodels/result_view_model.h"

namespace korvanta {

QString MDI::SuggestedPath(const char* extension) const {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) folder = QDir::homePath();
    return QDir(folder).filePath(result_->ExportFileStem() + QString::fromLatin1(extension));
}

std::optional<bool> MDI::AskStripPage() {
    switch (dialogs_->ChooseSensitivityPage(this)) {
        case ExportDialogs::PageChoice::Cancel:
            return std::nullopt;
        case ExportDialogs::PageChoice::WithSensitivity:
            return true;
        case ExportDialogs::PageChoice::ChartOnly:
            return false;
    }
    return false;
}

void MDI::SaveChartImage() {
    const std::optional<bool> withStrip = AskStripPage();
    if (!withStrip) return;
    const QString chosen =
        dialogs_->SaveFileName(this, QStringLiteral("Save Chart As Image"), SuggestedPath(".png"),
                               QStringLiteral("PNG images (*.png)"));
    if (chosen.isEmpty()) return;
    QString error;
    if (!result_->SavePng(chosen, *withStrip, error)) dialogs_->ReportFailure(this, error);
}

void MDI::SaveChartPdf() {
    const std::optional<bool> withStrip = AskStripPage();
    if (!withStrip) return;
    const QString chosen =
        dialogs_->SaveFileName(this, QStringLiteral("Save Chart As PDF"), SuggestedPath(".pdf"),
                               QStringLiteral("PDF files (*.pdf)"));
    if (chosen.isEmpty()) return;
    QString error;
    if (!result_->SavePdf(chosen, *withStrip, error)) dialogs_->ReportFailure(this, error);
}

void MDI::PrintChart() {
    const std::optional<bool> withStrip = AskStripPage();
    if (!withStrip) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(result_->PageTitle());
    if (!dialogs_->SetUpPrinter(this, printer)) return;
    if (!result_->Print(printer, *withStrip)) {
        dialogs_->ReportFailure(this, QStringLiteral("The chart could not be printed."));
    }
}

}  // namespace korvanta
