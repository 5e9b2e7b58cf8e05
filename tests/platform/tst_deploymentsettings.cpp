#include "platform/DeploymentSettings.h"
#include "platform/Log.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char *const kVariables[] = {"NVRWIZARD_PORTAL_HOST", "NVRWIZARD_CLOUD_HOST", "NVRWIZARD_SUPPORT_URL",
    "NVRWIZARD_READER_HOST", "NVRWIZARD_PROBE_HOST"};

QStringList allSettings()
{
    return {Deployment::defaultPortalHost(), Deployment::cloudServiceHost(), Deployment::supportUrl(),
        Deployment::readerDownloadHost(), Deployment::reachabilityProbeHost()};
}

} // namespace

class DeploymentSettingsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_logged;
    QStringList m_builtIn;

    QString file() const { return m_dir.filePath(QStringLiteral("deployment.conf")); }
    void write(const QByteArray &content)
    {
        QFile f(file());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }

private slots:
    void initTestCase()
    {
        for (const char *v : kVariables)
            qunsetenv(v);
        qputenv("NVRWIZARD_DEPLOYMENT_FILE", m_dir.filePath(QStringLiteral("absent.conf")).toUtf8());
        m_builtIn = allSettings();
    }
    void init()
    {
        m_logged.clear();
        Log::setSink([this](const QString &line) { m_logged << line; });
        QFile::remove(file());
        qputenv("NVRWIZARD_DEPLOYMENT_FILE", file().toUtf8());
    }
    void cleanup()
    {
        Log::setSink({});
        for (const char *v : kVariables)
            qunsetenv(v);
    }

    // The file the package installs states exactly the built-in values.
    void shippedFileHoldsTheBuiltInValues()
    {
        const QString shipped = qEnvironmentVariable("NVR_SOURCE_DIR") + QStringLiteral("/packaging/deployment.conf");
        QVERIFY(QFile::exists(shipped));
        qputenv("NVRWIZARD_DEPLOYMENT_FILE", shipped.toUtf8());
        QCOMPARE(allSettings(), m_builtIn);
        QVERIFY2(m_logged.isEmpty(), qPrintable(m_logged.join(QLatin1Char('\n'))));
    }

    void fileValuesAreUsed()
    {
        write("[General]\n# comment line\n; another comment\nportal_host = portal.example.net:8443\n"
              "cloud_host=faq.example.net\nsupport_url = https://help.example.net/nvr/?lang=en\n"
              "reader_host = reader.example.net\nprobe_host = 192.0.2.40\n");
        QCOMPARE(allSettings(),
            QStringList({"portal.example.net:8443", "faq.example.net", "https://help.example.net/nvr/?lang=en",
                "reader.example.net", "192.0.2.40"}));
        QVERIFY(m_logged.isEmpty());
    }

    void environmentWinsOverFile()
    {
        write("portal_host = portal.example.net\nprobe_host = probe.example.net\n");
        qputenv("NVRWIZARD_PORTAL_HOST", "lab-portal.example");
        QCOMPARE(Deployment::defaultPortalHost(), QStringLiteral("lab-portal.example"));
        QCOMPARE(Deployment::reachabilityProbeHost(), QStringLiteral("probe.example.net"));
    }

    // Each row: the line and the index of the setting that keeps its built-in value.
    void unusableValueFallsBack_data()
    {
        QTest::addColumn<QByteArray>("line");
        for (const char *line : {"portal_host = https://portal.example.net", "cloud_host = faq.example.net/faq",
                 "probe_host = me@probe.example.net", "probe_host = probe.example.net:443",
                 "probe_host = [2001:db8::1]", "portal_host = a.example, b.example", "support_url = help.example.net",
                 "support_url = file:///etc/passwd", "support_url = javascript:alert(1)"})
            QTest::newRow(line) << QByteArray(line);
    }
    void unusableValueFallsBack()
    {
        QFETCH(QByteArray, line);
        write(line + '\n');
        // The file sets only that one: every value stays built in.
        QCOMPARE(allSettings(), m_builtIn);
        const QString key = QString::fromLatin1(line.left(line.indexOf(' ')));
        QVERIFY2(!m_logged.isEmpty() && m_logged.first().contains(key) && m_logged.first().contains(file()),
            qPrintable(m_logged.join(QLatin1Char('\n'))));
    }

    // No file, empty values or bytes that are no settings: the built-in values, silently.
    void nothingUsableMeansBuiltInValues()
    {
        for (const QByteArray &content :
            {QByteArray("portal_host =\nprobe_host = \n"), QByteArray("\x00\xff\xfe[[[=\n==\n\x01portal_host", 22)}) {
            write(content);
            QCOMPARE(allSettings(), m_builtIn);
        }
        QVERIFY(m_logged.isEmpty());
    }

    void unreadableFileMeansBuiltInValues()
    {
        // Root reads any file whatever its mode; a folder in its place cannot be read by anyone.
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("deployment.conf")));
        QCOMPARE(allSettings(), m_builtIn);
        QVERIFY(!m_logged.isEmpty());
        QVERIFY(m_logged.first().contains(QStringLiteral("cannot be read")));
        QVERIFY(QDir(file()).removeRecursively());
    }
};

QTEST_GUILESS_MAIN(DeploymentSettingsTest)
#include "tst_deploymentsettings.moc"
