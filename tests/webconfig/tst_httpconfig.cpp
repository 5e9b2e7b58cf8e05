// The recorder command set and the portal calls against a stand-in HTTPS
// server on port 443 inside the network lab.
#include "LabEnv.h"
#include "WebFixture.h"

#include "platform/Durations.h"
#include "platform/Log.h"
#include "protocol/TVexorReply.h"
#include "util/UtilMethod.h"
#include "webconfig/HttpCommand.h"
#include "webconfig/HttpConfig.h"
#include "webconfig/HttpConfigDelegate.h"
#include "webconfig/HttpError.h"

#include <QtTest>

#include <cstring>
#include <functional>

namespace {

constexpr int kWaitMs = 10000;
const QString kUser = QStringLiteral("admin");
const QString kPassword = QStringLiteral("AdminPw5");
const QString kBasic = QStringLiteral("Basic YWRtaW46QWRtaW5QdzU=");

struct Steps : HttpConfigDelegate
{
    QList<int> done;
    QStringList progress; // "disk:value"
    int errors = 0;
    std::function<void(HttpConfig *, const QString &)> onProgress;

    void onHttpConfigDidFinish(HttpConfig *, int cmd) override { done.append(cmd); }
    HttpError lastError;
    void onHttpDidError(const HttpError &error) override
    {
        ++errors;
        lastError = error;
    }
    void onHttpUpdateFormatStatus(HttpConfig *config, int cmd, int hdd, const QString &format) override
    {
        QCOMPARE(cmd, int(HttpCmd::FormatPoll));
        progress.append(QStringLiteral("%1:%2").arg(hdd).arg(format));
        if (onProgress)
            onProgress(config, format);
    }
};

QJsonObject route(const QStringList &bodies, int status = 200)
{
    return {{QStringLiteral("bodies"), QJsonArray::fromStringList(bodies)}, {QStringLiteral("status"), status}};
}

TVexorReply recorderAt(const QString &ip)
{
    TVexorReply reply;
    std::memset(&reply, 0, sizeof reply);
    UtilMethod::stringToIp(ip, reply.ipAddress);
    return reply;
}

const QString kDisk0 = QStringLiteral("storageid=0\r\ntype=sata\r\ndevicename=sda\r\nmodelname=WD10PURX\r\n"
                                      "partitions=1\r\npartitioninfo0=953869,1200,952669,950000,2,ext4\r\n"
                                      "plug=1\r\nready=1\r\nend=1\r\n");
const QString kDisk1
    = QStringLiteral("storageid=1\r\ndevicename=\r\nmodelname=\r\npartitions=0\r\nplug=0\r\nend=1\r\n");

} // namespace

class TestHttpConfig : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WebFixture> m_server;
    QJsonObject m_routes; // what m_server serves
    QString m_ip;
    TVexorReply m_nvr {};

    void serve(const QJsonObject &routes)
    {
        m_routes = routes;
        m_server = std::make_unique<WebFixture>();
        QString error;
        QVERIFY2(m_server->start(m_ip, 443, routes, LabEnv::fromEnvironment().lanNamespace, &error), qPrintable(error));
    }
    QStringList paths() const
    {
        QStringList all;
        for (const QJsonObject &r : m_server->requests())
            all.append(r.value(QStringLiteral("path")).toString());
        return all;
    }

private slots:
    void init()
    {
        NVR_REQUIRE_LAB();
        // The last recorder address of the lab is kept for these tests.
        m_ip = LabEnv::fromEnvironment().recorderIps.last();
        m_nvr = recorderAt(m_ip);
        setDurations(Durations().scaled(0.05));
    }

    void readsBothBaysIntoTheHeldList()
    {
        serve({{QStringLiteral("/config/storageinfo?storageid=0"), route({kDisk0})},
            {QStringLiteral("/config/storageinfo?storageid=1"), route({kDisk1})}});
        Steps steps;
        HttpConfig config(&steps);
        config.startGetHddInfo(m_nvr, kUser, kPassword);
        QTRY_COMPARE_WITH_TIMEOUT(steps.done, QList<int> {HttpCmd::GetHddInfo}, kWaitMs);
        const auto held = config.getHddInfoList();
        QCOMPARE(held->size(), 2);
        QVERIFY(held->at(0)->checked());
        QCOMPARE(held->at(0)->partitionInfos().at(0).status(), QStringLiteral("2"));
        QVERIFY(!held->at(1)->checked());
        config.startGetHddInfo(m_nvr, kUser, kPassword);
        QTRY_COMPARE_WITH_TIMEOUT(steps.done.size(), 2, kWaitMs);
        QCOMPARE(config.getHddInfoList(), held); // refilled, not replaced
        QCOMPARE(held->size(), 2);
        QCOMPARE(paths().mid(0, 2),
            (QStringList {
                QStringLiteral("/config/storageinfo?storageid=0"), QStringLiteral("/config/storageinfo?storageid=1")}));
        for (const QJsonObject &r : m_server->requests())
            QCOMPARE(WebFixture::header(r, QStringLiteral("Authorization")), QStringList {kBasic});
    }

    void formatsEachMarkedDiskWithPolling()
    {
        serve({{QStringLiteral("/config/storageformat?storageid=0&partition=0&fs=2"),
                   route({QStringLiteral("ok\r\n")})},
            {QStringLiteral("/config/storageformat?storageid=1&partition=0&fs=2"), route({QStringLiteral("ok\r\n")})},
            {QStringLiteral("/config/storageformatpoll"),
                route({QStringLiteral("progress=35\r\n"), QStringLiteral("progress=80\r\n"), QStringLiteral("100\r\n"),
                    QStringLiteral("progress=50\r\n"), QStringLiteral("progress=100\r\n")})}});
        auto disks = std::make_shared<THddInfoList>();
        for (const char *id : {"0", "1"}) {
            auto disk = std::make_shared<THddInfo>();
            disk->setStorageid(QString::fromLatin1(id));
            disk->setChecked(true);
            disks->append(disk);
        }
        Steps steps;
        HttpConfig config(&steps);
        config.startFormatHdd(disks, m_nvr, kUser, kPassword);
        QTRY_COMPARE_WITH_TIMEOUT(steps.done, QList<int> {HttpCmd::FormatPoll}, kWaitMs);
        QCOMPARE(steps.progress,
            (QStringList {QStringLiteral("1:35"), QStringLiteral("1:80"), QStringLiteral("1:100"),
                QStringLiteral("2:50"), QStringLiteral("2:100")}));
        QCOMPARE(paths().size(), 7);
        QCOMPARE(paths().at(4), QStringLiteral("/config/storageformat?storageid=1&partition=0&fs=2"));
        QCOMPARE(config.getHddInfoList(), disks);
    }

    void formatFailureAndReplacedCommandsStopPolling()
    {
        serve(
            {{QStringLiteral("/config/storageformat?storageid=1&partition=0&fs=2"), route({QStringLiteral("ok\r\n")})},
                {QStringLiteral("/config/storageformatpoll"),
                    route({QStringLiteral("progress=-1\r\n"), QStringLiteral("progress=20\r\n")})},
                {QStringLiteral("/config/datetime?"), route({QStringLiteral("timezone=21\r\n")})}});
        auto disks
            = std::make_shared<THddInfoList>(THddInfoList {std::make_shared<THddInfo>(), std::make_shared<THddInfo>()});
        disks->at(1)->setStorageid(QStringLiteral("1"));
        disks->at(1)->setChecked(true);
        Steps steps;
        HttpConfig config(&steps);
        config.startFormatHdd(disks, m_nvr, kUser, kPassword);
        QTRY_COMPARE_WITH_TIMEOUT(steps.done, QList<int> {HttpCmd::FormatPoll}, kWaitMs);
        QCOMPARE(steps.progress, QStringList {QStringLiteral("2:-1")});

        // A step that moves on from inside a progress report ends the polling.
        steps.onProgress
            = [this](HttpConfig *c, const QString &) { c->performGetDateInformation(m_nvr, kUser, kPassword); };
        config.startFormatHdd(disks, m_nvr, kUser, kPassword);
        QTRY_COMPARE_WITH_TIMEOUT(steps.done.size(), 2, kWaitMs);
        QCOMPARE(steps.done.last(), int(HttpCmd::GetDateInformation));
        QCOMPARE(config.getDateInfoList()->timezone(), QStringLiteral("20"));
        QTest::qWait(300); // many poll intervals
        QCOMPARE(paths().count(QStringLiteral("/config/storageformatpoll")), 2);
        QCOMPARE(steps.done.size(), 2);
    }

    void timeZoneIsSetAndChecked_data()
    {
        QTest::addColumn<QString>("index");
        QTest::addColumn<QJsonObject>("answer");
        QTest::addColumn<bool>("failed");
        QTest::newRow("echoed") << QStringLiteral("20") << route({QStringLiteral("date=x\r\ntimezone=21\r\n")})
                                << false;
        QTest::newRow("other zone") << QStringLiteral("20") << route({QStringLiteral("timezone=5\r\n")}) << true;
        QTest::newRow("no echo") << QStringLiteral("20") << route({QStringLiteral("date=x\r\n")}) << true;
    }
    void timeZoneIsSetAndChecked()
    {
        QFETCH(QString, index);
        QFETCH(QJsonObject, answer);
        QFETCH(bool, failed);
        serve({{QStringLiteral("/config/datetime?timezone=21"), answer}});
        Steps steps;
        HttpConfig config(&steps);
        config.performSetDateInformation(m_nvr, kUser, kPassword, index);
        QTRY_COMPARE_WITH_TIMEOUT(steps.done, QList<int> {HttpCmd::SetDateInformation}, kWaitMs);
        QCOMPARE(config.getErrorInfo().has_value(), failed);
        if (failed)
            QCOMPARE(*config.getErrorInfo(), QStringLiteral("timezone setting failed"));
    }

    // An error page is no result, except where the command reads a refusal
    // from the text; the portal's refusals are read whatever their status.
    void onlyA2xxAnswerCarriesTheResult_data()
    {
        QTest::addColumn<int>("cmd");
        QTest::addColumn<int>("failedWith");
        QTest::newRow("zone set refused") << int(HttpCmd::SetDateInformation) << 401;
        QTest::newRow("disks failing") << int(HttpCmd::GetHddInfo) << 500;
        QTest::newRow("redirected") << int(HttpCmd::GetNimboraInfo) << 302;
        QTest::newRow("registration bad request") << int(HttpCmd::GetNimboraRegInfo) << 0;
        QTest::newRow("zone list access error") << int(HttpCmd::GetTimeZoneListInformation) << 0;
        QTest::newRow("portal refusal") << int(HttpCmd::NimboraSignin) << 0;
    }
    void onlyA2xxAnswerCarriesTheResult()
    {
        QFETCH(int, cmd);
        QFETCH(int, failedWith);
        const QJsonObject routes {
            {QStringLiteral("/config/datetime?timezone=21"), route({QStringLiteral("timezone=21\r\n")}, 401)},
            {QStringLiteral("/config/storageinfo?storageid=0"), route({QStringLiteral("storageid=0\r\n")}, 500)},
            {QStringLiteral("/config/nimboraportal"), route({QStringLiteral("status=1\r\n")}, 302)},
            {QStringLiteral("/config/nimborareginfo"),
                route({QStringLiteral("<html>400 Bad Request</html>\r\n")}, 400)},
            {QStringLiteral("/config/timezonelist?language=4"),
                route({QStringLiteral("<html>Access Error</html>\r\n")}, 403)},
            {QStringLiteral("/account/?signin"), route({QStringLiteral("Wrong password\r\n")}, 403)}};
        if (!m_server || m_routes != routes)
            serve(routes);
        const qsizetype asked = paths().size();
        Steps steps;
        HttpConfig config(&steps);
        TNimboraInfo portal;
        portal.setPortal_url(m_ip);
        switch (cmd) {
        case HttpCmd::SetDateInformation:
            config.performSetDateInformation(m_nvr, kUser, kPassword, QStringLiteral("20"));
            break;
        case HttpCmd::GetHddInfo:
            config.startGetHddInfo(m_nvr, kUser, kPassword);
            break;
        case HttpCmd::GetNimboraInfo:
            config.startGetNimboraInfo(m_nvr, kUser, kPassword);
            break;
        case HttpCmd::GetNimboraRegInfo:
            config.startGetNimboraRegInfo(m_nvr, kUser, kPassword);
            break;
        case HttpCmd::GetTimeZoneListInformation:
            config.performGetTimeZoneListInformation(m_nvr, kUser, kPassword, QStringLiteral("EN"));
            break;
        default:
            config.startNimboraSignin(portal, QStringLiteral("2.00.01"), QStringLiteral("en"),
                QStringLiteral("ana@example.com"), QStringLiteral("pw1"));
        }
        QTRY_COMPARE_WITH_TIMEOUT(steps.done.size() + steps.errors, 1, kWaitMs);
        if (failedWith) {
            QCOMPARE(steps.errors, 1);
            QCOMPARE(steps.lastError.domain, kHttpStatusErrorDomain);
            QCOMPARE(steps.lastError.code, failedWith);
            QCOMPARE(paths().size(), asked + 1); // nothing more of the sequence is asked
            return;
        }
        QCOMPARE(steps.done, QList<int> {cmd});
        if (cmd == HttpCmd::GetNimboraRegInfo)
            QVERIFY(!config.getNimboraRegInfo()->email());
        if (cmd == HttpCmd::GetTimeZoneListInformation)
            QVERIFY(config.getTimeZoneListInfoList()->timezonelist()->contains(QLatin1String("Access Error")));
        if (cmd == HttpCmd::NimboraSignin) {
            QVERIFY(!config.getNimboraRespStatus());
            QCOMPARE(config.getNimboraRespKey(), QStringLiteral("Wrong password"));
        }
    }

    void timeZoneListInTheWizardLanguage()
    {
        serve({{QStringLiteral("/config/timezonelist?language=4"),
                   route({QStringLiteral("timezonelist=(GMT+01:00) Z\u00fcrich;(GMT+02:00) Athens\r\n")})},
            {QStringLiteral("/config/timezonelist?language=16"),
                route({QStringLiteral("<html>Access Error</html>\r\n")})}});
        Steps steps;
        HttpConfig config(&steps);
        config.performGetTimeZoneListInformation(m_nvr, kUser, kPassword, QStringLiteral("GR"));
        QTRY_COMPARE_WITH_TIMEOUT(steps.done.size(), 1, kWaitMs);
        QCOMPARE(config.getTimeZoneListInfoList()->timezonelist(),
            QStringLiteral("(GMT+01:00) Z\u00fcrich;(GMT+02:00) Athens"));
        config.performGetTimeZoneListInformation(m_nvr, kUser, kPassword, QStringLiteral("PT"));
        QTRY_COMPARE_WITH_TIMEOUT(steps.done.size(), 2, kWaitMs);
        QCOMPARE(config.getTimeZoneListInfoList()->timezonelist(), QStringLiteral("<html>Access Error</html>\r\n"));
    }

    void registersWithThePortalTheRecorderNames()
    {
        serve({{QStringLiteral("/config/nimboraportal"),
                   route({QStringLiteral("status=1\r\nportal_url=%1\r\nportal_number=K54012345\r\nportal_dfp=9f8e\r\n")
                              .arg(m_ip)})},
            {QStringLiteral("/account/?signin"), route({QStringLiteral("success:KEY123:x\r\nmore\r\n")})},
            {QStringLiteral("/account/?add"), route({QStringLiteral("K54012345:HRX-540A\r\n")})},
            {QStringLiteral("/signin"), route({QStringLiteral("E-mail already registered\r\n")})}});
        Steps steps;
        HttpConfig config(&steps);
        config.startGetNimboraInfo(m_nvr, kUser, kPassword);
        QTRY_COMPARE_WITH_TIMEOUT(steps.done.size(), 1, kWaitMs);
        const TNimboraInfo portal = *config.getNimboraInfo();
        const QString version = QStringLiteral("2.00.01");
        const QString lang = QStringLiteral("en");

        config.startNimboraSignin(portal, version, lang, QStringLiteral("ana@example.com"), QStringLiteral("pw1"));
        QTRY_COMPARE_WITH_TIMEOUT(steps.done.size(), 2, kWaitMs);
        QVERIFY(config.getNimboraRespStatus());
        QCOMPARE(config.getNimboraRespKey(), QStringLiteral("KEY123"));
        const QJsonObject signin = m_server->requests().last();
        QCOMPARE(signin.value(QStringLiteral("body")).toString(),
            QStringLiteral("client=wizard&wizard_version=2.00.01&lang=en&email=ana@example.com&password=pw1&\r\n\r\n"));
        QVERIFY(WebFixture::header(signin, QStringLiteral("Cookie")).isEmpty());
        QVERIFY(WebFixture::header(signin, QStringLiteral("Authorization")).isEmpty());

        config.startNimboraAdd(portal, version, lang, kPassword, config.getNimboraRespKey());
        QTRY_COMPARE_WITH_TIMEOUT(steps.done.size(), 3, kWaitMs);
        QVERIFY(config.getNimboraRespStatus());
        QCOMPARE(config.getNimboraRespKey(), QStringLiteral("K54012345"));
        const QJsonObject add = m_server->requests().last();
        QCOMPARE(WebFixture::header(add, QStringLiteral("Cookie")), QStringList {QStringLiteral("nimbora=KEY123")});
        QCOMPARE(add.value(QStringLiteral("body")).toString(),
            QStringLiteral("client=wizard&wizard_version=2.00.01&lang=en&kelto_no=K54012345&device_password=AdminPw5"
                           "&dfp=9f8e&\r\n\r\n"));

        config.startNimboraNewAccount(portal, version, lang, QStringLiteral("ana@example.com"), QStringLiteral("pw1"),
            QStringLiteral("pw1"), QStringLiteral("Ana Lu"), QStringLiteral("Silva"));
        QTRY_COMPARE_WITH_TIMEOUT(steps.done.size(), 4, kWaitMs);
        QCOMPARE(steps.done, (QList<int> {5, 11, 12, 13}));
        QVERIFY(!config.getNimboraRespStatus());
        QCOMPARE(config.getNimboraRespKey(), QStringLiteral("E-mail already registered"));
        QVERIFY(m_server->requests()
                    .last()
                    .value(QStringLiteral("body"))
                    .toString()
                    .contains(QLatin1String("&name_first=Ana%20Lu&name_last=Silva%0D%0A%0D%0A")));

        TNimboraInfo noHost;
        config.startNimboraSignin(noHost, version, lang, QStringLiteral("a@b.example"), QStringLiteral("pw"));
        QTRY_COMPARE_WITH_TIMEOUT(steps.errors, 1, kWaitMs);
    }

    void camerasAndAccountsKeepSecretsOutOfTheLog()
    {
        serve({{QStringLiteral("/config/nimboradiscovery"),
                   route({QStringLiteral("1;192.0.2.50;00:1c:27:aa:00:01;ZEBOR;ZB 2200;admin;CamSecret9;onvif;0\r\n"
                                         "2;192.0.2.51;00:1c:27:aa:00:02\r\n")})},
            {QStringLiteral("/config/addavdev"), route({QStringLiteral("ok\r\n")})},
            {QStringLiteral("/config/nimborareginfo"), route({QStringLiteral("status=1\r\n")})}});
        QStringList lines;
        Log::setSink([&lines](const QString &line) { lines.append(line); });
        Steps steps;
        HttpConfig config(&steps);
        config.startCameraDiscovery(m_nvr, kUser, kPassword);
        QTRY_COMPARE_WITH_TIMEOUT(steps.done.size(), 1, kWaitMs);
        const auto cameras = config.getCameraInfoList();
        QCOMPARE(cameras->size(), 2);
        QCOMPARE(cameras->at(0)->passWord(), QStringLiteral("CamSecret9"));

        config.startAddCamera(m_nvr, *cameras->at(0), 3, kUser, kPassword);
        QTRY_COMPARE_WITH_TIMEOUT(steps.done.size(), 2, kWaitMs);
        QCOMPARE(paths().last(),
            QStringLiteral("/config/addavdev?avdevid=3&avdevname=ZB%202200&hostname=192.0.2.50"
                           "&hostid=00:1c:27:aa:00:01&protocol=onvif&protocoltype=0"
                           "&account=YWRtaW4=&pass=Q2FtU2VjcmV0OQ==&brand=ZEBOR"
                           "&product=ZB%202200"));
        config.startSetNimboraAccount(
            m_nvr, kUser, kPassword, QStringLiteral("ana@example.com"), QStringLiteral("Acct&Secret 7"));
        QTRY_COMPARE_WITH_TIMEOUT(steps.done.size(), 3, kWaitMs);
        QCOMPARE(paths().last(),
            QStringLiteral("/config/nimborareginfo?email=ana@example.com&password=Acct%26Secret%207&status=1"));
        TNimboraInfo portal;
        portal.setPortal_url(m_ip);
        config.startNimboraNewAccount(portal, QStringLiteral("2.00.01"), QStringLiteral("en"),
            QStringLiteral("ana@example.com"), QStringLiteral("AcctSecret7"), QStringLiteral("AcctSecret7"),
            QStringLiteral("Ana"), QStringLiteral("Lu"));
        QTRY_COMPARE_WITH_TIMEOUT(steps.done.size(), 4, kWaitMs);
        Log::setSink({});
        QVERIFY(!lines.isEmpty());
        for (const QString &secret : {QStringLiteral("CamSecret9"), QStringLiteral("Q2FtU2VjcmV0OQ"),
                 QStringLiteral("AcctSecret7"), QStringLiteral("Acct%26Secret"), kPassword, kBasic.mid(6)})
            for (const QString &line : lines)
                QVERIFY2(!line.contains(secret), qPrintable(line));
    }

    void transportFailureReachesTheStep()
    {
        QStringList lines;
        Log::setSink([&lines](const QString &line) { lines.append(line); });
        Steps steps;
        HttpConfig config(&steps);
        // Nothing listens on this lab address.
        const TVexorReply silent = recorderAt(LabEnv::fromEnvironment().recorderIps.at(18));
        config.startGetHddInfo(silent, kUser, kPassword);
        QTRY_COMPARE_WITH_TIMEOUT(steps.errors, 1, kWaitMs);
        Log::setSink({});
        QVERIFY(steps.done.isEmpty());
        QCOMPARE(config.getHddInfoList()->size(), 0);
        QVERIFY(!lines.filter(QStringLiteral("-[HttpConfig onHttpDidError:] ")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestHttpConfig)
#include "tst_httpconfig.moc"
