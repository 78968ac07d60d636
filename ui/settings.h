// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's settings: every key it keeps, read and written here
// as typed values, and the file checked before QSettings touches it.
// QSettings would block forever reading a pipe, and reads bytes it cannot
// parse as keys that it then writes back in their place; neither may happen
// to the user's file.
#pragma once

#include <QString>
#include <chrono>
#include <memory>
#include <optional>

#include "pipeline/positions_source.h"
#include "reading/varga.h"
#include "report/report.h"

class QSettings;

namespace korvanta {

class Settings {
  public:
    // The installed program's settings file: Korvanta/Korvanta.conf in the
    // user's configuration folder (~/.config unless XDG_CONFIG_HOME says other).
    static QString DefaultPath();

    // The settings kept in the file at `path` (INI form). Before it is read:
    // - a path that names something other than a regular file (a pipe, a
    //   device, a folder) is never opened: the settings then live in memory;
    // - a file that is not a settings file (not UTF-8 text of sections,
    //   comments and key=value lines, or larger than any settings file) is
    //   renamed to PATH.bad (PATH.bad.2 and on when that exists), keeping the
    //   user's bytes, and a fresh file is started; when it cannot be renamed
    //   it is left alone and the settings live in memory;
    // - a file that cannot be read is left alone and the settings live in
    //   memory.
    // Problem() then says what was done, naming the file.
    explicit Settings(const QString& path);
    // Settings in memory only, gone when the program ends.
    Settings();
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // What was wrong with the file and what was done about it, for the user;
    // empty when nothing was wrong.
    const QString& Problem() const { return problem_; }

    // The day the update reminder last ran. The key and the date are stored
    // through EncodeSetting, so the file never holds "Duration" or the date
    // in clear text.
    enum class DateState { Missing, Unreadable, Read };
    struct StoredDate {
        DateState state = DateState::Missing;
        std::chrono::year_month_day date{};  // for Read
    };
    StoredDate ReminderDate() const;
    bool SetReminderDate(std::chrono::year_month_day date);

    // The View menu's chart style; empty when none was chosen or the stored
    // word is not one the program writes.
    std::optional<ChartStyle> ChartStyleChoice() const;
    // "Show All Padas"; off unless the store holds true.
    bool ShowAllPadas() const;
    bool SetChartDrawing(ChartStyle style, bool allPadas);

    // The View menu's divisional chart, stored as its number (9 for the
    // Navamsa); empty when none was chosen or the stored value names none.
    std::optional<Varga> VargaChoice() const;
    bool SetVargaChoice(Varga varga);

    // The sensitivity strip's span in minutes, as stored; empty when there is
    // no whole number under the key.
    std::optional<int> SensitivitySpan() const;
    bool SetSensitivitySpan(int minutes);

    // The View menu's astronomy: Precise only where the store holds the word
    // "precise", Classic otherwise.
    Astronomy AstronomyChoice() const;
    bool SetAstronomy(Astronomy astronomy);

  private:
    bool Written();
    std::unique_ptr<QSettings> store_;
    QString problem_;
};

}  // namespace korvanta
