#include "sim/core/SimLog.h"

#include <QDateTime>

#include <cstdio>

bool SimLog::open(const QString &path, QString *error)
{
    if (path.isEmpty())
        return m_file.open(stderr, QIODevice::WriteOnly);
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        *error = QStringLiteral("%1: %2").arg(path, m_file.errorString());
        return false;
    }
    return true;
}

void SimLog::line(const QString &kind, const QString &fields)
{
    const QString text = QStringLiteral("%1 t=%2 %3\n").arg(kind).arg(QDateTime::currentMSecsSinceEpoch()).arg(fields);
    m_file.write(text.toUtf8());
    m_file.flush();
}
