#pragma once

#include <QFile>
#include <QString>

// One line per event, "<kind> t=<ms since the epoch> key=value ...", flushed at
// once so that a test can read the file while the simulator runs.
class SimLog
{
public:
    // An empty path logs to standard error.
    bool open(const QString &path, QString *error);
    void line(const QString &kind, const QString &fields);

private:
    QFile m_file;
};
