#pragma once

#include "protocol/LandapConfigDelegate.h"
#include "webconfig/CameraReply.h"
#include "webconfig/records/TCameraInfo.h"

#include <QObject>

#include <functional>
#include <memory>

class LandapConfig;

// A camera's administrator password, asked of the camera itself: a ZEBOR
// camera over the LAN configuration protocol, the others over their CGI
// requests with Basic credentials. One check or change per object. Over HTTP
// the answer is awaited in the call (cameraGet) and done runs before it
// returns; over the LAN done runs later, on this thread. A camera without an
// address (CameraEndpoints::hasAddress) is sent nothing: NoAnswer at once.
class CameraPassword : public QObject, private LandapConfigDelegate
{
    Q_OBJECT
public:
    using Done = std::function<void(CameraReply)>;

    explicit CameraPassword(QObject *parent = nullptr);
    ~CameraPassword() override;

    // Whether the camera takes the user "admin" with password: LAN
    // verify-user, or "/userlist.cgi".
    void check(const TCameraInfo &camera, const QString &password, Done done);
    // Gives the camera newPassword: LAN change-user from the camera's current
    // account, or "/system.cgi" as "admin" with an empty password, which
    // counts only when the answer echoes "AdminPassword=" and the new password.
    // A camera that refuses the change is then checked with newPassword: one
    // that already has it (set by an earlier run) counts as accepted.
    void change(const TCameraInfo &camera, const QString &newPassword, Done done);

    // The user name that goes with the password the camera took: "admin",
    // except after a change over the LAN, where a ZEBOR camera keeps its own.
    const QString &user() const { return m_user; }
    // After a change: the camera refused it and the new password too, so it
    // has another password.
    bool hasOtherPassword() const { return m_otherPassword; }

    // The camera has a password other than the one its record holds: the
    // record no longer claims to know it.
    static void forgetPassword(TCameraInfo &camera);

    // The HTTP status of the last request over HTTP (0: none came back).
    int httpStatus() const { return m_httpStatus; }

private:
    LandapConfig &openLan(const TCameraInfo &camera, Done done);
    void onLandapConfigEnd(LandapConfig *, int opCode, int retCode, const UdpError &error) override;
    CameraReply changeOverHttp(const TCameraInfo &camera, const QString &newPassword);

    std::unique_ptr<LandapConfig> landapconfig;
    Done m_done;
    QString m_user;
    bool m_otherPassword = false;
    int m_httpStatus = 0;
};
