// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include "report/sensitivity_view.h"
#include "ui/message_sink.h"
#include "ui/twips.h"

namespace korvanta {

QString QtExportDialogs::SaveFileName(QWidget* parent, const QString& caption,
                                      const QString& suggested, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

bool QtExportDialogs::SetUpPrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtExportDialogs::ReportFailure(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QString::fromLatin1(kApplicationTitle), text);
}

ExportDialogs::PageChoice ExportDialogs::ChooseSensitivityPage(QWidget*) {
    return PageChoice::ChartOnly;
}

ExportDialogs::PageChoice QtExportDialogs::ChooseSensitivityPage(QWidget* parent) {
    const auto answer = QMessageBox::question(
        parent, QString::fromLatin1(kApplicationTitle), DisplayText(kSensitivityPageQuestion),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No);
    if (answer == QMessageBox::Cancel) return PageChoice::Cancel;
    return answer == QMessageBox::Yes ? PageChoice::WithSensitivity : PageChoice::ChartOnly;
}

}  // namespace korvanta
