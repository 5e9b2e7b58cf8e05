#include "sim/cam/SimTestCard.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QtMath>

namespace SimTestCard {

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 360;
constexpr int kBarsHeight = 220;

void drawBars(QPainter &p)
{
    static const QColor bars[] {QColor(192, 192, 192), QColor(192, 192, 0), QColor(0, 192, 192), QColor(0, 192, 0),
        QColor(192, 0, 192), QColor(192, 0, 0), QColor(0, 0, 192)};
    const int count = int(std::size(bars));
    for (int i = 0; i < count; ++i) {
        const int left = kWidth * i / count;
        p.fillRect(left, 0, kWidth * (i + 1) / count - left, kBarsHeight, bars[i]);
    }
}

// A clock face whose hand sweeps once a minute, moving with every frame.
void drawSweep(QPainter &p, const QDateTime &now)
{
    const QPointF centre(kWidth / 2.0, kBarsHeight / 2.0);
    const qreal radius = 80;
    p.setPen(QPen(Qt::black, 4));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, radius, radius);
    for (int tick = 0; tick < 12; ++tick) {
        const qreal at = qDegreesToRadians(tick * 30.0);
        const QPointF direction(qCos(at), qSin(at));
        p.drawLine(centre + direction * (radius - 12), centre + direction * (radius - 4));
    }
    const qreal turn = (now.time().second() * 1000 + now.time().msec()) / 60000.0;
    const qreal angle = qDegreesToRadians(turn * 360.0 - 90.0);
    p.setPen(QPen(QColor(200, 0, 0), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(qCos(angle), qSin(angle)) * (radius - 10));
}

void drawCaption(QPainter &p, const QString &model, const QString &ip, const QDateTime &now, quint64 frame)
{
    p.fillRect(0, kBarsHeight, kWidth, kHeight - kBarsHeight, QColor(20, 20, 24));
    p.setPen(Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(34);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(20, kBarsHeight + 12, kWidth - 40, 44), Qt::AlignLeft | Qt::AlignVCenter, model);
    font.setPixelSize(24);
    font.setBold(false);
    p.setFont(font);
    p.drawText(QRect(20, kBarsHeight + 64, kWidth - 40, 30), Qt::AlignLeft | Qt::AlignVCenter, ip);
    p.drawText(QRect(20, kBarsHeight + 98, kWidth - 40, 30), Qt::AlignLeft | Qt::AlignVCenter,
        now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
    p.drawText(QRect(20, kBarsHeight + 98, kWidth - 40, 30), Qt::AlignRight | Qt::AlignVCenter,
        QStringLiteral("#%1").arg(frame));
}

} // namespace

QByteArray jpeg(const QString &model, const QString &ip, const QDateTime &now, quint64 frame)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        drawBars(p);
        drawSweep(p, now);
        drawCaption(p, model, ip, now, frame);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 80);
    return bytes;
}

} // namespace SimTestCard
