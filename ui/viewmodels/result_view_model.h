// SPDX-License-Identifier: GPL-3.0-or-later
// The result of one entered birth as the result frame shows it: the report of
// the moment shown (the entered one, or one picked on the sensitivity strip),
// the View menu's chart style, pada choice and divisional chart, the strip
// over the chosen
// span, and the chart page's exports. Every calculation and report the frame
// shows is made here; the frame only binds its widgets to these values.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>

#include "pipeline/birth.h"
#include "pipeline/sensitivity.h"
#include "reading/varga.h"
#include "report/report.h"

class QPagedPaintDevice;

namespace korvanta {

class Settings;

class ResultViewModel final : public QObject {
    Q_OBJECT
  public:
    // Calculates the chart of `entered`. The chart style, the pada choice and
    // the strip's span are read from `settings` and written back to it when
    // chosen; without settings they last for this result only (South Indian,
    // padas off, ±1 h at first).
    explicit ResultViewModel(const Birth& entered, Settings* settings = nullptr,
                             QObject* parent = nullptr);
    ~ResultViewModel() override;

    const Birth& Entered() const { return entered_; }
    // The report of the moment shown, drawn as chosen: its square, centre
    // block and pada table show the chosen divisional chart (ShowVarga), and
    // it carries the Upapada Lagna's sign in D1 and D9 (ulInVargas).
    const ChartReport& Report() const { return report_; }

    const ChartDrawing& Drawing() const { return drawing_; }
    // A choice of the View menu: redraws, and is kept in the settings.
    void ChooseDrawing(const ChartDrawing& drawing);

    // The divisional chart shown, View › Divisional Chart: as stored, else
    // D1. Another choice remakes the report and is kept in the settings.
    Varga ShownVarga() const { return varga_; }
    void ChooseVarga(Varga varga);

    // The strip's span in minutes: as stored when the store holds a span the
    // chooser offers, else 60.
    int Span() const { return span_; }
    // The strip of the entered birth over Span(); made when first asked for.
    const SensitivityStrip& Strip();
    bool HasStrip() const { return strip_.has_value(); }
    // Another span, when the chooser offers it: a new strip, kept in the
    // settings. Any other value changes nothing.
    void ChooseSpan(int minutes);

    // The moment shown: a local clock moment of the strip (seconds, as the
    // strip counts them), or the entered birth when empty.
    std::optional<std::int64_t> ShownMoment() const { return shown_; }
    void ShowMoment(std::optional<std::int64_t> clock);

    // The file name an export suggests, without folder or extension, and
    // the printed document's name.
    QString ExportFileStem() const;
    QString PageTitle() const;
    // The chart page, with the strip's page after it when `withStrip`, as a
    // PNG image or a PDF file at `path` (its extension added when missing),
    // or on a printer. False on failure, with the reason in `error`.
    bool SavePng(const QString& path, bool withStrip, QString& error);
    bool SavePdf(const QString& path, bool withStrip, QString& error);
    bool Print(QPagedPaintDevice& printer, bool withStrip);

  signals:
    // Report() is another moment's.
    void reportChanged();
    void drawingChanged();
    void vargaChanged();
    void stripChanged();
    void shownMomentChanged();

  private:
    // The birth of the moment shown.
    Birth ShownBirth() const;
    void MakeReport();

    Birth entered_;
    Settings* settings_ = nullptr;
    ChartReport report_;
    ChartDrawing drawing_;
    Varga varga_ = Varga::D1;
    int span_ = 60;
    std::optional<SensitivityStrip> strip_;
    std::optional<std::int64_t> shown_;
};

}  // namespace korvanta
