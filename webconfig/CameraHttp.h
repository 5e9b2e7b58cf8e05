#pragma once

#include "webconfig/HttpError.h"

#include <QByteArray>
#include <QString>

// What a camera answered to one plain HTTP GET.
struct CameraAnswer
{
    bool answered = false; // an HTTP answer came back, whatever its status
    int status = 0;
    QByteArray body;
};

// The camera answered, and refused the credentials sent.
inline bool refusedCredentials(const CameraAnswer &answer)
{
    return answer.answered && answer.status == kHttpUnauthorized;
}

// One GET to a camera, Basic credentials only when user is not empty, waiting
// at most timeoutMs for the whole answer. It waits in a local event loop that
// keeps painting but leaves user input queued until it returns, so on the
// main thread nothing else the user does happens meanwhile; on a worker
// thread it simply blocks that thread. No redirect is followed.
CameraAnswer cameraGet(const QString &url, const QString &user, const QString &password, int timeoutMs);
