#include "widgets/CameraPreviewDialog.h"

#include "steps/DiagPreview.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QSize kImageSize(352, 240);

} // namespace

CameraPreviewDialog::CameraPreviewDialog(DiagPreview &diag, QWidget *parent)
    : QDialog(parent)
    , m_diag(diag)
    , m_image(new QLabel(this))
{
    setObjectName(diag.dialogKind());
    setWindowTitle(diag.lbText());
    m_image->setObjectName(QStringLiteral("imageView"));
    m_image->setMinimumSize(kImageSize);
    // The picture follows the view, never the other way round.
    m_image->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setStyleSheet(QStringLiteral("background: #1b2530; color: white;"));
    m_image->setWordWrap(true);
    auto *text = new QLabel(diag.lbText(), this);
    text->setObjectName(QStringLiteral("lbText"));
    auto *close = new QPushButton(diag.btCloseTitle(), this);
    close->setObjectName(QStringLiteral("btClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, &diag, &DiagPreview::onCloseClicked);

    auto *footer = new QHBoxLayout;
    footer->addWidget(text, 1);
    footer->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_image, 1);
    layout->addLayout(footer);
    connect(&diag, &DialogController::changed, this, &CameraPreviewDialog::refresh);
    refresh();
}

void CameraPreviewDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    refresh();
}

void CameraPreviewDialog::refresh()
{
    const QImage &image = m_diag.image();
    if (image.isNull()) {
        m_image->setText(m_diag.lbNote());
        return;
    }
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap
        = QPixmap::fromImage(image.scaled(m_image->size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    m_image->setPixmap(pixmap);
}
