#include "sim/core/SimState.h"

#include <QJsonDocument>
#include <QSaveFile>

SimState::SimState(SimScenario scenario, QString statePath)
    : m_scenario(std::move(scenario))
    , m_statePath(std::move(statePath))
{
}

SimRecorder *SimState::find(const QString &mac, const QString &ip)
{
    for (SimRecorder &r : m_scenario.recorders) {
        if (r.mac == mac && r.ip == ip)
            return &r;
    }
    return nullptr;
}

SimRecorder *SimState::findByIp(const QString &ip)
{
    for (SimRecorder &r : m_scenario.recorders) {
        if (r.ip == ip)
            return &r;
    }
    return nullptr;
}

QList<SimCamera *> SimState::camerasAt(const QString &ip)
{
    QList<SimCamera *> found;
    for (SimRecorder &r : m_scenario.recorders) {
        for (SimCamera &c : r.web.cameras) {
            if (c.ip == ip)
                found << &c;
        }
    }
    return found;
}

QStringList SimState::cameraIps() const
{
    QStringList ips;
    for (const SimRecorder &r : m_scenario.recorders) {
        for (const SimCamera &c : r.web.cameras) {
            if (!c.ip.isEmpty() && !ips.contains(c.ip))
                ips << c.ip;
        }
    }
    return ips;
}

bool SimState::commit() const
{
    if (m_statePath.isEmpty())
        return true;
    QSaveFile file(m_statePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(m_scenario.toJson()).toJson());
    return file.commit();
}
