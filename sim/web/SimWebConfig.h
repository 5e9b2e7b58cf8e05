#pragma once

#include "sim/http/SimHttpServer.h"

class SimLog;
class SimState;
struct SimRecorder;

// The recorders' /config/ web interface: Basic credentials checked against
// the password the LAN side holds, line-oriented "key=value" answers, state
// kept across requests and written to the state file after every change.
// Every request is logged as one "http" line, secrets masked.
class SimWebConfig
{
public:
    // timeScale shortens the restart after a factory reset, as NVRWIZARD_TIME_SCALE does.
    SimWebConfig(SimState &state, SimLog &log, double timeScale);

    SimHttpResponse answer(const SimHttpRequest &request, const QHostAddress &local);

private:
    struct Call
    {
        SimRecorder &recorder;
        const SimFormFields &query;
        QString value(const char *key) const { return formValue(query, QLatin1String(key)); }
        bool has(const char *key) const;
    };
    using Command = SimHttpResponse (SimWebConfig::*)(Call &);

    SimHttpResponse route(const SimHttpRequest &request, const QHostAddress &local, QString *user);
    static bool changesRecorder(const QByteArray &path, const Call &call);
    SimHttpResponse regStatus(Call &call);
    SimHttpResponse storageInfo(Call &call);
    SimHttpResponse storageFormat(Call &call);
    SimHttpResponse storageFormatPoll(Call &call);
    SimHttpResponse portalInfo(Call &call);
    SimHttpResponse regInfo(Call &call);
    SimHttpResponse discovery(Call &call);
    SimHttpResponse addCamera(Call &call);
    SimHttpResponse delCamera(Call &call);
    SimHttpResponse factory(Call &call);
    SimHttpResponse dateTime(Call &call);
    SimHttpResponse timeZoneList(Call &call);
    SimHttpResponse manualRecord(Call &call);

    SimState &m_state;
    SimLog &m_log;
    double m_timeScale;
};
