#pragma once

#include "sim/http/SimHttpServer.h"

#include <QHash>

class SimLog;
class SimState;
struct SimCamera;

// The cameras' own web interface, plain HTTP on each camera's address: the
// still image of either family, and the 47X family's account check and
// password change, all behind Basic credentials. Every request is logged as
// one "cam" line, passwords masked; a password change goes to the state file.
class SimCameraWeb
{
public:
    // timeScale shortens the cameras' answer delays, as NVRWIZARD_TIME_SCALE does.
    SimCameraWeb(SimState &state, SimLog &log, double timeScale);

    SimHttpResponse answer(const SimHttpRequest &request, const QHostAddress &local);

private:
    SimHttpResponse route(const SimCamera &camera, const SimHttpRequest &request, QString *user);
    SimHttpResponse image(const SimCamera &camera);
    SimHttpResponse setPassword(const QString &ip, const SimFormFields &query);

    SimState &m_state;
    SimLog &m_log;
    double m_timeScale;
    QHash<QString, quint64> m_frames; // images served, by camera address
};
