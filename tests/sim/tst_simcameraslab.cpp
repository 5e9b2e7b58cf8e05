// The simulated cameras over real sockets in the network lab: their HTTP
// endpoints and credentials, test card images, password changes over HTTP and
// over the LAN protocol, slow and dead cameras, and how the recorder stores a
// camera it is given.
#include "HttpProbe.h"
#include "LabEnv.h"
#include "SimProcess.h"
#include "platform/Durations.h"
#include "protocol/LandapConfig.h"
#include "protocol/LandapConfigDelegate.h"
#include "util/UdpError.h"

#include <QImage>
#include <QJsonArray>
#include <QTcpSocket>
#include <QtTest>

#include <optional>

namespace {

constexpr double kScale = 0.1;
constexpr int kSlowMs = 3000; // the slow camera's delay before scaling
constexpr int kWaitMs = 5000;
const QString kZebor = QStringLiteral("0");
const QString k47x = QStringLiteral("1");
const QString kRecorderPassword = QStringLiteral("Recorder9");

// The scenario's cameras, by role.
enum Camera { ZeborKnown, X47Known, X47Factory, ZeborFactory, X47Changed, ZeborChanged, Slow, Silent, Count };

struct LanRun : LandapConfigDelegate
{
    LandapConfig config {this};
    int ends = 0;
    int retCode = 0;
    UdpError error;

    void onLandapConfigEnd(LandapConfig *c, int, int ret, const UdpError &e) override
    {
        ++ends;
        retCode = ret;
        error = e;
        c->close();
    }
};

QString credentials(const QString &user, const QString &password)
{
    return user + QLatin1Char(':') + password;
}

} // namespace

class TestSimCamerasLab : public QObject
{
    Q_OBJECT

private:
    SimProcess m_sim;
    QJsonObject m_recorder;
    QList<QJsonObject> m_cameras;

    QString ipOf(Camera c) const { return SimProcess::ipOf(m_cameras.at(c)); }

    // A GET of target at the camera, with "user:password" as Basic credentials when given.
    HttpAnswer get(Camera c, const QByteArray &target, const std::optional<QString> &basic = std::nullopt)
    {
        return HttpProbe::get(QUrl::fromEncoded("http://" + ipOf(c).toLatin1() + target), basic);
    }
    int lan(Camera c, const std::function<void(LandapConfig &)> &command)
    {
        const TVexorReply target = SimProcess::target(m_cameras.at(c));
        LanRun run;
        run.config.open(&target);
        command(run.config);
        if (!QTest::qWaitFor([&] { return run.ends > 0; }, kWaitMs) || run.error.code != 5)
            return -100;
        return run.retCode;
    }
    QString adminPasswordOf(Camera c) const
    {
        return m_sim.cameraStateOf(ipOf(c)).value(QStringLiteral("adminPassword")).toString();
    }
    QList<SimLogLine> camLines(Camera c) const
    {
        QList<SimLogLine> lines;
        for (const SimLogLine &line : m_sim.log(QStringLiteral("cam"))) {
            if (line.value("ip") == ipOf(c))
                lines << line;
        }
        return lines;
    }

private slots:
    void initTestCase()
    {
        NVR_REQUIRE_LAB();
        setDurations(Durations().scaled(kScale));
        m_cameras = {SimProcess::camera(ZeborKnown, kZebor, QStringLiteral("zebor-pw")),
            SimProcess::camera(X47Known, k47x, QStringLiteral("x47-pw")), SimProcess::camera(X47Factory, k47x, {}),
            SimProcess::camera(ZeborFactory, kZebor, {}), SimProcess::camera(X47Changed, k47x, {}),
            SimProcess::camera(ZeborChanged, kZebor, QStringLiteral("before")),
            SimProcess::camera(Slow, k47x, QStringLiteral("slow-pw")),
            SimProcess::camera(Silent, kZebor, QStringLiteral("silent-pw"))};
        // The recorder's copy of this password is stale.
        m_cameras[X47Known].insert(QStringLiteral("password"), QStringLiteral("stale"));
        m_cameras[X47Known].insert(QStringLiteral("adminPassword"), QStringLiteral("x47-pw"));
        m_cameras[Slow].insert(QStringLiteral("delayMs"), kSlowMs);
        m_cameras[Silent].insert(QStringLiteral("silent"), true);
        QList<QJsonObject> all = m_cameras;
        QJsonObject nowhere = SimProcess::camera(Count, k47x, {});
        nowhere.insert(QStringLiteral("ip"), QStringLiteral("192.0.2.250"));
        all << nowhere;
        m_recorder = SimProcess::withCameras(SimProcess::configured(0, kRecorderPassword), all);
        m_sim.setTimeScale(kScale);
        QString error;
        QVERIFY2(m_sim.start(SimProcess::scenario({m_recorder}), &error), qPrintable(error));
    }

    void endpointsAndCredentials_data()
    {
        QTest::addColumn<int>("camera");
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QString>("basic"); // "-" for no Authorization header
        QTest::addColumn<int>("status");
        const QString none = QStringLiteral("-");
        const auto admin = [](const char *password) { return credentials(QStringLiteral("admin"), password); };
        QTest::newRow("ZEBOR image") << int(ZeborKnown) << QByteArray("/image/jpeg.cgi") << admin("zebor-pw") << 200;
        QTest::newRow("ZEBOR wrong") << int(ZeborKnown) << QByteArray("/image/jpeg.cgi") << admin("x") << 401;
        QTest::newRow("ZEBOR none") << int(ZeborKnown) << QByteArray("/image/jpeg.cgi") << none << 401;
        QTest::newRow("ZEBOR other user") << int(ZeborKnown) << QByteArray("/image/jpeg.cgi")
                                          << credentials(QStringLiteral("root"), QStringLiteral("zebor-pw")) << 401;
        QTest::newRow("ZEBOR has no 47X image")
            << int(ZeborKnown) << QByteArray("/image.jpg") << admin("zebor-pw") << 404;
        QTest::newRow("ZEBOR has no user list")
            << int(ZeborKnown) << QByteArray("/userlist.cgi") << admin("zebor-pw") << 404;
        QTest::newRow("ZEBOR factory, none") << int(ZeborFactory) << QByteArray("/image/jpeg.cgi") << none << 200;
        QTest::newRow("47X user list") << int(X47Known) << QByteArray("/userlist.cgi") << admin("x47-pw") << 200;
        QTest::newRow("47X stale password") << int(X47Known) << QByteArray("/userlist.cgi") << admin("stale") << 401;
        QTest::newRow("47X none") << int(X47Known) << QByteArray("/userlist.cgi") << none << 401;
        QTest::newRow("47X image") << int(X47Known) << QByteArray("/image.jpg") << admin("x47-pw") << 200;
        QTest::newRow("47X image, wrong") << int(X47Known) << QByteArray("/image.jpg") << admin("stale") << 401;
        QTest::newRow("47X unknown page") << int(X47Known) << QByteArray("/config/x") << admin("x47-pw") << 404;
        QTest::newRow("47X factory, none") << int(X47Factory) << QByteArray("/userlist.cgi") << none << 200;
        QTest::newRow("47X factory, empty") << int(X47Factory) << QByteArray("/userlist.cgi") << admin("") << 200;
        QTest::newRow("47X factory, a password") << int(X47Factory) << QByteArray("/userlist.cgi") << admin("x") << 401;
    }
    void endpointsAndCredentials()
    {
        QFETCH(int, camera);
        QFETCH(QByteArray, target);
        QFETCH(QString, basic);
        QFETCH(int, status);
        const HttpAnswer answer
            = get(Camera(camera), target, basic == QLatin1String("-") ? std::nullopt : std::optional<QString>(basic));
        QCOMPARE(answer.status, status);
        // Refusals come with a body, as the wizard tells a wrong password from silence by it.
        QVERIFY(!answer.body.isEmpty());
        if (status == 401)
            QVERIFY2(answer.authenticate.startsWith("Basic realm="), answer.authenticate.constData());
        const SimLogLine logged = camLines(Camera(camera)).last();
        QCOMPARE(logged.value("req"), QString::fromLatin1(target));
        QCOMPARE(logged.value("status"), QString::number(status));
    }

    void imagesAreJpegTestCardsThatChange()
    {
        for (const auto &[camera, target, basic] :
            {std::tuple(ZeborKnown, "/image/jpeg.cgi", "zebor-pw"), std::tuple(X47Known, "/image.jpg", "x47-pw")}) {
            const QString admin = credentials(QStringLiteral("admin"), QLatin1String(basic));
            const HttpAnswer first = get(camera, target, admin);
            const HttpAnswer second = get(camera, target, admin);
            QCOMPARE(first.status, 200);
            QCOMPARE(first.contentType, QByteArray("image/jpeg"));
            const QImage image = QImage::fromData(first.body, "JPEG");
            QVERIFY(!image.isNull());
            QCOMPARE(image.size(), QSize(640, 360));
            QVERIFY(!QImage::fromData(second.body, "JPEG").isNull());
            // The clock and frame number move on with every image.
            QVERIFY(first.body != second.body);
        }
    }

    void a47xPasswordIsSetThenChecked()
    {
        const QString admin = QStringLiteral("admin");
        // "%23" is "#", and "+" is itself.
        const HttpAnswer set = get(X47Changed, "/system.cgi?AdminID=admin&AdminPassword=Ab%23c+9&ConfigReboot=No",
            credentials(admin, QString()));
        QCOMPARE(set.status, 200);
        QVERIFY2(set.body.contains("AdminPassword=Ab#c+9\r\n"), set.body.constData());
        QCOMPARE(adminPasswordOf(X47Changed), QStringLiteral("Ab#c+9"));
        // The recorder still reports what it knew.
        QCOMPARE(m_sim.cameraStateOf(ipOf(X47Changed)).value(QStringLiteral("password")).toString(), QString());

        QCOMPARE(get(X47Changed, "/userlist.cgi", credentials(admin, QStringLiteral("Ab#c+9"))).status, 200);
        QCOMPARE(get(X47Changed, "/userlist.cgi", credentials(admin, QString())).status, 401);
        QCOMPARE(get(X47Changed, "/userlist.cgi").status, 401);
        // Out of its factory state, the camera takes no new password from "admin:".
        QCOMPARE(get(X47Changed, "/system.cgi?AdminID=admin&AdminPassword=other1&ConfigReboot=No",
                     credentials(admin, QString()))
                     .status,
            401);
        QCOMPARE(
            get(X47Changed, "/system.cgi?AdminID=admin", credentials(admin, QStringLiteral("Ab#c+9"))).status, 400);
        QCOMPARE(adminPasswordOf(X47Changed), QStringLiteral("Ab#c+9"));
        for (const SimLogLine &line : camLines(X47Changed)) {
            QVERIFY2(!line.value("query").contains(QStringLiteral("Ab")), qPrintable(line.value("query")));
            QVERIFY2(!line.value("query").contains(QStringLiteral("other1")), qPrintable(line.value("query")));
        }
    }

    void zeborCamerasAnswerTheLanCommandsAtTheirAddress()
    {
        const QString admin = QStringLiteral("admin");
        const auto verify
            = [&](const QString &password) { return [=](LandapConfig &c) { c.verifyUser(admin, password); }; };
        QCOMPARE(lan(ZeborChanged, verify(QStringLiteral("before"))), 0);
        QCOMPARE(lan(ZeborChanged, verify(QStringLiteral("wrong"))), 2);
        QCOMPARE(lan(ZeborChanged, verify(QString())), 2);
        QCOMPARE(lan(ZeborFactory, verify(QString())), 0);
        // Only "admin" exists, before and after a change.
        QCOMPARE(lan(ZeborChanged,
                     [&](LandapConfig &c) {
                         c.changeUser(admin, QStringLiteral("before"), QStringLiteral("root"), QStringLiteral("x"));
                     }),
            2);
        QCOMPARE(lan(ZeborChanged,
                     [&](LandapConfig &c) {
                         c.changeUser(admin, QStringLiteral("before"), admin, QStringLiteral("after#1"));
                     }),
            0);
        QCOMPARE(adminPasswordOf(ZeborChanged), QStringLiteral("after#1"));
        QCOMPARE(lan(ZeborChanged, verify(QStringLiteral("before"))), 2);
        QCOMPARE(lan(ZeborChanged, verify(QStringLiteral("after#1"))), 0);
        QCOMPARE(get(ZeborChanged, "/image/jpeg.cgi", credentials(admin, QStringLiteral("after#1"))).status, 200);

        // A silent camera and a 47X camera leave the command unanswered.
        QCOMPARE(lan(Silent, verify(QStringLiteral("silent-pw"))), -1);
        QCOMPARE(lan(X47Known, verify(QStringLiteral("x47-pw"))), -1);

        QStringList seen;
        for (const SimLogLine &line : camLines(ZeborChanged)) {
            if (!line.value("lan").isEmpty())
                seen << line.value("lan") + QLatin1Char('=') + line.value("ret");
            QVERIFY(!line.fields.values().contains(QStringLiteral("after#1")));
        }
        // Each command comes once per interface of the computer.
        QVERIFY2(seen.contains(QStringLiteral("change=0")) && seen.contains(QStringLiteral("verify=2")),
            qPrintable(seen.join(QLatin1Char(' '))));
        QVERIFY(camLines(Silent).last().value("ret") == QStringLiteral("none"));
    }

    void slowAndSilentCameras()
    {
        QTcpSocket silent;
        silent.connectToHost(ipOf(Silent), 80);
        QVERIFY(silent.waitForConnected(kWaitMs));
        silent.write("GET /image/jpeg.cgi HTTP/1.1\r\nHost: camera\r\n\r\n");
        QTRY_VERIFY(!camLines(Silent).isEmpty() && camLines(Silent).last().value("req") == "/image/jpeg.cgi");

        const HttpAnswer slow
            = get(Slow, "/image.jpg", credentials(QStringLiteral("admin"), QStringLiteral("slow-pw")));
        QCOMPARE(slow.status, 200);
        QVERIFY2(slow.elapsedMs >= kSlowMs * kScale * 0.9, qPrintable(QString::number(slow.elapsedMs)));
        QCOMPARE(camLines(Slow).last().value("delayMs"), QString::number(int(kSlowMs * kScale)));
        // All the while the silent camera held the connection and said nothing.
        QCOMPARE(silent.state(), QAbstractSocket::ConnectedState);
        QCOMPARE(silent.bytesAvailable(), 0);
        QCOMPARE(camLines(Silent).last().value("status"), QStringLiteral("none"));
    }

    void aCameraAtAnAddressElsewhereHasNoWebInterface()
    {
        const auto errors = m_sim.log(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors.first().value("ip"), QStringLiteral("192.0.2.250"));
        QCOMPARE(errors.first().value("web"), QStringLiteral("none"));
    }

    void theRecorderStoresEscapedAndPlainCameraValuesAlike()
    {
        // Base64 with "+", "/" and "=", as the wizard sends it plain or escaped.
        const QByteArray plain = "account=YT8+Yj8/&pass=eD4/fjE=&hostid=00:1c:27:10:00:01";
        const QByteArray escaped = "account=YT8%2BYj8%2F&pass=eD4%2FfjE%3D&hostid=00%3A1c%3A27%3A10%3A00%3A01";
        const QString https = QStringLiteral("https://%1").arg(SimProcess::ipOf(m_recorder));
        for (const auto &[channel, values] : {std::pair(0, plain), std::pair(1, escaped)}) {
            const QByteArray target = "/config/addavdev?avdevid=" + QByteArray::number(channel)
                + "&avdevname=ZB-2100&hostname=192.0.2.100&protocol=ONVIF&protocoltype=0&brand=ZEBOR&product=ZB-2100&"
                + values;
            const HttpAnswer added = HttpProbe::get(
                QUrl::fromEncoded(https.toLatin1() + target), credentials(QStringLiteral("admin"), kRecorderPassword));
            QCOMPARE(added.status, 200);
        }
        const QJsonArray channels
            = m_sim.stateOf(SimProcess::macOf(m_recorder)).value(QStringLiteral("channels")).toArray();
        const QJsonObject first = channels.at(0).toObject();
        QCOMPARE(first.value(QStringLiteral("account")).toString(), QStringLiteral("a?>b??"));
        QCOMPARE(first.value(QStringLiteral("password")).toString(), QStringLiteral("x>?~1"));
        QCOMPARE(first.value(QStringLiteral("mac")).toString(), QStringLiteral("00:1c:27:10:00:01"));
        QCOMPARE(channels.at(1).toObject(), first);
    }
};

QTEST_GUILESS_MAIN(TestSimCamerasLab)
#include "tst_simcameraslab.moc"
