// SPDX-License-Identifier: GPL-3.0-or-later
// main() of the tests that run on one screen of a given size: the offscreen
// platform with a screen of that size and window frames, and a scale factor.
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

namespace korvanta::testing {

// Arguments: screen width, height and scale factor (QT_SCALE_FACTOR);
// 1366, 768 and 1 when left out. Runs the Qt Test object `Test`.
template <class Test>
int RunOnFixedScreen(int argc, char** argv) {
    const QByteArray width = argc > 1 ? QByteArray(argv[1]) : QByteArray("1366");
    const QByteArray height = argc > 2 ? QByteArray(argv[2]) : QByteArray("768");
    const QByteArray scale = argc > 3 ? QByteArray(argv[3]) : QByteArray("1");
    QTemporaryDir folder;
    const QString config = folder.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) return 2;
    file.write(
        "{\"windowFrameMargins\": true, \"screens\": [{\"name\": \"fixed\", \"x\": 0, "
        "\"y\": 0, \"width\": " +
        width + ", \"height\": " + height +
        ", \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}]}");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
    qputenv("QT_SCALE_FACTOR", scale);
    int appArgc = 1;
    QApplication app(appArgc, argv);
    Test test;
    return QTest::qExec(&test, 1, argv);
}

}  // namespace korvanta::testing
