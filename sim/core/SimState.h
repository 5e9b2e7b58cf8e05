#pragma once

#include "sim/core/SimScenario.h"

#include <QString>

// The simulator's live recorders. Every change goes through commit(), which
// rewrites the state file so that tests can read what the recorders hold.
class SimState
{
public:
    SimState(SimScenario scenario, QString statePath);

    QList<SimRecorder> &recorders() { return m_scenario.recorders; }
    const QList<SimRecorder> &recorders() const { return m_scenario.recorders; }
    // The recorder with this MAC and IP (as lower-case text), or nullptr.
    SimRecorder *find(const QString &mac, const QString &ip);
    // The recorder that owns this address, or nullptr.
    SimRecorder *findByIp(const QString &ip);
    SimPortal &portal() { return m_scenario.portal; }
    // Every scenario entry of the camera at this address: recorders that share
    // a network discover the same camera, so a change goes to each of them.
    // The first entry is the one the camera answers as.
    QList<SimCamera *> camerasAt(const QString &ip);
    // The distinct camera addresses, in scenario order.
    QStringList cameraIps() const;

    // Writes the state file (atomically) when one was given; false on failure.
    bool commit() const;

private:
    SimScenario m_scenario;
    QString m_statePath;
};
