#include "webconfig/verifyIPCamPassword.h"

#include "platform/Log.h"
#include "webconfig/CameraEndpoints.h"

const QString verifyIPCamPassword::authPass_retrieving = QStringLiteral("authPass_retrieving");
const QString verifyIPCamPassword::authPass_succ = QStringLiteral("authPass_succ");
const QString verifyIPCamPassword::authPass_fail = QStringLiteral("authPass_fail");

namespace {

const char *const kName = "-[verifyIPCamPassword verifyPassword:password:]";

} // namespace

verifyIPCamPassword::verifyIPCamPassword(QObject *parent)
    : QObject(parent)
{
}

void verifyIPCamPassword::verifyPassword(const TCameraInfo &camera, const QString &password)
{
    m_ipcamMAC = camera.mac().value_or(QString());
    setAuthPass(authPass_retrieving);
    if (CameraEndpoints::isZebor(camera))
        Log::line(QStringLiteral("[camera ip]=%1-%2").arg(camera.ip().value_or(QString()), m_ipcamMAC));
    const TCameraInfo checked = camera;
    check.check(camera, password, [this, checked](CameraReply reply) { onOutcome(checked, reply); });
}

void verifyIPCamPassword::onOutcome(const TCameraInfo &camera, CameraReply reply)
{
    if (!CameraEndpoints::isZebor(camera))
        Log::format("%s-47x %d", kName, check.httpStatus());
    setAuthPass(reply == CameraReply::Accepted ? authPass_succ : authPass_fail);
    if (theDelegate)
        theDelegate->didVerifyPassword(this);
}

void verifyIPCamPassword::setAuthPass(const QString &value)
{
    m_authPass = value;
    Log::format("%s-%s", kName, qUtf8Printable(value));
}
