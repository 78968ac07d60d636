#include "ui/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace korvanta {

SingleInstance::SingleInstance(const QString& folder)
    : path_(QDir(folder).filePath(QStringLiteral("korvanta.lock"))), lock_(path_) {
    // A lock is stale only when its process is gone, never because it is old:
    // the program may run for days.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::TryAcquire() {
    QDir().mkpath(QFileInfo(path_).absolutePath());
    return lock_.tryLock(0);
}

QString SingleInstance::DefaultFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

}  // namespace korvanta
