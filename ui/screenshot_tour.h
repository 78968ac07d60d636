// A guided run of the real program that saves pictures of its windows: it
// types a birth into the birth-data window, runs the calculation, shows both
// result tabs and the about box, saves each as a PNG and ends the program.
// Started by app/ when KORVANTA_SCREENSHOT_DIR names a folder.
#pragma once

#include <QString>

namespace korvanta {

class frmMain;

inline constexpr const char* kScreenshotFolderVariable = "KORVANTA_SCREENSHOT_DIR";

// Schedules the tour on the event loop; the program ends when it is done.
void ScheduleScreenshotTour(frmMain& window, const QString& folder);

}  // namespace korvanta
