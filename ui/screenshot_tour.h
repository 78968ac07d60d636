// SPDX-License-Identifier: GPL-3.0-or-later
// A guided run of the real program that saves pictures of its windows: it
// types a birth into the birth-data window, choosing the place from the
// atlas's list, runs the calculation, shows the three result tabs, exports the
// chart page and opens the about box, saves each as a PNG and ends the program.
// Started by app/ when KORVANTA_SCREENSHOT_DIR names a folder.
#pragma once

#include <QString>

namespace korvanta {

class frmMain;

inline constexpr const char* kScreenshotFolderVariable = "KORVANTA_SCREENSHOT_DIR";
// When set (to "laptop", say), the tour pictures only the result frame as it
// opens on this screen, on its details and chart tabs:
// "result-laptop-details.png" and "result-laptop-chart.png".
inline constexpr const char* kScreenshotFrameVariable = "KORVANTA_SCREENSHOT_FRAME";

// Schedules the tour on the event loop; the program ends when it is done.
void ScheduleScreenshotTour(frmMain& window, const QString& folder);

}  // namespace korvanta
