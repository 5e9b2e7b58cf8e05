#include "webconfig/CameraPassword.h"

#include "platform/Durations.h"
#include "platform/Log.h"
#include "protocol/LandapConfig.h"
#include "webconfig/CameraEndpoints.h"

namespace {

const QString kAdmin = QStringLiteral("admin");
constexpr int kEchoBytes = 500;

} // namespace

void CameraPassword::forgetPassword(TCameraInfo &camera)
{
    camera.setUserName(QString());
    camera.setPassWord(QString());
}

CameraPassword::CameraPassword(QObject *parent)
    : QObject(parent)
{
}

CameraPassword::~CameraPassword() = default;

void CameraPassword::check(const TCameraInfo &camera, const QString &password, Done done)
{
    m_user = kAdmin;
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
    m_otherPassword = false;
    // A camera that refuses the credentials of the change has a password
    // already: maybe newPassword, set by an earlier run.
    Done checkWhenRefused = [this, camera, newPassword, done](CameraReply reply) {
        if (reply != CameraReply::Refused || (!CameraEndpoints::isZebor(camera) && m_httpStatus != kHttpUnauthorized)) {
            done(reply);
            return;
        }
        Log::line(QStringLiteral("CameraPassword: the camera refused the change; checking it with the new password"));
        check(camera, newPassword, [this, done](CameraReply checked) {
            m_otherPassword = checked == CameraReply::Refused;
            done(checked);
        });
    };
    if (CameraEndpoints::isZebor(camera)) {
        m_user = camera.userName().value_or(QString());
        openLan(camera, std::move(checkWhenRefused))
            .changeUser(m_user, camera.passWord().value_or(QString()), m_user, newPassword);
        return;
    }
    m_user = kAdmin;
    checkWhenRefused(changeOverHttp(camera, newPassword));
}

LandapConfig &CameraPassword::openLan(const TCameraInfo &camera, Done done)
{
    m_done = std::move(done);
    const TVexorReply target = CameraEndpoints::replyRecord(camera);
    // A second exchange may start from the end of the first, still inside its channel.
    if (landapconfig)
        landapconfig.release()->deleteLater();
    landapconfig = std::make_unique<LandapConfig>(static_cast<LandapConfigDelegate *>(this));
    landapconfig->open(&target);
    return *landapconfig;
}

void CameraPassword::onLandapConfigEnd(LandapConfig *, int, int retCode, const UdpError &error)
{
    landapconfig->close();
    // done may start the next exchange, which replaces m_done.
    const Done done = std::move(m_done);
    done(lanReply(retCode, error));
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
