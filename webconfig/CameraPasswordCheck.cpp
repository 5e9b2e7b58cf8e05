#include "webconfig/CameraPasswordCheck.h"

#include "platform/Durations.h"
#include "protocol/LandapConfig.h"
#include "webconfig/CameraEndpoints.h"

namespace {

const QString kAdmin = QStringLiteral("admin");

} // namespace

CameraPasswordCheck::CameraPasswordCheck(QObject *parent)
    : QObject(parent)
{
}

CameraPasswordCheck::~CameraPasswordCheck() = default;

void CameraPasswordCheck::start(const TCameraInfo &camera, const QString &password, Done done)
{
    m_done = std::move(done);
    if (CameraEndpoints::isZebor(camera)) {
        const TVexorReply target = CameraEndpoints::replyRecord(camera);
        landapconfig = std::make_unique<LandapConfig>(static_cast<LandapConfigDelegate *>(this));
        landapconfig->open(&target);
        landapconfig->verifyUser(kAdmin, password);
        return;
    }
    const CameraAnswer answer
        = cameraGet(CameraEndpoints::userListUrl(camera), kAdmin, password, durations().cameraCheckMs);
    m_httpStatus = answer.status;
    m_done(httpReply(answer));
}

void CameraPasswordCheck::onLandapConfigEnd(LandapConfig *, int, int retCode, const UdpError &error)
{
    landapconfig->close();
    m_done(lanReply(retCode, error));
}
