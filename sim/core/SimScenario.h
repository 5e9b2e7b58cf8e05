#pragma once

#include "sim/core/SimPortal.h"
#include "sim/core/SimRecorder.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

// The recorders of one simulator run, read from a JSON scenario file. The
// state file has the same format with the current values, so a state file can
// be loaded as a scenario again.
struct SimScenario
{
    QList<SimRecorder> recorders;
    SimPortal portal;

    // False with a message naming the recorder and key when the JSON is not a
    // valid scenario.
    static bool fromJson(const QByteArray &json, SimScenario *scenario, QString *error);
    static bool load(const QString &path, SimScenario *scenario, QString *error);
    QJsonObject toJson() const;
};
