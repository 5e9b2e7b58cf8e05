// nvrwizard --config against a stand-in recorder in the network lab.
#include "LabEnv.h"
#include "WebFixture.h"

#include <QProcess>
#include <QtTest>

namespace {

const QString kBasic = QStringLiteral("Basic YWRtaW46czNjcmV0"); // admin:s3cret

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run nvrwizard(const QStringList &args, const QByteArray &input = QByteArray())
{
    QProcess process;
    process.start(qEnvironmentVariable("NVR_BUILD_DIR") + QStringLiteral("/bin/nvrwizard"), args);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(20000))
        process.kill();
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class TestConfigQuery : public QObject
{
    Q_OBJECT

private:
    WebFixture m_server;
    QString m_ip;

    QStringList args(const QString &code) const
    {
        return {QStringLiteral("--config"), code, QStringLiteral("--nvr"), m_ip, QStringLiteral("--user"),
            QStringLiteral("admin")};
    }

private slots:
    void initTestCase()
    {
        NVR_REQUIRE_LAB();
        // Its own lab address: the other web tests serve on the last one.
        m_ip = LabEnv::fromEnvironment().recorderIps.at(17);
        const auto route = [](const QString &body) {
            return QJsonObject {{QStringLiteral("bodies"), QJsonArray {body}}};
        };
        const QJsonObject routes = {
            {QStringLiteral("/config/storageinfo?storageid=0"),
                route(
                    QStringLiteral("storageid=0\r\ndevicename=sda\r\npartitioninfo0=100,1,99,90,2,ext4\r\nend=1\r\n"))},
            {QStringLiteral("/config/storageinfo?storageid=1"),
                route(QStringLiteral("storageid=1\r\ndevicename=\r\nend=1\r\n"))},
            {QStringLiteral("/config/nimborareginfo"),
                route(QStringLiteral("status=1\r\nemail=ana@example.com\r\npassword=CloudPw1\r\n"))}};
        QString error;
        QVERIFY2(m_server.start(m_ip, 443, routes, LabEnv::fromEnvironment().lanNamespace, &error), qPrintable(error));
    }

    void printsTheDisksWithThePasswordFromStdin()
    {
        const Run run = nvrwizard(args(QStringLiteral("2")), "s3cret\n");
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out,
            QStringLiteral("disk 1:\n  checked=1\n  storageid=0\n  deviceName=sda\n"
                           "  partition 1:\n    capacity=100\n    usedSpace=1\n    FreeSpace=99\n"
                           "    Recordable=90\n    status=2\n    fileSystem=ext4\n"
                           "disk 2:\n  checked=0\n  storageid=1\n  deviceName=\n"));
        const QJsonObject last = m_server.requests().last();
        QCOMPARE(WebFixture::header(last, QStringLiteral("Authorization")), QStringList {kBasic});
    }

    void masksTheCloudPasswordReadFromAFile()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("pw")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("s3cret\n");
        file.close();
        const Run run = nvrwizard(args(QStringLiteral("6")) << QStringLiteral("--password-file") << file.fileName());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("status=1\nemail=ana@example.com\npassword=****\n"));
    }

    void refusesWhatItCannotDo()
    {
        QCOMPARE(nvrwizard(args(QStringLiteral("7"))).exitCode, 2); // writes to the recorder
        QCOMPARE(nvrwizard({QStringLiteral("--config"), QStringLiteral("2"), QStringLiteral("--nvr"),
                               QStringLiteral("recorder.local"), QStringLiteral("--user"), QStringLiteral("admin")})
                     .exitCode,
            2);
        const Run silent = nvrwizard(
            {QStringLiteral("--config"), QStringLiteral("5"), QStringLiteral("--nvr"),
                LabEnv::fromEnvironment().recorderIps.at(16), QStringLiteral("--user"), QStringLiteral("admin")},
            "pw\n");
        QCOMPARE(silent.exitCode, 1);
        QVERIFY(silent.err.contains(QLatin1String("did not answer")));
    }
};

QTEST_GUILESS_MAIN(TestConfigQuery)
#include "tst_configquery.moc"
