#pragma once

#include "sim/http/SimHttpServer.h"

class SimLog;
class SimState;

// The cloud portal's three form calls: sign-in, sign-up and add-device.
// Accounts live in the state; the add call checks the device against the
// simulated recorder with that cloud number. Every form is logged as one
// "form" line (values percent-escaped, passwords masked).
class SimCloudPortal
{
public:
    SimCloudPortal(SimState &state, SimLog &log);

    SimHttpResponse answer(const SimHttpRequest &request, const QHostAddress &local);

private:
    QByteArray signIn(const SimFormFields &form);
    QByteArray signUp(const SimFormFields &form);
    QByteArray addDevice(const SimFormFields &form, const QByteArray &cookie);
    void logForm(const SimHttpRequest &request, const SimFormFields &form, const QByteArray &answer);

    SimState &m_state;
    SimLog &m_log;
};
