// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's settings file, checked before QSettings touches it.
// QSettings would block forever reading a pipe, and reads bytes it cannot
// parse as keys that it then writes back in their place; neither may happen
// to the user's file.
#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace korvanta {

// The installed program's settings file: Korvanta/Korvanta.conf in the
// user's configuration folder (~/.config unless XDG_CONFIG_HOME says other).
QString SettingsFilePath();

// The settings store at `path` (INI form). Before it is read:
// - a path that names something other than a regular file (a pipe, a
//   device, a folder) is never opened: the store then lives in memory only;
// - a file that is not a settings file (not UTF-8 text of sections, comments
//   and key=value lines, or larger than any settings file) is renamed to
//   PATH.bad (PATH.bad.2 and on when that exists), keeping the user's bytes,
//   and a fresh file is started; when it cannot be renamed it is left alone
//   and the store lives in memory;
// - a file that cannot be read is left alone and the store lives in memory.
// `note` receives what was done, for the user; empty when nothing was wrong.
std::unique_ptr<QSettings> OpenSettingsFile(const QString& path, QString& note);

}  // namespace korvanta
