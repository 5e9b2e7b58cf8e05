#pragma once

#include "webconfig/CameraPassword.h"

#include <QObject>
#include <QString>

class verifyIPCamPassword;

// Told when a silent password check has its outcome. Optional.
class verifyIPCamPasswordDelegate
{
public:
    virtual ~verifyIPCamPasswordDelegate() = default;
    virtual void didVerifyPassword(verifyIPCamPassword *) { }
};

// Checks a camera's password without a dialog, for the credentials a rescan
// carries over. One check per object; it reports once.
class verifyIPCamPassword : public QObject
{
    Q_OBJECT
public:
    static const QString authPass_retrieving;
    static const QString authPass_succ;
    static const QString authPass_fail;

    explicit verifyIPCamPassword(QObject *parent = nullptr);

    void setDelegate(verifyIPCamPasswordDelegate *delegate) { theDelegate = delegate; }
    // Over the camera's web interface the outcome is known, and reported,
    // before this returns.
    void verifyPassword(const TCameraInfo &camera, const QString &password);

    const QString &ipcamMAC() const { return m_ipcamMAC; }
    // Empty until the check starts.
    const QString &authPass() const { return m_authPass; }

private:
    void setAuthPass(const QString &value);
    void onOutcome(const TCameraInfo &camera, CameraReply reply);

    CameraPassword check;
    verifyIPCamPasswordDelegate *theDelegate = nullptr;
    QString m_ipcamMAC;
    QString m_authPass;
};
