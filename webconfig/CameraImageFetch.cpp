#include "webconfig/CameraImageFetch.h"

#include "webconfig/CameraHttp.h"

#include <QCoreApplication>
#include <QThreadPool>

void fetchCameraImage(const QString &url, const QString &user, const QString &password, int timeoutMs,
    std::weak_ptr<CameraImageHandover> handover)
{
    QThreadPool::globalInstance()->start([=] {
        const CameraAnswer answer = cameraGet(url, user, password, timeoutMs);
        CameraImage result;
        result.gotData = !answer.body.isEmpty();
        result.refused = refusedCredentials(answer);
        if (result.gotData)
            result.image = QImage::fromData(answer.body);
        // The application object outlives every pool task: it waits for them
        // when it goes, after which instance() is null.
        QCoreApplication *app = QCoreApplication::instance();
        if (!app)
            return;
        QMetaObject::invokeMethod(
            app,
            [handover, result] {
                if (const std::shared_ptr<CameraImageHandover> owner = handover.lock())
                    (*owner)(result);
            },
            Qt::QueuedConnection);
    });
}
