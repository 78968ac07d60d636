// SPDX-License-Identifier: GPL-3.0-or-later
// The result of one entered birth as the result frame shows it: the report of
// the moment shown (the entered one, or one picked on the sensitivity strip),
// the View menu's chart style, pada choice, divisional chart and astronomy,
// the strip over the chosen span, and the chart page's exports. Every
// calculation and report the frame shows is made here; the frame only binds
// its widgets to these values.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>
#include <variant>

#include "pipeline/birth.h"
#include "pipeline/positions_source.h"
#include "pipeline/sensitivity.h"
#include "reading/varga.h"
#include "report/report.h"

class QPagedPaintDevice;

namespace korvanta {

class Settings;

class ResultViewModel final : public QObject {
    Q_OBJECT
  public:
    // Calculates the chart of `entered`. The chart style, the pada choice,
    // the divisional chart, the astronomy and the strip's span are read from
    // `settings` and written back to it when chosen; without settings they
    // last for this result only (South Indian, padas off, D1, classic, ±1 h
    // at first).
    explicit ResultViewModel(const Birth& entered, Settings* settings = nullptr,
                             QObject* parent = nullptr);
    ~ResultViewModel() override;

    const Birth& Entered() const { return entered_; }
    // The report of the moment shown: its square, centre block and pada
    // table show the chosen divisional chart (ShowVarga), and it carries the
    // Upapada Lagna's sign in D1 and D9 (ulInVargas); Drawing() says how its
    // square is drawn.
    const ChartReport& Report() const { return report_; }

    const ChartDrawing& Drawing() const { return drawing_; }
    // A choice of the View menu: redraws, and is kept in the settings.
    void ChooseDrawing(const ChartDrawing& drawing);

    // The divisional chart shown, View › Divisional Chart: as stored, else
    // D1. Another choice remakes the report and is kept in the settings.
    Varga ShownVarga() const { return varga_; }
    void ChooseVarga(Varga varga);

    // The View menu's astronomy (Classic unless the settings hold Precise).
    Astronomy AstronomyChoice() const { return astronomy_.astronomy; }
    // Another astronomy: the moment shown and the strip are calculated
    // again, and the choice is kept in the settings. Where the precise
    // astronomy cannot compute (its data files missing), nothing changes,
    // astronomyFailed carries the reason, and false is returned.
    bool ChooseAstronomy(Astronomy astronomy);
    // Why the astronomy kept in the settings could not make this result,
    // which then shows the classic astronomy; empty when nothing went wrong.
    // Cleared when read.
    QString TakeAstronomyProblem();

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
    // What every tab says of the moment shown when it is not the entered
    // birth ("Chart for 06:28:22 — the birth was entered at 07:20"); empty
    // for the entered birth.
    QString MomentNote() const;

    // The report the exports draw: the one shown, its title naming the
    // moment and the entered birth when the moment is not the birth, so that
    // both pages say which chart they hold.
    ChartReport PageReport() const;

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
    void astronomyChanged();
    // The precise astronomy could not compute; `message` says why and names
    // the package of the data files where they are missing.
    void astronomyFailed(const QString& message);

  private:
    // The report of `birth` with `astronomy`, turned to the chosen
    // divisional chart, or the astronomy's error.
    std::variant<QString, ChartReport> ReportOf(const Birth& birth,
                                                const AstronomyOptions& astronomy) const;
    // Report() made again for the moment shown; where the chosen astronomy
    // fails, the result goes back to the classic one and says why.
    void RemakeReport();
    // The strip of the entered birth with the chosen astronomy; where that
    // fails, the result goes back to the classic astronomy and says why.
    SensitivityStrip MakeStrip();
    // Back to the classic astronomy for this result after `problem`.
    void FallBackToClassic(const QString& problem);

    Birth entered_;
    Settings* settings_ = nullptr;
    ChartReport report_;
    ChartDrawing drawing_;
    Varga varga_ = Varga::D1;
    int span_ = 60;
    std::optional<SensitivityStrip> strip_;
    std::optional<std::int64_t> shown_;
    AstronomyOptions astronomy_;
    QString astronomyProblem_;
    Birth shownBirth_;
};

}  // namespace korvanta
