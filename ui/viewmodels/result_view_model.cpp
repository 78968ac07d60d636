// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/viewmodels/result_view_model.h"

#include <utility>

#include "pipeline/pipeline.h"
#include "precise/precise_source.h"
#include "report/moment_text.h"
#include "report/page_export.h"
#include "report/sensitivity_view.h"
#include "report/varga_chart.h"
#include "ui/settings.h"

namespace korvanta {
namespace {

constexpr int kDefaultSpanMinutes = 60;

}  // namespace

std::variant<QString, ChartReport> ResultViewModel::ReportOf(
    const Birth& birth, const AstronomyOptions& astronomy) const {
    auto made = CalculateChart(birth, astronomy);
    if (const auto* failed = std::get_if<AstronomyError>(&made)) {
        return QString::fromStdString(failed->message);
    }
    const Chart& chart = std::get<Chart>(made);
    ChartReport report = BuildReport(birth, chart);
    ShowVarga(report, chart, varga_);
    report.ulInVargas = UpapadaInVargasLine(chart);
    return report;
}

void ResultViewModel::FallBackToClassic(const QString& problem) {
    astronomy_.astronomy = Astronomy::Classic;
    report_ = std::get<ChartReport>(ReportOf(shownBirth_, astronomy_));
    astronomyProblem_ = problem + QStringLiteral(" The chart shows the classic astronomy.");
}

SensitivityStrip ResultViewModel::MakeStrip() {
    auto strip = BirthTimeSensitivity(entered_, span_, astronomy_);
    if (const auto* failed = std::get_if<AstronomyError>(&strip)) {
        FallBackToClassic(QString::fromStdString(failed->message));
        emit reportChanged();
        emit astronomyChanged();
        emit astronomyFailed(TakeAstronomyProblem());
        return BirthTimeSensitivity(entered_, span_);
    }
    return std::get<SensitivityStrip>(std::move(strip));
}

QString ResultViewModel::TakeAstronomyProblem() {
    return std::exchange(astronomyProblem_, QString());
}

bool ResultViewModel::ChooseAstronomy(Astronomy astronomy) {
    if (astronomy == astronomy_.astronomy) return true;
    AstronomyOptions chosen = astronomy_;
    chosen.astronomy = astronomy;
    auto report = ReportOf(shownBirth_, chosen);
    if (const QString* failed = std::get_if<QString>(&report)) {
        emit astronomyFailed(*failed);
        return false;
    }
    astronomy_ = chosen;
    report_ = std::get<ChartReport>(std::move(report));
    const bool hadStrip = strip_.has_value();
    strip_.reset();
    emit reportChanged();
    emit astronomyChanged();
    if (hadStrip) {
        strip_ = MakeStrip();
        emit stripChanged();
    }
    if (settings_ != nullptr) settings_->SetAstronomy(astronomy_.astronomy);
    return true;
}

ResultViewModel::ResultViewModel(const Birth& entered, Settings* settings, QObject* parent)
    : QObject(parent),
      entered_(entered),
      settings_(settings),
      span_(kDefaultSpanMinutes),
      shownBirth_(entered) {
    if (settings_ != nullptr) {
        // An unknown word counts as no choice: the South Indian chart.
        drawing_.style = settings_->ChartStyleChoice().value_or(ChartStyle::South);
        drawing_.allPadas = settings_->ShowAllPadas();
        // Only a span the chooser offers is taken from the store.
        const std::optional<int> stored = settings_->SensitivitySpan();
        if (stored && IsSensitivitySpan(*stored)) span_ = *stored;
        astronomy_.astronomy = settings_->AstronomyChoice();
        varga_ = settings_->VargaChoice().value_or(Varga::D1);
    }
    auto report = ReportOf(entered_, astronomy_);
    if (const QString* failed = std::get_if<QString>(&report)) {
        FallBackToClassic(*failed);
    } else {
        report_ = std::get<ChartReport>(std::move(report));
    }
}

void ResultViewModel::RemakeReport() {
    auto report = ReportOf(shownBirth_, astronomy_);
    if (const QString* failed = std::get_if<QString>(&report)) {
        FallBackToClassic(*failed);
        emit astronomyChanged();
        emit astronomyFailed(TakeAstronomyProblem());
    } else {
        report_ = std::get<ChartReport>(std::move(report));
    }
}

void ResultViewModel::ChooseVarga(Varga varga) {
    varga_ = varga;
    RemakeReport();
    emit vargaChanged();
    emit reportChanged();
    // A store that cannot be written keeps the choice for this run.
    if (settings_ != nullptr) settings_->SetVargaChoice(varga_);
}

ResultViewModel::~ResultViewModel() = default;

void ResultViewModel::ChooseDrawing(const ChartDrawing& drawing) {
    drawing_ = drawing;
    emit drawingChanged();
    // A store that cannot be written keeps the choice for this run.
    if (settings_ != nullptr) settings_->SetChartDrawing(drawing_.style, drawing_.allPadas);
}

const SensitivityStrip& ResultViewModel::Strip() {
    if (!strip_) strip_ = MakeStrip();
    return *strip_;
}

void ResultViewModel::ChooseSpan(int minutes) {
    if (!IsSensitivitySpan(minutes)) return;
    span_ = minutes;
    strip_ = MakeStrip();
    emit stripChanged();
    if (settings_ != nullptr) settings_->SetSensitivitySpan(minutes);
}

void ResultViewModel::ShowMoment(std::optional<std::int64_t> clock) {
    // The entered moment itself is the entered birth.
    if (clock && *clock == ClockSecondsOf(entered_)) clock.reset();
    shown_ = clock;
    shownBirth_ = clock ? BirthAtClock(entered_, *clock) : entered_;
    RemakeReport();
    emit reportChanged();
    emit shownMomentChanged();
}

QString ResultViewModel::MomentNote() const {
    if (!shown_) return {};
    return QString::fromStdString(ShownMomentNote(entered_, shownBirth_));
}

ChartReport ResultViewModel::PageReport() const {
    ChartReport page = report_;
    if (shown_) page.title = ShownMomentTitle(report_.title, entered_, shownBirth_);
    return page;
}

QString ResultViewModel::ExportFileStem() const {
    return QString::fromStdString(PageFileStem(report_.name));
}

QString ResultViewModel::PageTitle() const {
    return QString::fromStdString(PageReport().title);
}

bool ResultViewModel::SavePng(const QString& path, bool withStrip, QString& error) {
    const QString file = QString::fromStdString(WithExtension(path.toStdString(), ".png"));
    const ChartReport page = PageReport();
    if (!withStrip) return SaveChartPagePng(page, drawing_, file, error);
    const SensitivityView strip = BuildSensitivityView(Strip());
    return SaveChartPagePng(page, drawing_, file, error, &strip);
}

bool ResultViewModel::SavePdf(const QString& path, bool withStrip, QString& error) {
    const QString file = QString::fromStdString(WithExtension(path.toStdString(), ".pdf"));
    const ChartReport page = PageReport();
    if (!withStrip) return SaveChartPagePdf(page, drawing_, file, error);
    const SensitivityView strip = BuildSensitivityView(Strip());
    return SaveChartPagePdf(page, drawing_, file, error, &strip);
}

bool ResultViewModel::Print(QPagedPaintDevice& printer, bool withStrip) {
    const ChartReport page = PageReport();
    if (!withStrip) return PrintChartPage(page, drawing_, printer);
    const SensitivityView strip = BuildSensitivityView(Strip());
    return PrintChartPage(page, drawing_, printer, &strip);
}

}  // namespace korvanta
