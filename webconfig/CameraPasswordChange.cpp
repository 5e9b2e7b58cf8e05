#include "webconfig/CameraPasswordChange.h"

#include "platform/Durations.h"
#include "platform/Log.h"
#include "protocol/LandapConfig.h"
#include "webconfig/CameraEndpoints.h"

namespace {

const QString kAdmin = QStringLiteral("admin");
constexpr int kEchoBytes = 500;
constexpr int kHttpOk = 200;

} // namespace

CameraPasswordChange::CameraPasswordChange(QObject *parent)
    : QObject(parent)
{
}

CameraPasswordChange::~CameraPasswordChange() = default;

void CameraPasswordChange::start(const TCameraInfo &camera, const QString &newPassword, Done done)
{
    m_done = std::move(done);
    if (CameraEndpoints::isZebor(camera)) {
        const TVexorReply target = CameraEndpoints::replyRecord(camera);
        const QString user = camera.userName().value_or(QString());
        landapconfig = std::make_unique<LandapConfig>(static_cast<LandapConfigDelegate *>(this));
        landapconfig->open(&target);
        landapconfig->changeUser(user, camera.passWord().value_or(QString()), user, newPassword);
        return;
    }
    m_done(changeOverHttp(camera, newPassword));
}

CameraReply CameraPasswordChange::changeOverHttp(const TCameraInfo &camera, const QString &newPassword) const
{
    const CameraAnswer answer
        = cameraGet(CameraEndpoints::setPasswordUrl(camera, newPassword), kAdmin, QString(), durations().cameraCheckMs);
    const QString echo = QString::fromUtf8(answer.body.left(kEchoBytes));
    Log::format("DiagNewPasswordPanel - %ld", long(answer.status));
    // The echo carries the new password: it stays out of the log.
    Log::line(QStringLiteral("get -%1").arg(QString(echo).replace(newPassword, Log::masked(newPassword))));
    if (!answer.answered)
        return CameraReply::NoAnswer;
    if (answer.status != kHttpOk || !echo.contains(QStringLiteral("AdminPassword=") + newPassword))
        return CameraReply::Refused;
    return CameraReply::Accepted;
}

void CameraPasswordChange::onLandapConfigEnd(LandapConfig *, int, int retCode, const UdpError &error)
{
    landapconfig->close();
    m_done(lanReply(retCode, error));
}
