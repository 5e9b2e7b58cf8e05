#include "widgets/GuidePicture.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kBody(0x2b, 0x33, 0x3d);
const QColor kAccent(0x24, 0x63, 0xa6);
const QColor kCable(0xe0, 0x8a, 0x1e);

// The status light: off before power, amber while starting, blue when ready.
const QColor kLedOff(0x55, 0x60, 0x6d);
const QColor kLedStarting(0xf0, 0xa8, 0x30);
const QColor kLedReady(0x3c, 0x8d, 0xf0);

void drawRecorder(QPainter &p, const QRectF &r, const QColor &led)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kBody);
    p.drawRoundedRect(r, 8, 8);
    const QPointF light(r.left() + 18, r.center().y());
    if (led != kLedOff) {
        QColor glow = led;
        glow.setAlpha(70);
        p.setBrush(glow);
        p.drawEllipse(light, 11, 11);
    }
    p.setBrush(led);
    p.drawEllipse(light, 5, 5);
    p.setBrush(QColor(0x55, 0x60, 0x6d));
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(r.right() - 24 - i * 16, r.center().y() - 6, 10, 12));
}

void drawRouter(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(kBody, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.left() + 20, r.top()), QPointF(r.left() + 12, r.top() - 30));
    p.drawLine(QPointF(r.right() - 20, r.top()), QPointF(r.right() - 12, r.top() - 30));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf2, 0xf4, 0xf7));
    p.drawRoundedRect(r, 10, 10);
    p.setBrush(kAccent);
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(r.left() + 20 + i * 16, r.center().y()), 4, 4);
}

void drawDisk(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(kBody, 2));
    p.setBrush(QColor(0xc9, 0xd0, 0xd8));
    p.drawRoundedRect(r, 6, 6);
    p.setBrush(QColor(0x9a, 0xa4, 0xb0));
    const qreal d = r.height() * 0.7;
    p.drawEllipse(QRectF(r.left() + 12, r.center().y() - d / 2, d, d));
    p.setBrush(kBody);
    p.drawEllipse(QRectF(r.left() + 12 + d / 2 - 4, r.center().y() - 4, 8, 8));
}

void drawCable(QPainter &p, QPointF from, QPointF to)
{
    QPainterPath path(from);
    path.cubicTo(QPointF(from.x(), to.y() + 40), QPointF(to.x(), from.y() + 40), to);
    p.setPen(QPen(kCable, 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

} // namespace

GuidePicture::GuidePicture(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("guidePicture"));
    setMinimumSize(320, 180);
}

void GuidePicture::setSubPage(int subPage, int half)
{
    m_subPage = subPage;
    m_half = half;
    update();
}

void GuidePicture::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect().adjusted(10, 10, -10, -10);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(area, 12, 12);

    const QRectF recorder(area.left() + area.width() * 0.08, area.center().y() + 10, area.width() * 0.42, 46);
    const QRectF router(area.right() - area.width() * 0.38, area.top() + 60, area.width() * 0.3, 40);
    const auto networkCable = [&] {
        drawCable(p, QPointF(recorder.right() - 20, recorder.top()), QPointF(router.left() + 30, router.bottom()));
    };
    const auto powerCable = [&] {
        drawCable(p, QPointF(recorder.left() + 30, recorder.bottom()), QPointF(area.left() + 20, area.bottom() - 10));
    };
    switch (m_subPage) {
    case 0: // what is needed: the recorder with its disk, and a router
        drawRecorder(p, recorder, kLedOff);
        drawDisk(p, QRectF(recorder.left() + recorder.width() * 0.25, recorder.top() - 78, recorder.width() * 0.5, 48));
        drawRouter(p, router);
        break;
    case 1:
        drawRecorder(p, recorder, m_half ? kLedStarting : kLedOff);
        drawRouter(p, router);
        networkCable();
        if (m_half) // then the power
            powerCable();
        break;
    default: // starting, then ready
        drawRecorder(p, recorder, m_subPage == 2 ? kLedStarting : kLedReady);
        drawRouter(p, router);
        networkCable();
        powerCable();
        break;
    }
}
