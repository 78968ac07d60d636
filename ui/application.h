// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the desktop program: the single-instance rule, the update
// reminder, then the birth-data window.
#pragma once

#include <QDate>
#include <memory>

namespace korvanta {

class MessageSink;
class Settings;
class SingleInstance;
class frmMain;

// Names the application (which names its settings and data folders), its
// version, desktop file and icon; right after the QApplication is made.
void SetUpApplication();

// Runs the start-up steps. Empty result: another copy is running; the user has
// been told and this copy ends. A lock that cannot be used, and a settings
// file that could not be used as it was, are each said once and the start
// goes on. Otherwise the shown birth-data window.
// `instance` must outlive the program's run, as it holds the lock.
std::unique_ptr<frmMain> StartKorvanta(SingleInstance& instance, Settings& settings,
                                       const QDate& today, MessageSink& messages);

}  // namespace korvanta
