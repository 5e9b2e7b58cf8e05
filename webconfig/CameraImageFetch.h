#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <memory>

// One still image of a camera, fetched and decoded on a pool thread.
struct CameraImage
{
    bool gotData = false; // a non-empty body came back
    QImage image; // null when the data was no valid image
    bool refused = false; // the camera refused the credentials
};

// Hands a finished fetch to its owner on the main thread.
using CameraImageHandover = std::function<void(const CameraImage &)>;

// Starts the GET of url (Basic credentials only when user is not empty) on a
// pool thread and returns at once. The result is handed to handover on the
// main thread; when the owner has dropped its handover by then, the result
// is dropped too.
void fetchCameraImage(const QString &url, const QString &user, const QString &password, int timeoutMs,
    std::weak_ptr<CameraImageHandover> handover);
