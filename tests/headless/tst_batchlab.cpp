// nvrwizard --batch against three simulated recorders: one with its HTTPS port
// closed fails alone, one takes its own override, the outcomes come as JSON and
// as CSV that Python reads, no answers file is ever made; Ctrl-C and a closed
// terminal stop the rest. Then recorders with
// hostile cloud numbers, set up side by side from a plan on standard input.
#include "LabEnv.h"
#include "SimProcess.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

const QString kShared = QStringLiteral("Sitepass1");
const QString kEmail = QStringLiteral("site@example.com");
const QString kCloud = QStringLiteral("cloud1234");

QJsonObject recorder(int n, const QString &password)
{
    QJsonObject r = password.isEmpty() ? SimProcess::recorder(n) : SimProcess::configured(n, password);
    r.insert(QStringLiteral("cloud"),
        QJsonObject {
            {"portal_number", QStringLiteral("3000000%1").arg(n)}, {"portal_dfp", QStringLiteral("d%1").arg(n)}});
    return SimProcess::withCameras(r, {SimProcess::camera(n, QStringLiteral("1"), QStringLiteral("cam%1pass").arg(n))});
}

// What a Python one-liner prints about the file at path.
QByteArray python(const QString &script, const QString &path)
{
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral("-c"), script, path});
    python.waitForFinished();
    return python.readAllStandardOutput();
}

QJsonArray csvRows(const QString &path)
{
    return QJsonDocument::fromJson(python(QStringLiteral("import csv, json, sys; print(json.dumps(list("
                                                         "csv.DictReader(open(sys.argv[1], newline='')))))"),
                                       path))
        .array();
}

// How many of the wizard's entries the bookmarks bar holds, as plistlib reads it.
int ourBookmarks(const QString &path)
{
    return python(QStringLiteral("import plistlib, sys; bar = plistlib.load(open(sys.argv[1], 'rb'))['Children'][1]"
                                 "['Children']; print(sum('VEXOR540' in e.get('WebBookmarkUUID', '') for e in bar))"),
        path)
        .trimmed()
        .toInt();
}

} // namespace

class BatchLabTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void oneFailureStopsNoOther();
    void signalStopsTheRest_data();
    void signalStopsTheRest();
    void networkTextStaysInert();

private:
    QProcess *startBatch(const QStringList &options, const QString &home = QString());

    SimProcess m_sim;
    QTemporaryDir m_dir;
    QString m_plan;
    QStringList m_macs;
};

void BatchLabTest::initTestCase()
{
    NVR_REQUIRE_LAB();
    const QList<QJsonObject> recorders {SimProcess::merged(recorder(1, QString()), {{"copies", 2}}),
        SimProcess::merged(recorder(3, QString()), {{"misbehave", QJsonObject {{"webClosed", true}}}})};
    for (int n : {1, 2, 3})
        m_macs << SimProcess::macOf(SimProcess::recorder(n));
    QVERIFY(m_sim.startScaled(SimProcess::withPortalAccount(SimProcess::scenario(recorders), kEmail, kCloud), 0.1));

    const QJsonObject answers {{"timeoutSeconds", 120}, {"password", QJsonObject {{"password", kShared}}},
        {"searchCAM", QJsonObject {{"cameras", QJsonArray {QJsonObject {{"camera", 1}}}}}},
        {"nimbora", QJsonObject {{"account", "existing"}, {"email", kEmail}, {"password", kCloud}}},
        {"summary", QJsonObject {{"report", m_dir.path() + QStringLiteral("/")}}}};
    const QJsonArray list {QJsonObject {{"mac", m_macs.at(0).toUpper()}},
        QJsonObject {{"mac", m_macs.at(1)}, {"password", QJsonObject {{"password", "Ownpass2"}}}},
        QJsonObject {{"mac", m_macs.at(2)}}};
    QFile plan(m_dir.filePath(QStringLiteral("plan.json")));
    QVERIFY(plan.open(QIODevice::WriteOnly));
    plan.write(QJsonDocument(QJsonObject {{"answers", answers}, {"recorders", list}}).toJson());
    m_plan = plan.fileName();
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("tmp")));
}

QProcess *BatchLabTest::startBatch(const QStringList &options, const QString &home)
{
    auto *batch = new QProcess(this);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!home.isEmpty()) {
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    }
    env.insert(QStringLiteral("NVRWIZARD_TIME_SCALE"), QStringLiteral("0.1"));
    // Where the batch keeps the runs' answers files, to see them gone after.
    env.insert(QStringLiteral("TMPDIR"), m_dir.filePath(QStringLiteral("tmp")));
    batch->setProcessEnvironment(env);
    batch->start(qEnvironmentVariable("NVR_BUILD_DIR") + QStringLiteral("/bin/nvrwizard"),
        QStringList {QStringLiteral("--batch")}
            + (options.contains(QStringLiteral("-")) ? options : QStringList {m_plan} + options));
    return batch;
}

void BatchLabTest::oneFailureStopsNoOther()
{
    const QString csv = m_dir.filePath(QStringLiteral("result.csv"));
    QProcess *batch = startBatch({QStringLiteral("--csv"), csv});
    QVERIFY(batch->waitForFinished(90000));
    const QString errors = QString::fromUtf8(batch->readAllStandardError());
    QCOMPARE(batch->exitCode(), 1);
    const QJsonObject result = QJsonDocument::fromJson(batch->readAllStandardOutput()).object();
    const QJsonArray recorders = result.value(QStringLiteral("recorders")).toArray();
    QVERIFY2(recorders.size() == 3, qPrintable(errors));
    const QJsonArray rows = csvRows(csv);
    QCOMPARE(rows.size(), 3);
    for (int i : {0, 1}) {
        const QJsonObject r = recorders.at(i).toObject();
        QVERIFY2(r.value(QStringLiteral("outcome")) == QStringLiteral("succeeded"), qPrintable(errors));
        QCOMPARE(r.value(QStringLiteral("channels")).toArray().first().toString(), QStringLiteral("47X-IP200"));
        QCOMPARE(r.value(QStringLiteral("cloudNumber")).toString(), QStringLiteral("3000000%1").arg(i + 1));
        QCOMPARE(rows.at(i)[QStringLiteral("cloud number")].toString(), QStringLiteral("3000000%1").arg(i + 1));
        QCOMPARE(rows.at(i)[QStringLiteral("channels")].toString(), QStringLiteral("1:47X-IP200"));
        const QString report = r.value(QStringLiteral("report")).toString();
        QVERIFY2(QFileInfo(report).size() > 0 && report.contains(m_macs.at(i).toUpper().replace(':', '-')),
            qPrintable(report));
    }
    QCOMPARE(m_sim.passwordOf(m_macs.at(0)), kShared);
    QCOMPARE(m_sim.passwordOf(m_macs.at(1)), QStringLiteral("Ownpass2"));
    const QJsonObject failed = recorders.at(2).toObject();
    QCOMPARE(failed.value(QStringLiteral("outcome")).toString(), QStringLiteral("failed"));
    QCOMPARE(failed.value(QStringLiteral("step")).toString(), QStringLiteral("timeZone"));
    // What the run found before it failed.
    QCOMPARE(failed.value(QStringLiteral("ip")).toString(), SimProcess::ipOf(SimProcess::recorder(3)));
    QCOMPARE(failed[QStringLiteral("diagnosis")][QStringLiteral("cause")].toString(), QStringLiteral("httpsClosed"));
    QCOMPARE(rows.at(2)[QStringLiteral("diagnosis")].toString(), QStringLiteral("httpsClosed"));
    QCOMPARE(rows.at(2)[QStringLiteral("failure")], failed.value(QStringLiteral("failure")));
    QCOMPARE(rows.at(2)[QStringLiteral("mac")].toString(), m_macs.at(2));
    QVERIFY2(errors.contains(QStringLiteral("[3/3] %1 at timeZone").arg(m_macs.at(2))), qPrintable(errors));
    QVERIFY(QDir(m_dir.filePath(QStringLiteral("tmp"))).isEmpty());
}

void BatchLabTest::signalStopsTheRest_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("Ctrl-C") << int(SIGINT) << 130;
    QTest::newRow("terminal closed") << int(SIGHUP) << 129;
}

void BatchLabTest::signalStopsTheRest()
{
    QFETCH(int, signalNumber);
    QFETCH(int, exitCode);
    QProcess *batch = startBatch({QStringLiteral("--jobs"), QStringLiteral("1")});
    batch->setReadChannel(QProcess::StandardError);
    QString errors;
    while (!errors.contains(QStringLiteral(" succeeded in ")) && batch->waitForReadyRead(60000))
        errors += QString::fromUtf8(batch->readAllStandardError());
    QVERIFY2(errors.contains(QStringLiteral("[1/3] %1 succeeded").arg(m_macs.at(0).toUpper())), qPrintable(errors));
    ::kill(pid_t(batch->processId()), signalNumber);
    QVERIFY(batch->waitForFinished(30000));
    errors += QString::fromUtf8(batch->readAllStandardError());
    QVERIFY2(batch->exitStatus() == QProcess::NormalExit && batch->exitCode() == exitCode, qPrintable(errors));
    const QJsonObject result = QJsonDocument::fromJson(batch->readAllStandardOutput()).object();
    QVERIFY(result.value(QStringLiteral("interrupted")).toBool());
    const QJsonArray recorders = result.value(QStringLiteral("recorders")).toArray();
    // The second run was stopped, or had already ended by itself.
    QVERIFY(recorders.at(1)[QStringLiteral("outcome")] != QStringLiteral("not started"));
    QCOMPARE(recorders.at(2)[QStringLiteral("outcome")].toString(), QStringLiteral("not started"));
    QVERIFY2(
        errors.contains(QStringLiteral("interrupted; finished: %1").arg(m_macs.at(0).toUpper())), qPrintable(errors));
    QVERIFY(QDir(m_dir.filePath(QStringLiteral("tmp"))).isEmpty());
}

// Cloud numbers that would forge a progress line on a terminal and run as a
// formula in a spreadsheet, from two recorders finishing at the same moment;
// the plan comes on standard input.
void BatchLabTest::networkTextStaysInert()
{
    const QString forged = QStringLiteral("\x1b]0;owned\x07\x1b[2K[2-2] forged succeeded");
    const QStringList numbers {QStringLiteral("@SUM(2+3)"), forged};
    QList<QJsonObject> recorders;
    for (int n : {1, 2}) {
        QJsonObject r = recorder(n, QString());
        r.insert(QStringLiteral("cloud"),
            QJsonObject {{"portal_number", numbers.at(n - 1)}, {"access", "1"}, {"status", "1"}});
        recorders << r;
    }
    m_sim.stop();
    QVERIFY(m_sim.startScaled(SimProcess::withPortalAccount(SimProcess::scenario(recorders), kEmail, kCloud), 0.1));
    const QString home = m_dir.filePath(QStringLiteral("home"));
    const QString bookmarks = home + QStringLiteral("/Library/Safari/Bookmarks.plist");
    QVERIFY(QDir().mkpath(QFileInfo(bookmarks).path()));
    QFile file(bookmarks);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<plist version=\"1.0\"><dict><key>Children</key><array><dict/>"
               "<dict><key>Children</key><array/></dict></array></dict></plist>");
    file.close();

    const QString csv = m_dir.filePath(QStringLiteral("inert.csv"));
    QProcess *batch = startBatch({QStringLiteral("-"), QStringLiteral("--csv"), csv}, home);
    const QJsonObject plan {{"answers",
                                QJsonObject {{"password", QJsonObject {{"password", kShared}}},
                                    {"searchCAM", QJsonObject {{"cameras", QJsonArray {}}}}}},
        {"recorders", QJsonArray {QJsonObject {{"mac", m_macs.at(0)}}, QJsonObject {{"mac", m_macs.at(1)}}}}};
    batch->write(QJsonDocument(plan).toJson());
    batch->closeWriteChannel();
    QVERIFY(batch->waitForFinished(90000));
    const QString errors = QString::fromUtf8(batch->readAllStandardError());
    QVERIFY2(batch->exitCode() == 0, qPrintable(errors));
    QVERIFY2(
        !errors.contains(QChar(0x1b)) && errors.contains(QStringLiteral("\\x1b]0;owned\\x07")), qPrintable(errors));
    const QJsonArray result
        = QJsonDocument::fromJson(batch->readAllStandardOutput())[QStringLiteral("recorders")].toArray();
    const QJsonArray rows = csvRows(csv);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0)[QStringLiteral("cloud number")].toString(), QStringLiteral("'@SUM(2+3)"));
    for (int i : {0, 1})
        QCOMPARE(result.at(i)[QStringLiteral("cloudNumber")].toString(), numbers.at(i));
    QVERIFY(result.at(0)[QStringLiteral("files")][QStringLiteral("propertyList")].isString());
    QCOMPARE(result.at(0)[QStringLiteral("errors")].toArray(), QJsonArray());
    // A property list cannot hold the escape character: the files not made are named.
    const QJsonArray notMade = result.at(1)[QStringLiteral("errors")].toArray();
    QVERIFY(notMade.size() == 2 && notMade.at(1).toString().startsWith(bookmarks + QStringLiteral(": ")));
    QCOMPARE(ourBookmarks(bookmarks), 1);
}

QTEST_GUILESS_MAIN(BatchLabTest)
#include "tst_batchlab.moc"
