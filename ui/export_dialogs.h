// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs of the chart export: choosing a file, setting up the printer,
// and saying that writing failed. Behind one small interface so that tests
// can answer them instead of waiting for a click.
#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace korvanta {

class ExportDialogs {
  public:
    virtual ~ExportDialogs() = default;
    // The file the user chose to write, starting from `suggested`; empty when
    // the user cancelled. `filter` as QFileDialog takes it.
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                 const QString& filter) = 0;
    // The print dialog for `printer`; false when the user cancelled.
    virtual bool SetUpPrinter(QWidget* parent, QPrinter& printer) = 0;
    // Tells the user that the chart could not be written or printed.
    virtual void ReportFailure(QWidget* parent, const QString& text) = 0;
    // Whether the birth-time sensitivity page follows the chart page: asked
    // before each export of a result that has one. Dialogs that do not ask
    // export the chart page alone.
    enum class PageChoice { ChartOnly, WithSensitivity, Cancel };
    virtual PageChoice ChooseSensitivityPage(QWidget* parent);
};

// The real dialogs.
class QtExportDialogs final : public ExportDialogs {
  public:
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                         const QString& filter) override;
    bool SetUpPrinter(QWidget* parent, QPrinter& printer) override;
    void ReportFailure(QWidget* parent, const QString& text) override;
    PageChoice ChooseSensitivityPage(QWidget* parent) override;
};

}  // namespace korvanta
