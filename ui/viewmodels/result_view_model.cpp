// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/viewmodels/result_view_model.h"

#include "pipeline/pipeline.h"
#include "report/page_export.h"
#include "report/sensitivity_view.h"
#include "report/varga_chart.h"
#include "ui/settings.h"

namespace korvanta {
namespace {

constexpr int kDefaultSpanMinutes = 60;

ChartReport ReportOf(const Birth& birth, const ChartDrawing& drawing, Varga varga) {
    const Chart chart = CalculateChart(birth);
    ChartReport report = BuildReport(birth, chart);
    report.drawing = drawing;
    // Every chart the window shows comes from the classic astronomy.
    ShowVarga(report, chart, varga, true);
    report.ulInVargas = UpapadaInVargasLine(chart);
    return report;
}

}  // namespace

ResultViewModel::ResultViewModel(const Birth& entered, Settings* settings, QObject* parent)
    : QObject(parent), entered_(entered), settings_(settings), span_(kDefaultSpanMinutes) {
    if (settings_ != nullptr) {
        // An unknown word counts as no choice: the South Indian chart.
        drawing_.style = settings_->ChartStyleChoice().value_or(ChartStyle::South);
        drawing_.allPadas = settings_->ShowAllPadas();
        // Only a span the chooser offers is taken from the store.
        const std::optional<int> stored = settings_->SensitivitySpan();
        if (stored && IsSensitivitySpan(*stored)) span_ = *stored;
        varga_ = settings_->VargaChoice().value_or(Varga::D1);
    }
    MakeReport();
}

Birth ResultViewModel::ShownBirth() const {
    return shown_ ? BirthAtClock(entered_, *shown_) : entered_;
}

void ResultViewModel::MakeReport() {
    report_ = ReportOf(ShownBirth(), drawing_, varga_);
}

void ResultViewModel::ChooseVarga(Varga varga) {
    varga_ = varga;
    MakeReport();
    emit vargaChanged();
    emit reportChanged();
    // A store that cannot be written keeps the choice for this run.
    if (settings_ != nullptr) settings_->SetVargaChoice(varga_);
}

ResultViewModel::~ResultViewModel() = default;

void ResultViewModel::ChooseDrawing(const ChartDrawing& drawing) {
    drawing_ = drawing;
    report_.drawing = drawing_;
    emit drawingChanged();
    // A store that cannot be written keeps the choice for this run.
    if (settings_ != nullptr) settings_->SetChartDrawing(drawing_.style, drawing_.allPadas);
}

const SensitivityStrip& ResultViewModel::Strip() {
    if (!strip_) strip_ = BirthTimeSensitivity(entered_, span_);
    return *strip_;
}

void ResultViewModel::ChooseSpan(int minutes) {
    if (!IsSensitivitySpan(minutes)) return;
    span_ = minutes;
    strip_ = BirthTimeSensitivity(entered_, span_);
    emit stripChanged();
    if (settings_ != nullptr) settings_->SetSensitivitySpan(minutes);
}

void ResultViewModel::ShowMoment(std::optional<std::int64_t> clock) {
    shown_ = clock;
    MakeReport();
    emit reportChanged();
    emit shownMomentChanged();
}

QString ResultViewModel::ExportFileStem() const {
    return QString::fromStdString(PageFileStem(report_.name));
}

QString ResultViewModel::PageTitle() const {
    return QString::fromStdString(report_.title);
}

bool ResultViewModel::SavePng(const QString& path, bool withStrip, QString& error) {
    const QString file = QString::fromStdString(WithExtension(path.toStdString(), ".png"));
    if (!withStrip) return SaveChartPagePng(report_, file, error);
    const SensitivityView strip = BuildSensitivityView(Strip());
    return SaveChartPagePng(report_, file, error, &strip);
}

bool ResultViewModel::SavePdf(const QString& path, bool withStrip, QString& error) {
    const QString file = QString::fromStdString(WithExtension(path.toStdString(), ".pdf"));
    if (!withStrip) return SaveChartPagePdf(report_, file, error);
    const SensitivityView strip = BuildSensitivityView(Strip());
    return SaveChartPagePdf(report_, file, error, &strip);
}

bool ResultViewModel::Print(QPagedPaintDevice& printer, bool withStrip) {
    if (!withStrip) return PrintChartPage(report_, printer);
    const SensitivityView strip = BuildSensitivityView(Strip());
    return PrintChartPage(report_, printer, &strip);
}

}  // namespace korvanta
