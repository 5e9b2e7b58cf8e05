#pragma once

#include <QLockFile>
#include <QString>

// Holds a file that several wizard processes may change at once (a batch sets
// up many recorders side by side) for one read-change-write, through a hidden
// lock file beside it, ".NAME.lock". Taken on construction, given back on
// destruction; a lock left by a process that died is taken over.
class FileLock
{
public:
    static constexpr int kWaitMs = 60000;

    explicit FileLock(const QString &path, int waitMs = kWaitMs);

    // Empty while held, or when no lock file can be made beside the file: a
    // folder that refuses it refuses the change too, which then says why.
    // Otherwise why the file could not be had.
    const QString &error() const { return m_error; }

    static QString lockPath(const QString &path);

private:
    QLockFile m_lock;
    QString m_error;
};
