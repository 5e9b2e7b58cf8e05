#include "widgets/StepImages.h"

#include "steps/SetupProgressView.h"

#include <QPainter>

namespace {

constexpr int kMark = 12;
constexpr int kGap = 22;

} // namespace

StepImages::StepImages(const SetupProgressView &progress, QWidget *parent)
    : QWidget(parent)
    , m_progress(progress)
{
    setObjectName(QStringLiteral("boxProgress"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize StepImages::sizeHint() const
{
    return {SetupProgressView::kImages * (kMark + kGap), kMark + 8};
}

void StepImages::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int width = SetupProgressView::kImages * kMark + (SetupProgressView::kImages - 1) * kGap;
    const int left = (this->width() - width) / 2;
    const int y = (height() - kMark) / 2;
    const QColor on(0x24, 0x63, 0xa6), off(0xc9, 0xd3, 0xe0);
    for (int i = 0; i < SetupProgressView::kImages; ++i) {
        const int x = left + i * (kMark + kGap);
        if (i > 0) {
            painter.setPen(QPen(m_progress.isOn(i) ? on : off, 2));
            painter.drawLine(x - kGap + 3, y + kMark / 2, x - 3, y + kMark / 2);
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_progress.isOn(i) ? on : off);
        painter.drawEllipse(x, y, kMark, kMark);
    }
}
