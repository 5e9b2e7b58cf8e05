#pragma once

// A stand-in for the desktop's opener, first on PATH: it appends each address
// it is given to the file that $RECORD names, then ends with exitCode (3:
// xdg-open found no program for it). Header-only, so the launcher's tests need
// no simulator support library.
#include <QDir>
#include <QFile>

inline bool writeRecordingXdgOpen(const QString &binFolder, int exitCode = 0)
{
    if (!QDir().mkpath(binFolder))
        return false;
    QFile opener(binFolder + QStringLiteral("/xdg-open"));
    if (!opener.open(QIODevice::WriteOnly))
        return false;
    opener.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$RECORD\"\nexit " + QByteArray::number(exitCode) + '\n');
    opener.close();
    return opener.setPermissions(opener.permissions() | QFile::ExeOwner);
}
