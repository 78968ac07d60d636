// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the desktop program: the single-instance rule, the update
// reminder, then the birth-data window.
#pragma once

#include <QDate>
#include <memory>

class QSettings;

namespace korvanta {

class MessageSink;
class SingleInstance;
class frmMain;

// Runs the start-up steps. Empty result: another copy is running; the user has
// been told and this copy ends. A lock that cannot be used is reported and the
// start goes on. Otherwise the shown birth-data window.
// `instance` must outlive the program's run, as it holds the lock.
std::unique_ptr<frmMain> StartKorvanta(SingleInstance& instance, QSettings& settings,
                                       const QDate& today, MessageSink& messages);

}  // namespace korvanta
