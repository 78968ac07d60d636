// SPDX-License-Identifier: GPL-3.0-or-later
// One running copy of the program per user: a lock file in the user's runtime
// folder. A lock file that is not the lock of a living copy (left behind by a
// copy that crashed, empty, garbage, read-only) is taken over. One that cannot
// be taken over (a folder of that name, a folder without write permission)
// must not keep the user out for good: the program says which file to remove
// and starts anyway.
#pragma once

#include <QLockFile>
#include <QString>

namespace korvanta {

inline constexpr const char* kAlreadyRunningMessage = "Application is already running";

class SingleInstance {
  public:
    enum class State {
        Acquired,          // this copy holds the lock
        RunningElsewhere,  // a living copy holds it
        Unusable,          // no lock can be held here; Problem() says why
    };

    // The lock lives in `folder` (by default the user's runtime folder).
    explicit SingleInstance(const QString& folder = DefaultFolder());

    // Takes the lock, taking over a lock file that no living copy holds.
    State Acquire();

    // For State::Unusable: what is wrong and which file or folder to mend.
    QString Problem() const { return problem_; }

    static QString DefaultFolder();
    QString LockFilePath() const { return path_; }

  private:
    // Whether the lock file names a copy that is running now.
    bool HeldByLivingCopy();
    // Removes a lock file that no living copy holds; false with problem_ set
    // when it cannot be removed.
    bool TakeOver();

    QString path_;
    QLockFile lock_;
    QString problem_;
};

}  // namespace korvanta
