#include "webconfig/CameraPassword.h"

#include "platform/Durations.h"
#include "platform/Log.h"
#include "protocol/LandapConfig.h"
#include "webconfig/CameraEndpoints.h"

namespace {

const QString kAdmin = QStringLiteral("admin");
constexpr int kEchoBytes = 500;

} // namespace

QString CameraPassword::userAfter(const TCameraInfo &camera, bool changed)
{
    return changed && CameraEndpoints::isZebor(camera) ? camera.userName().value_or(QString()) : kAdmin;
}

CameraPassword::CameraPassword(QObject *parent)
    : QObject(parent)
{
}

CameraPassword::~CameraPassword() = default;

void CameraPassword::check(const TCameraInfo &camera, const QString &password, Done done)
{
    if (!CameraEndpoints::hasAddress(camera)) {
        done(CameraReply::NoAnswer);
        return;
    }
    if (CameraEndpoints::isZebor(camera)) {
        openLan(camera, std::move(done)).verifyUser(kAdmin, password);
        return;
    }
    const CameraAnswer answer
        = cameraGet(CameraEndpoints::userListUrl(camera), kAdmin, password, durations().cameraCheckMs);
    m_httpStatus = answer.status;
    done(httpReply(answer));
}

void CameraPassword::change(const TCameraInfo &camera, const QString &newPassword, Done done)
{
    if (!CameraEndpoints::hasAddress(camera)) {
        done(CameraReply::NoAnswer);
        return;
    }
    if (CameraEndpoints::isZebor(camera)) {
        const QString user = camera.userName().value_or(QString());
        openLan(camera, std::move(done)).changeUser(user, camera.passWord().value_or(QString()), user, newPassword);
        return;
    }
    done(changeOverHttp(camera, newPassword));
}

LandapConfig &CameraPassword::openLan(const TCameraInfo &camera, Done done)
{
    m_done = std::move(done);
    const TVexorReply target = CameraEndpoints::replyRecord(camera);
    landapconfig = std::make_unique<LandapConfig>(static_cast<LandapConfigDelegate *>(this));
    landapconfig->open(&target);
    return *landapconfig;
}

void CameraPassword::onLandapConfigEnd(LandapConfig *, int, int retCode, const UdpError &error)
{
    landapconfig->close();
    m_done(lanReply(retCode, error));
}

CameraReply CameraPassword::changeOverHttp(const TCameraInfo &camera, const QString &newPassword)
{
    const CameraAnswer answer
        = cameraGet(CameraEndpoints::setPasswordUrl(camera, newPassword), kAdmin, QString(), durations().cameraCheckMs);
    m_httpStatus = answer.status;
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
