#include "steps/DiagPreview.h"

#include "platform/Durations.h"
#include "platform/Log.h"
#include "webconfig/CameraEndpoints.h"

DiagPreview::DiagPreview(WizardContext &context, QObject *parent)
    : DialogController(context, parent)
{
    connect(&updateTimer, &QTimer::timeout, this, &DiagPreview::updateImageFromUrl);
}

DiagPreview::~DiagPreview() = default;

void DiagPreview::startPreview(const TCameraInfo &cameraInfo)
{
    camera = cameraInfo;
    m_text = caption(camera);
}

QString DiagPreview::caption(const TCameraInfo &camera)
{
    return QStringLiteral("%1 - %2").arg(camera.modelName().value_or(QString()), camera.ip().value_or(QString()));
}

void DiagPreview::windowDidLoad()
{
    updateImageFromUrl();
    updateTimer.start(durations().previewRefreshMs);
}

void DiagPreview::onCloseClicked()
{
    Log::line(QStringLiteral("DiagPreview::onCloseClicked"));
    stop();
}

void DiagPreview::windowWillClose()
{
    stop();
}

void DiagPreview::stop()
{
    if (isModalStopped())
        return;
    updateTimer.stop();
    ++m_run;
    dismiss();
}

void DiagPreview::updateImageFromUrl()
{
    if (m_isRuning)
        return;
    m_isRuning = true;
    Log::line(QStringLiteral("DiagPreview::updateImageFromUrl-display"));
    const quint64 run = m_run;
    m_handover
        = std::make_shared<CameraImageHandover>([this, run](const CameraImage &result) { onImage(run, result); });
    fetchCameraImage(CameraEndpoints::imageUrl(camera), camera.userName().value_or(QString()),
        camera.passWord().value_or(QString()), durations().cameraCheckMs, m_handover);
}

void DiagPreview::onImage(quint64 run, const CameraImage &result)
{
    if (run != m_run)
        return;
    m_refused = result.refused;
    if (result.gotData && !result.refused) {
        if (result.image.isNull())
            Log::line(QStringLiteral("Invalid Image"));
        else
            m_image = result.image;
    }
    m_isRuning = false;
    emit changed();
}
