// The command set through the real client against the simulated recorder and
// cloud portal, over real TLS inside the network lab: what the recorder keeps
// across requests, and what the portal receives.
#include "LabEnv.h"
#include "SimProcess.h"

#include "platform/Durations.h"
#include "protocol/LandapConfig.h"
#include "protocol/LandapConfigDelegate.h"
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
const QString kPortalHost = QStringLiteral("portal.nimbora.example");

// One HttpConfig and what its delegate heard.
struct Client : HttpConfigDelegate
{
    HttpConfig config {this};
    QList<int> done;
    QStringList progress; // "disk:value"
    int errors = 0;

    void onHttpConfigDidFinish(HttpConfig *, int cmd) override { done.append(cmd); }
    void onHttpDidError(const HttpError &) override { ++errors; }
    void onHttpUpdateFormatStatus(HttpConfig *, int, int hdd, const QString &format) override
    {
        progress.append(QStringLiteral("%1:%2").arg(hdd).arg(format));
    }
    // Starts a command and waits for its one end; false on a transport error.
    bool run(const std::function<void(HttpConfig &)> &start)
    {
        const int errorsBefore = errors;
        const int before = int(done.size()) + errors;
        start(config);
        return QTest::qWaitFor([&] { return int(done.size()) + errors > before; }, kWaitMs) && errors == errorsBefore;
    }
};

struct LanCommand : LandapConfigDelegate
{
    int retCode = -2;
    void onLandapConfigEnd(LandapConfig *c, int, int ret, const UdpError &) override
    {
        retCode = ret;
        c->close();
    }
};

QJsonObject withWeb(QJsonObject recorder, const QJsonObject &web)
{
    for (auto it = web.begin(); it != web.end(); ++it)
        recorder.insert(it.key(), it.value());
    return recorder;
}

QString decoded(const QString &logged)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(logged.toLatin1()));
}

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
        m_recorder = withWeb(SimProcess::configured(0, kPassword), web);
        m_nvr = SimProcess::target(m_recorder);
        QJsonObject scenario = SimProcess::scenario({m_recorder});
        if (!portal.isEmpty())
            scenario.insert(QStringLiteral("portal"), portal);
        QString error;
        QVERIFY2(m_sim.start(scenario, &error), qPrintable(error));
    }
    QJsonObject state() const { return m_sim.stateOf(SimProcess::macOf(m_recorder)); }
    QList<SimLogLine> requests() const { return m_sim.log(QStringLiteral("http")); }
    // The return code of one LAN command to the recorder (-1: no answer, -2: no end).
    int lan(const std::function<void(LandapConfig &)> &command)
    {
        LanCommand run;
        LandapConfig landap(&run);
        landap.open(&m_nvr);
        command(landap);
        return QTest::qWaitFor([&] { return run.retCode != -2; }, kWaitMs) ? run.retCode : -2;
    }
    QJsonArray accounts() const
    {
        return m_sim.state().value(QStringLiteral("portal")).toObject().value(QStringLiteral("accounts")).toArray();
    }

private slots:
    void init()
    {
        NVR_REQUIRE_LAB();
        setDurations(Durations().scaled(0.05));
    }
    void cleanup() { m_sim.stop(); }

    void disksAreReadFormattedAndRecordOnce()
    {
        start();
        Client c;
        QVERIFY(c.run([&](HttpConfig &h) { h.startGetHddInfo(m_nvr, kAdmin, kPassword); }));
        auto disks = c.config.getHddInfoList();
        QCOMPARE(disks->size(), 2);
        QVERIFY(disks->at(0)->checked());
        QCOMPARE(disks->at(0)->plug(), QStringLiteral("1"));
        QCOMPARE(disks->at(0)->partitionInfos().size(), 1);
        QCOMPARE(disks->at(0)->partitionInfos().at(0).status(), QStringLiteral("6"));
        QVERIFY(!disks->at(1)->checked());
        QCOMPARE(disks->at(1)->deviceName(), QStringLiteral(""));
        QCOMPARE(disks->at(1)->partitions(), QStringLiteral("0"));
        QVERIFY(disks->at(1)->partitionInfos().isEmpty());

        // Nothing formatted yet: the recorder cannot record.
        QVERIFY(c.run([&](HttpConfig &h) { h.performStartRecording(m_nvr, kAdmin, kPassword); }));
        QCOMPARE(c.config.getRecordingInfoList()->record(), QStringLiteral("0"));

        QVERIFY(c.run([&](HttpConfig &h) { h.startFormatHdd(disks, m_nvr, kAdmin, kPassword); }));
        QCOMPARE(c.progress, (QStringList {"1:35", "1:80", "1:100"}));
        QCOMPARE(c.done.last(), int(HttpCmd::FormatPoll));
        QVERIFY(c.run([&](HttpConfig &h) { h.startGetHddInfo(m_nvr, kAdmin, kPassword); }));
        QCOMPARE(disks->at(0)->partitionInfos().at(0).status(), QStringLiteral("2"));
        QCOMPARE(disks->at(0)->partitionInfos().at(0).fileSystem(), QStringLiteral("EXT4"));

        QVERIFY(c.run([&](HttpConfig &h) { h.performStartRecording(m_nvr, kAdmin, kPassword); }));
        QCOMPARE(c.config.getRecordingInfoList()->record(), QStringLiteral("1"));
        QVERIFY(state().value(QStringLiteral("recording")).toBool());

        QStringList paths;
        for (const SimLogLine &line : requests())
            paths << line.value("path") + QLatin1Char('?') + line.value("query");
        QVERIFY2(paths.contains(QStringLiteral("/config/storageformat?storageid=0&partition=0&fs=2")),
            qPrintable(paths.join(QLatin1Char(' '))));
        QCOMPARE(paths.count(QStringLiteral("/config/storageformatpoll?")), 3);
    }

    void aFailingFormatEndsInMinusOne()
    {
        const QJsonObject disk {{"device", "sdb"}, {"formatFails", true}, {"partitions", QJsonArray {QJsonObject {}}}};
        start({{"disks", QJsonArray {QJsonObject {}, disk}}});
        Client c;
        QVERIFY(c.run([&](HttpConfig &h) { h.startGetHddInfo(m_nvr, kAdmin, kPassword); }));
        QVERIFY(!c.config.getHddInfoList()->at(0)->checked());
        QVERIFY(c.run([&](HttpConfig &h) { h.startFormatHdd(c.config.getHddInfoList(), m_nvr, kAdmin, kPassword); }));
        QCOMPARE(c.progress, (QStringList {"2:35", "2:-1"}));
        QCOMPARE(c.done.last(), int(HttpCmd::FormatPoll));
        QCOMPARE(state().value(QStringLiteral("disks")).toArray().at(1)["partitions"][0]["status"].toInt(), 4);
    }

    void timeZonesAreCountedFromOneByTheRecorder()
    {
        start({{"timeZone", 21}, {"timeZoneLists", QJsonObject {{"19", QJsonArray {"Москва", "Самара"}}, {"22", {}}}}});
        Client c;
        QVERIFY(c.run([&](HttpConfig &h) { h.performGetDateInformation(m_nvr, kAdmin, kPassword); }));
        QCOMPARE(c.config.getDateInfoList()->timezone(), QStringLiteral("20"));
        QVERIFY(c.run([&](HttpConfig &h) { h.performSetDateInformation(m_nvr, kAdmin, kPassword, "5"); }));
        QCOMPARE(c.config.getErrorInfo(), std::nullopt);
        QCOMPARE(state().value(QStringLiteral("timeZone")).toInt(), 6);
        // A zone the recorder does not have: it keeps its zone and says so.
        QVERIFY(c.run([&](HttpConfig &h) { h.performSetDateInformation(m_nvr, kAdmin, kPassword, "99"); }));
        QCOMPARE(c.config.getErrorInfo(), QStringLiteral("timezone setting failed"));
        QCOMPARE(state().value(QStringLiteral("timeZone")).toInt(), 6);

        QVERIFY(c.run([&](HttpConfig &h) { h.performGetTimeZoneListInformation(m_nvr, kAdmin, kPassword, "GR"); }));
        QVERIFY(c.config.getTimeZoneListInfoList()->timezonelist()->startsWith("(GMT-12:00) International Date"));
        QVERIFY(c.run([&](HttpConfig &h) { h.performGetTimeZoneListInformation(m_nvr, kAdmin, kPassword, "RU"); }));
        QCOMPARE(c.config.getTimeZoneListInfoList()->timezonelist(), QStringLiteral("Москва;Самара"));
        QVERIFY(c.run([&](HttpConfig &h) { h.performGetTimeZoneListInformation(m_nvr, kAdmin, kPassword, "CN"); }));
        QCOMPARE(c.config.getTimeZoneListInfoList()->timezonelist(), QStringLiteral("Access Error\r\n"));
        QStringList languages;
        for (const SimLogLine &line : requests()) {
            if (line.value("path") == QLatin1String("/config/timezonelist"))
                languages << line.value("query");
        }
        QCOMPARE(languages, (QStringList {"language=4", "language=19", "language=22"}));
    }

    void aPasswordChangedOverTheLanWorksOverHttps()
    {
        m_recorder = withWeb(SimProcess::recorder(0), {{"resetWait", 1}});
        m_nvr = SimProcess::target(m_recorder);
        QString error;
        QVERIFY2(m_sim.start(SimProcess::scenario({m_recorder}), &error), qPrintable(error));
        QVERIFY(lan([](LandapConfig &l) { l.changeUser(kAdmin, QString(), kAdmin, QStringLiteral("Fresh-42")); }) == 0);

        Client c;
        // The old password is refused: a failure, not an empty record.
        QVERIFY(!c.run([&](HttpConfig &h) { h.startGetNimboraInfo(m_nvr, kAdmin, QString()); }));
        QCOMPARE(c.config.getNimboraInfo()->portal_url(), std::nullopt);
        QVERIFY(c.run([&](HttpConfig &h) { h.startGetNimboraInfo(m_nvr, kAdmin, QStringLiteral("Fresh-42")); }));
        QCOMPARE(c.config.getNimboraInfo()->portal_url(), kPortalHost);
        QCOMPARE(c.config.getNimboraInfo()->dfp(), QStringLiteral("dfp-10000001"));
        const QList<SimLogLine> http = requests();
        QCOMPARE(http.size(), 2);
        QCOMPARE(http[0].value("status"), QStringLiteral("401"));
        QCOMPARE(http[1].value("status"), QStringLiteral("200"));

        // A factory reset answers its wait, restarts silently for that long and
        // comes back in its factory state.
        QElapsedTimer clock;
        clock.start();
        QVERIFY(c.run([&](HttpConfig &h) { h.startResetNVR(m_nvr, kAdmin, QStringLiteral("Fresh-42")); }));
        QCOMPARE(c.config.getResetNVRWaitingTime(), QStringLiteral("1"));
        QCOMPARE(lan([](LandapConfig &l) { l.verifyUser(kAdmin, QString()); }), -1);
        QVERIFY(clock.elapsed() < 1000);
        QTest::qWait(int(qMax<qint64>(0, 1100 - clock.elapsed())));
        QCOMPARE(lan([](LandapConfig &l) { l.verifyUser(kAdmin, QString()); }), 0);
        QVERIFY(state().value(QStringLiteral("factory")).toBool());
        QCOMPARE(m_sim.passwordOf(SimProcess::macOf(m_recorder)), QString());
    }

    void camerasReachTheChannels()
    {
        const QJsonObject camera {{"ip", "192.0.2.40"}, {"mac", "00:1c:27:10:00:01"}, {"brand", "ZEBOR"},
            {"model", "ZB 2100"}, {"user", "admin"}, {"password", "cam+pw="}, {"protocolType", "1"}};
        start({{"cameras", QJsonArray {camera}}});
        Client c;
        QVERIFY(c.run([&](HttpConfig &h) { h.startCameraDiscovery(m_nvr, kAdmin, kPassword); }));
        const auto cameras = c.config.getCameraInfoList();
        QCOMPARE(cameras->size(), 1);
        const TCameraInfo found = *cameras->at(0);
        QCOMPARE(found.ip(), QStringLiteral("192.0.2.40"));
        QCOMPARE(found.passWord(), QStringLiteral("cam+pw="));
        QCOMPARE(found.isAdded(), QStringLiteral("0"));

        QVERIFY(c.run([&](HttpConfig &h) { h.startAddCamera(m_nvr, found, 0, kAdmin, kPassword); }));
        QVERIFY(c.run([&](HttpConfig &h) { h.startDelCamera(m_nvr, 1, kAdmin, kPassword); }));
        const QJsonObject channel = state().value(QStringLiteral("channels")).toArray().at(0).toObject();
        QCOMPARE(channel.value(QStringLiteral("name")).toString(), QStringLiteral("ZB 2100"));
        QCOMPARE(channel.value(QStringLiteral("mac")).toString(), QStringLiteral("00:1c:27:10:00:01"));
        QCOMPARE(channel.value(QStringLiteral("account")).toString(), kAdmin);
        QCOMPARE(channel.value(QStringLiteral("password")).toString(), QStringLiteral("cam+pw="));
        QCOMPARE(channel.value(QStringLiteral("protocolType")).toString(), QStringLiteral("1"));
        // The camera's password never reaches the simulator's log either.
        for (const SimLogLine &line : requests())
            QVERIFY(!line.value("query").contains(QStringLiteral("Y2FtK3B3PQ")));
    }

    void theRecorderIsRegisteredThroughThePortal()
    {
        const QJsonObject owner {{"email", "owner@example.com"}, {"password", "cloud+pw&1%"}, {"key", "k-owner"}};
        start({}, {{"accounts", QJsonArray {owner}}});
        Client c;
        QVERIFY(c.run([&](HttpConfig &h) { h.startGetNimboraInfo(m_nvr, kAdmin, kPassword); }));
        const TNimboraInfo info = *c.config.getNimboraInfo();
        QCOMPARE(info.status(), QStringLiteral("0"));

        QVERIFY(
            c.run([&](HttpConfig &h) { h.startNimboraSignin(info, "2.00.01", "en", "owner@example.com", "wrong"); }));
        QVERIFY(!c.config.getNimboraRespStatus());
        QCOMPARE(c.config.getNimboraRespKey(), QStringLiteral("Incorrect e-mail or password"));
        QVERIFY(c.run(
            [&](HttpConfig &h) { h.startNimboraSignin(info, "2.00.01", "en", "owner@example.com", "cloud+pw&1%"); }));
        QVERIFY(c.config.getNimboraRespStatus());
        QCOMPARE(c.config.getNimboraRespKey(), QStringLiteral("k-owner"));

        // A wrong recorder password does not add the device.
        QVERIFY(c.run([&](HttpConfig &h) { h.startNimboraAdd(info, "2.00.01", "en", "not-it", "k-owner"); }));
        QVERIFY(!c.config.getNimboraRespStatus());
        QVERIFY(c.run([&](HttpConfig &h) { h.startNimboraAdd(info, "2.00.01", "en", kPassword, "k-owner"); }));
        QVERIFY(c.config.getNimboraRespStatus());
        QCOMPARE(c.config.getNimboraRespKey(), QStringLiteral("10000001"));

        QVERIFY(c.run([&](HttpConfig &h) { h.startSetRegistStatus(m_nvr, kAdmin, kPassword); }));
        QVERIFY(c.run([&](HttpConfig &h) {
            h.startSetNimboraAccount(m_nvr, kAdmin, kPassword, "owner+nvr@example.com", "p&ss#1 x");
        }));
        QVERIFY(c.run([&](HttpConfig &h) { h.startGetNimboraRegInfo(m_nvr, kAdmin, kPassword); }));
        QCOMPARE(c.config.getNimboraRegInfo()->email(), QStringLiteral("owner+nvr@example.com"));
        QCOMPARE(c.config.getNimboraRegInfo()->password(), QStringLiteral("p&ss#1 x"));
        QCOMPARE(c.config.getNimboraRegInfo()->status(), QStringLiteral("1"));
        QVERIFY(c.run([&](HttpConfig &h) { h.startGetNimboraInfo(m_nvr, kAdmin, kPassword); }));
        QCOMPARE(c.config.getNimboraInfo()->status(), QStringLiteral("1"));
        QCOMPARE(accounts().at(0)["devices"].toArray(), QJsonArray {"10000001"});

        const QList<SimLogLine> forms = m_sim.log(QStringLiteral("form"));
        QCOMPARE(forms.size(), 4);
        QCOMPARE(forms[0].value("cookie"), QStringLiteral("no"));
        QCOMPARE(forms[3].value("cookie"), QStringLiteral("yes"));
        QCOMPARE(decoded(forms[3].value("kelto_no")), QStringLiteral("10000001"));
        QCOMPARE(decoded(forms[3].value("dfp")), QStringLiteral("dfp-10000001"));
    }

    void signUpSendsNamesEscaped()
    {
        start({}, {{"accounts", QJsonArray {QJsonObject {{"email", "taken@example.com"}}}}});
        Client c;
        QVERIFY(c.run([&](HttpConfig &h) { h.startGetNimboraInfo(m_nvr, kAdmin, kPassword); }));
        const TNimboraInfo info = *c.config.getNimboraInfo();
        QVERIFY(c.run([&](HttpConfig &h) {
            h.startNimboraNewAccount(
                info, "2.00.01", "en", "anna@example.com", "secret-1", "secret-1", "Anna Maria", "Da Silva & Söhne");
        }));
        QVERIFY2(c.config.getNimboraRespStatus(), qPrintable(c.config.getNimboraRespKey()));
        const QString key = c.config.getNimboraRespKey();
        QVERIFY(!key.isEmpty());
        QVERIFY(c.run([&](HttpConfig &h) {
            h.startNimboraNewAccount(info, "2.00.01", "en", "taken@example.com", "secret-1", "secret-1", "T", "U");
        }));
        QVERIFY(!c.config.getNimboraRespStatus());
        QCOMPARE(c.config.getNimboraRespKey(), QStringLiteral("This e-mail address is already registered"));

        const QJsonObject anna = accounts().at(1).toObject();
        QCOMPARE(anna.value(QStringLiteral("firstName")).toString(), QStringLiteral("Anna Maria"));
        QCOMPARE(anna.value(QStringLiteral("lastName")).toString(), QStringLiteral("Da Silva & Söhne"));
        QCOMPARE(anna.value(QStringLiteral("key")).toString(), key);
        const SimLogLine form = m_sim.log(QStringLiteral("form")).first();
        QCOMPARE(decoded(form.value("path")), QStringLiteral("/signin"));
        QCOMPARE(decoded(form.value("name_first")), QStringLiteral("Anna Maria"));
        QCOMPARE(decoded(form.value("action")), QStringLiteral("sign-up"));
        QCOMPARE(form.value("password"), QStringLiteral("%2A%2A%2A"));
    }

    void refusalsTheWizardRecognises()
    {
        start({{"registration", QJsonObject {{"badRequest", true}}}}, {{"accounts", QJsonArray {}}});
        Client c;
        QVERIFY(c.run([&](HttpConfig &h) { h.startGetNimboraRegInfo(m_nvr, kAdmin, kPassword); }));
        QCOMPARE(c.done.last(), int(HttpCmd::GetNimboraRegInfo));
        QCOMPARE(c.config.getNimboraRegInfo()->status(), std::nullopt);
        QCOMPARE(c.config.getNimboraRegInfo()->email(), std::nullopt);

        // A recorder that knows no portal: the cloud call has no host to go to.
        TNimboraInfo noPortal;
        noPortal.setPortal_url(QString());
        QVERIFY(!c.run([&](HttpConfig &h) { h.startNimboraSignin(noPortal, "2.00.01", "en", "a@b.example", "x"); }));
        QCOMPARE(c.errors, 1);
        QVERIFY(m_sim.log(QStringLiteral("form")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestConfigSimLab)
#include "tst_configsimlab.moc"
