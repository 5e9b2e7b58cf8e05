#include "ShotCheck.h"

#include <QDir>
#include <QHash>
#include <QImage>
#include <QProcess>

#include <algorithm>

namespace {

// Why a rendered screen looks blank ("only 3 colours", "unreadable"), or an
// empty string when it has a page's background, texts and controls: a rendered
// window has far more than a handful of colours, and no single colour everywhere.
QString blankness(const QImage &image)
{
    if (image.isNull())
        return QStringLiteral("unreadable");
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            ++counts[image.pixel(x, y)];
    const int most = counts.isEmpty() ? 0 : *std::max_element(counts.cbegin(), counts.cend());
    const int samples = ((image.height() + 1) / 2) * ((image.width() + 1) / 2);
    if (counts.size() < 32)
        return QStringLiteral("only %1 colours").arg(counts.size());
    if (most > samples * 95 / 100)
        return QStringLiteral("one colour covers %1 %").arg(most * 100 / samples);
    return {};
}

} // namespace

QString renderShots(const QString &dir, const QStringList &arguments, const QStringList &screens,
    const QProcessEnvironment &environment)
{
    QDir(dir).removeRecursively();
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    tool.start(
        qEnvironmentVariable("NVR_SHOTS_TOOL"), arguments + QStringList {QStringLiteral("--out"), dir} + screens);
    if (!tool.waitForFinished(90000))
        return QStringLiteral("nvrshots did not finish");
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return QStringLiteral("nvrshots ended with %1").arg(tool.exitCode());
    for (const QString &screen : screens) {
        const QString file = dir + QLatin1Char('/') + screen + QStringLiteral(".png");
        const QString problem = blankness(QImage(file));
        if (!problem.isEmpty())
            return file + QStringLiteral(": ") + problem;
    }
    return {};
}

QString renderLabShots(const QString &folder, const QStringList &screens, QProcessEnvironment environment)
{
    const QString language = qEnvironmentVariable("NVR_SHOTS_LANG", QStringLiteral("EN"));
    const QString dir = qEnvironmentVariable("NVR_SHOTS_DIR") + QLatin1Char('/') + language + QLatin1Char('/') + folder;
    environment.insert(QStringLiteral("NVRWIZARD_TIME_SCALE"), QStringLiteral("0.1"));
    return renderShots(dir, {QStringLiteral("--lan"), QStringLiteral("--lang"), language}, screens, environment);
}
