// Draws the wizard's application icon as PNG files at the given sizes, at
// build time, so every size is drawn for its own pixel grid:
//   nvricon OUTPUT_FOLDER NAME SIZE...
// writes OUTPUT_FOLDER/SIZExSIZE/apps/NAME.png (the hicolor theme layout).
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

// Everything is laid out on a 256-unit square.
void drawIcon(QPainter &p)
{
    QLinearGradient sky(0, 16, 0, 240);
    sky.setColorAt(0, QColor(0x2f, 0x7d, 0xd1));
    sky.setColorAt(1, QColor(0x17, 0x45, 0x8a));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(16, 16, 224, 224), 44, 44);

    // The recorder, seen from the front: body, two disk bays, status lights.
    QLinearGradient metal(0, 112, 0, 196);
    metal.setColorAt(0, QColor(0xf4, 0xf6, 0xf9));
    metal.setColorAt(1, QColor(0xc9, 0xd2, 0xdd));
    p.setBrush(metal);
    p.drawRoundedRect(QRectF(36, 112, 184, 84), 14, 14);
    p.setBrush(QColor(0x2a, 0x33, 0x40));
    p.drawRoundedRect(QRectF(52, 132, 64, 16), 4, 4);
    p.drawRoundedRect(QRectF(52, 160, 64, 16), 4, 4);
    p.setBrush(QColor(0x34, 0xc7, 0x59));
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(148 + i * 20, 168), 7, 7);

    // A tick in a badge: the recorder is set up.
    p.setBrush(QColor(0x34, 0xc7, 0x59));
    p.setPen(QPen(Qt::white, 8));
    p.drawEllipse(QPointF(176, 76), 40, 40);
    QPainterPath tick;
    tick.moveTo(156, 77);
    tick.lineTo(171, 92);
    tick.lineTo(197, 62);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 13, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
}

int fail(const QString &message)
{
    std::fprintf(stderr, "nvricon: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return fail(QStringLiteral("usage: nvricon OUTPUT_FOLDER NAME SIZE..."));
    for (const QString &sizeText : args.mid(3)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        if (!ok || size < 16 || size > 1024)
            return fail(QStringLiteral("bad size %1").arg(sizeText));
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(size / 256.0, size / 256.0);
            drawIcon(painter);
        }
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args.at(1)).arg(size);
        if (!QDir().mkpath(folder) || !image.save(folder + QLatin1Char('/') + args.at(2) + QStringLiteral(".png")))
            return fail(QStringLiteral("cannot write into %1").arg(folder));
    }
    return 0;
}
