// SPDX-License-Identifier: GPL-3.0-or-later
// korvanta-click-timing: the desktop program's windows on a real display
// (run it under Xvfb), started as the program starts them. Types a birth into
// the entry window as a user would, then times a mouse click on
// "Get My Upapada Lagna" until the result frame has been exposed and painted,
// returns with Back, and does that again.
//
//   korvanta-click-timing [RUNS]      (default 10)
//
// Prints one line per click and, last, "median_ms <value>". Exits non-zero
// when a click shows a message instead of the result.
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ui/application.h"
#include "ui/frm_main.h"
#include "ui/message_sink.h"
#include "ui/settings.h"
#include "ui/single_instance.h"
#include "ui/update_reminder.h"

namespace {

// Counts the messages the program tries to show instead of showing them; a
// message box waiting for a click would stop the timing.
class CountingSink final : public korvanta::MessageSink {
  public:
    void Inform(QWidget*, const QString& text, korvanta::MessageIcon) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        ++count;
    }
    bool AskYesNo(QWidget*, const QString& text) override {
        std::fprintf(stderr, "question: %s\n", qPrintable(text));
        ++count;
        return false;
    }
    int count = 0;
};

// Notes when a window has been exposed and when its widget has been painted.
class ShownWatch final : public QObject {
  public:
    bool exposed = false;
    bool painted = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose) {
            if (auto* window = qobject_cast<QWindow*>(watched); window && window->isExposed()) {
                exposed = true;
            }
        }
        if (event->type() == QEvent::Paint) painted = true;
        return QObject::eventFilter(watched, event);
    }
};

QWidget* VisibleResultFrame() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QStringLiteral("MDI") && widget->isVisible()) return widget;
    }
    return nullptr;
}

template <typename T>
T* Child(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) {
        std::fprintf(stderr, "korvanta-click-timing: no control named %s\n", name);
        std::exit(2);
    }
    return child;
}

// Runs the event loop until `done` holds; false after `timeoutMs`.
template <typename Predicate>
bool ProcessUntil(Predicate done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(korvanta::SettingsApplicationName());
    QApplication::setOrganizationName(korvanta::SettingsApplicationName());
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 10;

    CountingSink messages;
    korvanta::SingleInstance instance;
    korvanta::Settings settings(korvanta::Settings::DefaultPath());
    auto window = korvanta::StartKorvanta(instance, settings, QDate::currentDate(), messages);
    if (!window || !QTest::qWaitForWindowExposed(window.get(), 10000)) {
        std::fprintf(stderr, "korvanta-click-timing: the entry window was not shown\n");
        return 2;
    }

    // New Delhi, 5 June 1980, 09:05, Indian Time.
    QTest::keyClicks(Child<QLineEdit>(*window, "txtName"), QStringLiteral("ASHA"));
    QTest::keyClicks(Child<QLineEdit>(*window, "txtLonD"), QStringLiteral("77"));
    QTest::keyClicks(Child<QLineEdit>(*window, "txtLonM"), QStringLiteral("12"));
    QTest::keyClicks(Child<QLineEdit>(*window, "txtLatD"), QStringLiteral("28"));
    QTest::keyClicks(Child<QLineEdit>(*window, "txtLatM"), QStringLiteral("36"));
    Child<QComboBox>(*window, "cboMonth")->setCurrentIndex(5);
    Child<QComboBox>(*window, "cboDate")->setCurrentIndex(4);
    Child<QComboBox>(*window, "cboYear")->setCurrentIndex(1980 - 1901);
    Child<QComboBox>(*window, "cboHH")->setCurrentIndex(9);
    Child<QComboBox>(*window, "cboMM")->setCurrentIndex(5);
    QPushButton* calculate = Child<QPushButton>(*window, "cmdRashi");

    std::vector<double> samples;
    for (int run = 1; run <= runs; ++run) {
        if (!ProcessUntil([&] { return window->isVisible() && calculate->isVisible(); }, 10000)) {
            std::fprintf(stderr, "korvanta-click-timing: the entry window did not come back\n");
            return 2;
        }
        QTest::qWait(100);  // let the entry window settle before the next click

        ShownWatch watch;
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(calculate, Qt::LeftButton);
        QWidget* frame = VisibleResultFrame();
        if (frame == nullptr || messages.count > 0) {
            std::fprintf(stderr, "korvanta-click-timing: the click showed no result frame\n");
            return 1;
        }
        frame->windowHandle()->installEventFilter(&watch);
        frame->installEventFilter(&watch);
        if (!ProcessUntil([&] { return watch.exposed && watch.painted; }, 10000)) {
            std::fprintf(stderr, "korvanta-click-timing: the result frame was never exposed\n");
            return 1;
        }
        // Whatever paint the expose left pending.
        QCoreApplication::processEvents();
        const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        frame->removeEventFilter(&watch);
        frame->windowHandle()->removeEventFilter(&watch);
        samples.push_back(ms);
        std::printf("click %d: %.2f ms\n", run, ms);

        QTest::mouseClick(Child<QPushButton>(*frame, "cmdBack"), Qt::LeftButton);
    }
    std::sort(samples.begin(), samples.end());
    const double median = samples.size() % 2 == 1
                              ? samples[samples.size() / 2]
                              : (samples[samples.size() / 2 - 1] + samples[samples.size() / 2]) / 2;
    std::printf("median_ms %.2f\n", median);
    std::fflush(stdout);
    window->close();
    return 0;
}
