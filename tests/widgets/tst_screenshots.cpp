// The screenshot tool under Xvfb: every screen as PNGs a person can look at;
// a font for every character the language files ship.
#include "ShotCheck.h"
#include "platform/Resources.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

QString shotsDir()
{
    return qEnvironmentVariable("NVR_SHOTS_DIR", QDir::temp().filePath(QStringLiteral("nvrshots")));
}

QStringList screenNames()
{
    QProcess tool;
    tool.start(qEnvironmentVariable("NVR_SHOTS_TOOL"), {QStringLiteral("--list")});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        return {};
    QStringList names;
    for (const QString &line : QString::fromUtf8(tool.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (!line.isEmpty())
            names << line.section(QLatin1Char('\t'), 0, 0);
    }
    return names;
}

} // namespace

class ScreenshotsTest : public QObject
{
    Q_OBJECT

private:
    QStringList names;
    QSize firstSize;

private slots:
    void initTestCase()
    {
        names = screenNames();
        QVERIFY2(names.size() >= 10, "nvrshots --list names too few screens");
    }

    void everyScreenRenders_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("scale");
        for (const char *language : {"EN", "JP", "RU"})
            QTest::newRow(language) << QString::fromLatin1(language) << QString();
        QTest::newRow("RU@2x") << QStringLiteral("RU") << QStringLiteral("2");
    }
    void everyScreenRenders()
    {
        QFETCH(QString, language);
        QFETCH(QString, scale);
        const QString dir
            = shotsDir() + QLatin1Char('/') + language + (scale.isEmpty() ? QString() : QStringLiteral("@2x"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!scale.isEmpty())
            env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
        const QString problem = renderShots(dir, {QStringLiteral("--lang"), language}, names, env);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));

        // The window keeps its size across languages and doubles at 200 %.
        const QSize size = QImage(dir + QLatin1Char('/') + names.first() + QStringLiteral(".png")).size();
        if (firstSize.isEmpty())
            firstSize = size;
        QCOMPARE(size, scale.isEmpty() ? firstSize : firstSize * 2);
    }

    // Tofu boxes: a character that no installed font can draw.
    void everyShippedCharacterHasAFont()
    {
        const QDir lang(Resources::path(QStringLiteral("lang")));
        const QStringList files = lang.entryList({QStringLiteral("*.txt")});
        QCOMPARE(files.size(), 22);
        const QStringList families = QFontDatabase::families();
        QHash<char32_t, bool> drawn;
        static const QRegularExpression entry(QStringLiteral("^\\s*\"[^\"]*\"\\s*=\\s*\"(.*)\";\\s*$"));
        QStringList missing;
        for (const QString &name : files) {
            QFile file(lang.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
                const QRegularExpressionMatch match = entry.match(line);
                if (!match.hasMatch())
                    continue;
                for (char32_t c : match.captured(1).toUcs4()) {
                    if (c < 0x80 || drawn.contains(c))
                        continue;
                    const bool found = std::any_of(families.begin(), families.end(),
                        [c](const QString &family) { return QFontMetrics(QFont(family)).inFontUcs4(c); });
                    drawn.insert(c, found);
                    if (!found)
                        missing << QStringLiteral("%1 U+%2").arg(name).arg(quint32(c), 4, 16, QLatin1Char('0'));
                }
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(ScreenshotsTest)
#include "tst_screenshots.moc"
