#include "HeadlessRun.h"
#include "LabEnv.h"
#include "SimProcess.h"

#include "platform/Durations.h"
#include "webconfig/HttpCommand.h"
#include "webconfig/HttpConfig.h"
#include "webconfig/HttpConfigDelegate.h"
#include "webconfig/HttpError.h"

#include <QJsonArray>
#include <QtTest>

namespace {

constexpr int kWaitMs = 10000;
const QString kAdmin = QStringLiteral("admin");
const QString kPassword = QStringLiteral("Recorder9");

struct Client : HttpConfigDelegate
{
    HttpConfig config {this};
    QList<int> done;
    QStringList progress; // "disk:value"
    int errors = 0;
    std::function<void(HttpConfig &)> onProgress;

    void onHttpConfigDidFinish(HttpConfig *, int cmd) override { done.append(cmd); }
    void onHttpDidError(const HttpError &) override { ++errors; }
    void onHttpUpdateFormatStatus(HttpConfig *, int, int hdd, const QString &format) override
    {
        progress.append(QStringLiteral("%1:%2").arg(hdd).arg(format));
        if (onProgress)
            onProgress(config);
    }
    bool run(const std::function<void(HttpConfig &)> &start)
    {
        const int errorsBefore = errors;
        const int before = int(done.size()) + errors;
        start(config);
        return QTest::qWaitFor([&] { return int(done.size()) + errors > before; }, kWaitMs) && errors == errorsBefore;
    }
};

} // namespace

class TestConfigSimLab : public QObject
{
    Q_OBJECT

private:
    SimProcess m_sim;
    QJsonObject m_recorder;
    TVexorReply m_nvr {};

    void start(const QJsonObject &web = {}, const QJsonObject &portal = {})
    {
        m_recorder = SimProcess::merged(SimProcess::configured(0, kPassword), web);
        m_nvr = SimProcess::target(m_recorder);
        QJsonObject scenario = SimProcess::scenario({m_recorder});
        if (!portal.isEmpty())
            scenario.insert(QStringLiteral("portal"), portal);
        QVERIFY(m_sim.startScaled(scenario));
    }

private slots:
    void init()
    {
        NVR_REQUIRE_LAB();
        setDurations(Durations().scaled(0.05));
    }
    void cleanup() { m_sim.stop(); }

    void eachMarkedDiskIsFormattedInTurnUntilAStepMovesOn()
    {
        const QJsonObject disk {{"partitions", QJsonArray {QJsonObject {}}}};
        start({{"disks",
            QJsonArray {
                SimProcess::merged(disk, {{"device", "sda"}}), SimProcess::merged(disk, {{"device", "sdb"}})}}});
        Client c;
        QVERIFY(c.run([&](HttpConfig &h) { h.startGetHddInfo(m_nvr, kAdmin, kPassword); }));
        for (const auto &hdd : *c.config.getHddInfoList())
            hdd->setChecked(true);
        QVERIFY(c.run([&](HttpConfig &h) { h.startFormatHdd(h.getHddInfoList(), m_nvr, kAdmin, kPassword); }));
        QCOMPARE(c.progress, (QStringList {"1:35", "1:80", "1:100", "2:35", "2:80", "2:100"}));

        // A step that moves on from inside a progress report ends the polling.
        c.progress.clear();
        c.onProgress = [&](HttpConfig &h) { h.performGetDateInformation(m_nvr, kAdmin, kPassword); };
        QVERIFY(c.run([&](HttpConfig &h) { h.startFormatHdd(h.getHddInfoList(), m_nvr, kAdmin, kPassword); }));
        QCOMPARE(c.done.last(), int(HttpCmd::GetDateInformation));
        // Five of the poll's own intervals, counted on the event loop the poll would use.
        int intervals = 0;
        QTimer clock;
        QObject::connect(&clock, &QTimer::timeout, [&intervals] { ++intervals; });
        clock.start(durations().formatPollMs);
        QTRY_VERIFY(intervals >= 5);
        QCOMPARE(c.progress, QStringList {"1:35"});
        QCOMPARE(c.done.size(), 3);
    }

    void noPortalHostNoRequest()
    {
        start({}, {{"accounts", QJsonArray {}}});
        Client c;
        // A recorder that knows no portal: the cloud call has no host to go to.
        TNimboraInfo noPortal;
        noPortal.setPortal_url(QString());
        QVERIFY(!c.run([&](HttpConfig &h) { h.startNimboraSignin(noPortal, "2.00.01", "en", "a@b.example", "x"); }));
        QCOMPARE(c.errors, 1);
        QVERIFY(m_sim.log(QStringLiteral("form")).isEmpty());
    }

    void configModePrintsOneRecord()
    {
        const QJsonObject partition {
            {"capacityMb", 100}, {"usedMb", 1}, {"recordableMb", 90}, {"status", 2}, {"fileSystem", "ext4"}};
        start({{"disks",
                   QJsonArray {
                       QJsonObject {{"device", "sda"}, {"partitions", QJsonArray {partition}}}, QJsonObject {}}},
            {"registration", QJsonObject {{"status", "1"}, {"email", "ana@example.com"}, {"password", "CloudPw1"}}}});
        const QStringList args {"--config", "2", "--nvr", SimProcess::ipOf(m_recorder), "--user", kAdmin};
        const HeadlessRun disks = HeadlessRun::command(args, kPassword.toUtf8() + '\n');
        QCOMPARE(disks.exitCode, 0);
        QVERIFY2(disks.summary.startsWith(
                     QStringLiteral("disk 1:\n  checked=1\n  storageid=0\n  type=SATA\n  deviceName=sda\n"))
                && disks.summary.contains(
                    QStringLiteral("  partition 1:\n    capacity=100\n    usedSpace=1\n    FreeSpace=99\n"
                                   "    Recordable=90\n    status=2\n    fileSystem=ext4\n"
                                   "disk 2:\n  checked=0\n  storageid=1\n")),
            qPrintable(disks.summary));

        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("pw")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kPassword.toUtf8() + '\n');
        file.close();
        QStringList fromFile = args;
        fromFile[1] = QStringLiteral("6");
        const HeadlessRun account = HeadlessRun::command(fromFile << "--password-file" << file.fileName());
        QCOMPARE(account.exitCode, 0);
        QCOMPARE(account.summary, QStringLiteral("status=1\nemail=ana@example.com\npassword=****\n"));

        QStringList writes = args;
        writes[1] = QStringLiteral("7");
        QCOMPARE(HeadlessRun::command(writes).exitCode, 2);
        QStringList named = args;
        named[3] = QStringLiteral("recorder.local");
        QCOMPARE(HeadlessRun::command(named).exitCode, 2);
        QStringList silent = args;
        silent[1] = QStringLiteral("5");
        silent[3] = SimProcess::ipOf(SimProcess::recorder(5)); // no recorder there
        const HeadlessRun unanswered = HeadlessRun::command(silent, "pw\n");
        QCOMPARE(unanswered.exitCode, 1);
        QVERIFY(unanswered.errors.contains(QLatin1String("did not answer")));
    }
};

QTEST_GUILESS_MAIN(TestConfigSimLab)
#include "tst_configsimlab.moc"
