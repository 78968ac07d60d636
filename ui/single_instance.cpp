// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/single_instance.h"

#include <signal.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>
#include <cerrno>

namespace korvanta {
namespace {

bool ProcessRunning(qint64 pid) {
    if (pid <= 0) return false;
    // EPERM: the process exists but belongs to someone else.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

QString RemoveAdvice(const QString& path) {
    return QStringLiteral(
               " Korvanta starts anyway, but cannot tell whether another copy is "
               "running. Remove %1 to mend this.")
        .arg(QDir::toNativeSeparators(path));
}

}  // namespace

SingleInstance::SingleInstance(const QString& folder)
    : path_(QDir(folder).filePath(QStringLiteral("korvanta.lock"))), lock_(path_) {
    // A lock is stale only when its process is gone, never because it is old:
    // the program may run for days.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::HeldByLivingCopy() {
    qint64 pid = 0;
    QString host, application;
    if (!lock_.getLockInfo(&pid, &host, &application)) {
        // A copy writing its lock right now leaves it empty for a moment.
        QThread::msleep(100);
        if (!lock_.getLockInfo(&pid, &host, &application)) return false;
    }
    // A lock taken on another machine (a shared folder) cannot be checked.
    if (host != QSysInfo::machineHostName()) return true;
    return ProcessRunning(pid);
}

bool SingleInstance::TakeOver() {
    const QFileInfo info(path_);
    if (info.isDir() && !info.isSymLink()) {
        problem_ = QStringLiteral("The lock file %1 is a folder.").arg(path_) + RemoveAdvice(path_);
        return false;
    }
    // Two copies starting together must not both remove a lock: the one that
    // holds this second lock checks again and removes.
    QLockFile removal(path_ + QStringLiteral(".rmlock"));
    removal.setStaleLockTime(0);
    // Without write permission in the folder there is no second lock either;
    // the removal below then fails and says so.
    if (!removal.tryLock(1000) && removal.error() == QLockFile::LockFailedError) {
        return true;  // the other copy is at it; try the lock again
    }
    if (HeldByLivingCopy()) return true;
    QFile file(path_);
    if (file.exists() && !file.remove()) {
        problem_ = QStringLiteral("The lock file %1 cannot be removed (%2).")
                       .arg(path_, file.errorString()) +
                   RemoveAdvice(path_);
        return false;
    }
    return true;
}

SingleInstance::State SingleInstance::Acquire() {
    problem_.clear();
    const QString folder = QFileInfo(path_).absolutePath();
    QDir().mkpath(folder);
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (lock_.tryLock(0)) return State::Acquired;
        if (lock_.error() != QLockFile::LockFailedError) {
            // No lock file can be made here at all.
            problem_ = QStringLiteral("The lock file %1 cannot be made (%2).")
                           .arg(path_, lock_.error() == QLockFile::PermissionError
                                           ? QStringLiteral("no permission to write in %1")
                                                 .arg(QDir::toNativeSeparators(folder))
                                           : QStringLiteral("unknown error")) +
                       QStringLiteral(
                           " Korvanta starts anyway, but cannot tell whether another "
                           "copy is running.");
            return State::Unusable;
        }
        if (HeldByLivingCopy()) return State::RunningElsewhere;
        if (!TakeOver()) return State::Unusable;
    }
    return State::RunningElsewhere;
}

QString SingleInstance::DefaultFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

}  // namespace korvanta
