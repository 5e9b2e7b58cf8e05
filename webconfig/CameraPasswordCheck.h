#pragma once

#include "protocol/LandapConfigDelegate.h"
#include "webconfig/CameraReply.h"
#include "webconfig/records/TCameraInfo.h"

#include <QObject>

#include <functional>
#include <memory>

class LandapConfig;

// Whether a camera takes the user "admin" with a password: LAN verify-user
// for a ZEBOR camera, "/userlist.cgi" with Basic credentials for the others.
// One check per object.
class CameraPasswordCheck : public QObject, private LandapConfigDelegate
{
    Q_OBJECT
public:
    using Done = std::function<void(CameraReply)>;

    explicit CameraPasswordCheck(QObject *parent = nullptr);
    ~CameraPasswordCheck() override;

    // Over HTTP the answer is awaited here (cameraGet) and done runs before
    // this returns; over the LAN done runs later, on this thread.
    void start(const TCameraInfo &camera, const QString &password, Done done);

    // The HTTP status of the last check over HTTP (0: none came back).
    int httpStatus() const { return m_httpStatus; }

private:
    void onLandapConfigEnd(LandapConfig *, int opCode, int retCode, const UdpError &error) override;

    std::unique_ptr<LandapConfig> landapconfig;
    Done m_done;
    int m_httpStatus = 0;
};
