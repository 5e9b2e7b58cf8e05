#include "ProcessMemory.h"

#include <QFile>

namespace {

qint64 statusKiB(const QByteArray &key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

} // namespace

qint64 ProcessMemory::residentKiB()
{
    return statusKiB("VmRSS");
}

qint64 ProcessMemory::peakKiB()
{
    return statusKiB("VmHWM");
}

void ProcessMemory::resetPeak()
{
    // "5" resets the peak resident size to the current one.
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}
