// The README's headless example: the answers file it names, against the
// simulator's demo scenario, with a standard output that Python's JSON reader
// takes as it stands.
#include "HeadlessRun.h"
#include "LabEnv.h"
#include "SimProcess.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

namespace {

QString sourceFile(const char *path)
{
    return qEnvironmentVariable("NVR_SOURCE_DIR") + QLatin1Char('/') + QLatin1String(path);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class HeadlessDemoLabTest : public QObject
{
    Q_OBJECT

private slots:
    void readmeExampleReachesTheSummary()
    {
        NVR_REQUIRE_LAB();
        const QString answers = QStringLiteral("docs/demo-answers.json");
        QVERIFY(contents(sourceFile("README.md")).contains("scripts/run.sh --headless " + answers.toUtf8()));

        SimProcess sim;
        sim.setTimeScale(0.1);
        QString error;
        const QJsonObject demo = QJsonDocument::fromJson(contents(sourceFile("sim/scenarios/demo.json"))).object();
        QVERIFY2(sim.start(demo, &error), qPrintable(error));
        const HeadlessRun run = HeadlessRun::runFile(sourceFile("docs/demo-answers.json"), 0.1, 60000);
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));

        QProcess reader;
        reader.start(QStringLiteral("python3"), {QStringLiteral("-m"), QStringLiteral("json.tool")});
        reader.write(run.summary.toUtf8());
        reader.closeWriteChannel();
        QVERIFY(reader.waitForFinished(10000));
        QVERIFY2(reader.exitCode() == 0, reader.readAllStandardError().constData());

        const QJsonObject summary = run.summaryJson();
        QCOMPARE(summary.value(QStringLiteral("counter")).toString(), QStringLiteral("10/10"));
        const QJsonObject steps = summary.value(QStringLiteral("steps")).toObject();
        QCOMPARE(steps.value(QStringLiteral("searchNVR")).toObject().value(QStringLiteral("mac")).toString(),
            QStringLiteral("00:1c:27:00:00:01"));
        QCOMPARE(
            steps.value(QStringLiteral("hdd")).toObject().value(QStringLiteral("formatted")).toArray(), QJsonArray {1});
        const QJsonArray channels
            = steps.value(QStringLiteral("searchCAM")).toObject().value(QStringLiteral("channels")).toArray();
        QCOMPARE(channels.at(0).toString(), QStringLiteral("ZB-2100"));
        QCOMPARE(channels.at(1).toString(), QStringLiteral("ZB-3200"));
        QVERIFY(channels.at(2).isNull());
        QVERIFY(
            !run.summary.contains(QStringLiteral("Str0ngpass1")) && !run.summary.contains(QStringLiteral("Cam-pass1")));
    }
};

QTEST_GUILESS_MAIN(HeadlessDemoLabTest)
#include "tst_headlessdemolab.moc"
