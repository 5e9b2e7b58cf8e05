#pragma once

#include "core/DialogController.h"
#include "webconfig/CameraImageFetch.h"
#include "webconfig/records/TCameraInfo.h"

#include <QImage>
#include <QTimer>

#include <memory>

// The modal preview of one camera: a still image, fetched again every
// second in the background, never two at a time. An answer that is no image
// is logged and ignored; a failed fetch leaves the last image. A camera that
// refuses the credentials is named as such instead of staying black.
class DiagPreview : public DialogController
{
    Q_OBJECT
public:
    explicit DiagPreview(WizardContext &context, QObject *parent = nullptr);
    ~DiagPreview() override;

    std::optional<QPoint> placement() const override { return m_origin; }
    Dimming dimming() const override { return Dimming::Light; }
    void setOrigin(const QPoint &screenPoint) { m_origin = screenPoint; }

    // Before the dialog runs.
    void startPreview(const TCameraInfo &camera);

    // Starts the updates: one now, then every second.
    void windowDidLoad() override;
    void windowWillClose() override;
    void onCloseClicked();

    QString lbText() const { return m_text; }
    // "model - IP": the preview's text, and what its button in the list is called.
    static QString caption(const TCameraInfo &camera);
    // The last valid image; null until one came.
    const QImage &image() const { return m_image; }
    bool isRuning() const { return m_isRuning; }
    // Says so while the camera refuses the credentials it is asked with.
    QString lbNote() const { return m_refused ? text(QStringLiteral("SetupCam PwdRefused")) : QString(); }
    QString btCloseTitle() const { return text(QStringLiteral("Button Close")); }

private:
    void updateImageFromUrl();
    void onImage(quint64 run, const CameraImage &result);
    void stop();

    TCameraInfo camera;
    QString m_text;
    QImage m_image;
    QTimer updateTimer;
    bool m_isRuning = false;
    bool m_refused = false;
    // Results of fetches started before a stop are dropped.
    quint64 m_run = 0;
    std::optional<QPoint> m_origin;
    // The fetch in flight holds it weakly: once the dialog is gone, its result is too.
    std::shared_ptr<CameraImageHandover> m_handover;
};
