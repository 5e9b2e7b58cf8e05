#include "widgets/CameraImages.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace {

const QColor kBlue(0x24, 0x63, 0xa6);
const QColor kFrame(0x9a, 0xa8, 0xb8);

// Drawn at twice the size: sharp at 200 % too.
QIcon drawn(const QSize &size, const std::function<void(QPainter &)> &draw)
{
    QPixmap pixmap(size * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return QIcon(pixmap);
}

void checkBox(QPainter &painter, bool on)
{
    painter.setPen(QPen(on ? kBlue : kFrame, 1.5));
    painter.setBrush(on ? kBlue : QColor(Qt::white));
    painter.drawRoundedRect(QRectF(1.5, 1.5, 15, 15), 3, 3);
    if (!on)
        return;
    painter.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(5, 9.5), QPointF(8, 12.5), QPointF(13.5, 5.5)}));
}

void camera(QPainter &painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBlue);
    painter.drawRoundedRect(QRectF(1, 4, 15, 11), 2, 2);
    painter.drawRect(QRectF(5, 2, 5, 3));
    QPainterPath lens;
    lens.moveTo(16, 8);
    lens.lineTo(21, 5);
    lens.lineTo(21, 14);
    lens.lineTo(16, 11);
    painter.drawPath(lens);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(8.5, 9.5), 3, 3);
}

// A padlock: closed and green when the password is known, amber with a
// question mark when it is not, open and grey when the camera has none.
void padlock(QPainter &painter, Setup_SelectCamView::Secured secured)
{
    using Secured = Setup_SelectCamView::Secured;
    const QColor colour = secured == Secured::Known ? QColor(0x3c, 0xa5, 0x5c)
        : secured == Secured::PasswordUnknown       ? QColor(0xd9, 0x8c, 0x1f)
                                                    : QColor(0x8a, 0x97, 0xa8);
    // The shackle; an open lock has it lifted, its left leg out of the body.
    const bool open = secured == Secured::NoPassword;
    const qreal lift = open ? 2.5 : 0;
    QPainterPath shackle;
    shackle.moveTo(4.5, open ? 5 - lift : 8);
    shackle.lineTo(4.5, 5 - lift);
    shackle.arcTo(QRectF(4.5, 1.5 - lift, 7, 7), 180, -180);
    shackle.lineTo(11.5, 8);
    painter.setPen(QPen(colour, 1.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shackle);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(2, 7.5, 12, 8), 1.5, 1.5);
    painter.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
    if (secured == Secured::PasswordUnknown) {
        QFont font = painter.font();
        font.setPixelSize(8);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(QRectF(2, 7.5, 12, 8), Qt::AlignCenter, QStringLiteral("?"));
    } else {
        painter.drawLine(QPointF(8, 10.5), QPointF(8, 12.5));
    }
}

} // namespace

QIcon cameraListImage(const QString &resourceName)
{
    if (resourceName == QLatin1String(Setup_SelectCamView::imgCheckOn))
        return drawn({18, 18}, [](QPainter &p) { checkBox(p, true); });
    if (resourceName == QLatin1String(Setup_SelectCamView::imgCheckOff))
        return drawn({18, 18}, [](QPainter &p) { checkBox(p, false); });
    if (resourceName == QLatin1String(Setup_SelectCamView::imgPreviewOn))
        return drawn({22, 17}, camera);
    return {};
}

QIcon securedImage(Setup_SelectCamView::Secured secured)
{
    return drawn({16, 16}, [secured](QPainter &p) { padlock(p, secured); });
}
