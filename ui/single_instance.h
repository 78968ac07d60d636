// One running copy of the program per user: a lock file in the user's runtime
// folder. A lock left behind by a copy that crashed names a process that no
// longer runs; the lock file treats it as stale and takes it over.
#pragma once

#include <QLockFile>
#include <QString>

namespace korvanta {

inline constexpr const char* kAlreadyRunningMessage = "Application is already running";

class SingleInstance {
  public:
    // The lock lives in `folder` (by default the user's runtime folder).
    explicit SingleInstance(const QString& folder = DefaultFolder());

    // True when this copy now holds the lock; false while another running
    // copy holds it.
    bool TryAcquire();

    static QString DefaultFolder();
    QString LockFilePath() const { return path_; }

  private:
    QString path_;
    QLockFile lock_;
};

}  // namespace korvanta
