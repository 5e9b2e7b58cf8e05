#pragma once

#include "protocol/LandapConfigDelegate.h"
#include "webconfig/CameraReply.h"
#include "webconfig/records/TCameraInfo.h"

#include <QObject>

#include <functional>
#include <memory>

class LandapConfig;

// Gives a camera a new administrator password: LAN change-user from the
// camera's current account for a ZEBOR camera; for the others
// "/system.cgi" with "admin" and an empty password, which counts only when
// the answer echoes "AdminPassword=" and the new password. One change per object.
class CameraPasswordChange : public QObject, private LandapConfigDelegate
{
    Q_OBJECT
public:
    using Done = std::function<void(CameraReply)>;

    explicit CameraPasswordChange(QObject *parent = nullptr);
    ~CameraPasswordChange() override;

    // Over HTTP the answer is awaited here and done runs before this returns;
    // over the LAN done runs later, on this thread.
    void start(const TCameraInfo &camera, const QString &newPassword, Done done);

private:
    void onLandapConfigEnd(LandapConfig *, int opCode, int retCode, const UdpError &error) override;
    CameraReply changeOverHttp(const TCameraInfo &camera, const QString &newPassword) const;

    std::unique_ptr<LandapConfig> landapconfig;
    Done m_done;
};
