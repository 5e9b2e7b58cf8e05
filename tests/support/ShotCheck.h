#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Runs nvrshots (NVR_SHOTS_TOOL) with the arguments into a fresh dir for the
// named screens; empty when every one was written and none looks blank,
// otherwise what went wrong.
QString renderShots(const QString &dir, const QStringList &arguments, const QStringList &screens,
    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

// renderShots() for --lan screens inside the lab: in the language NVR_SHOTS_LANG
// (EN when unset), into NVR_SHOTS_DIR/<language>/<folder>, with the
// simulator's time scale of 0.1 that the lab tests start it with.
QString renderLabShots(const QString &folder, const QStringList &screens,
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment());
