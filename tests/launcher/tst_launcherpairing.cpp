// How the launcher picks its property list and the page it opens, with real
// files in a folder and their birth times given by the test (a birth time
// cannot be set on this platform).
#include "launcher/CloudPageAddress.h"
#include "launcher/HomeFolder.h"
#include "launcher/LauncherPairing.h"
#include "platform/DeploymentSettings.h"
#include "platform/PropertyList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <pwd.h>
#include <unistd.h>

namespace {

const QDateTime kBundleBorn(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC);

struct Folder
{
    QTemporaryDir dir;
    QString path = dir.path() + QLatin1Char('/');
    QHash<QString, QDateTime> born;

    // A property list born the given seconds after the bundle.
    void add(const QString &name, double secondsAfterBundle)
    {
        QFile(path + name).open(QIODevice::WriteOnly);
        born.insert(path + name, kBundleBorn.addMSecs(qint64(secondsAfterBundle * 1000)));
    }

    // By default a copy the user has renamed, paired by birth time alone.
    QString find(const QString &bundle = QStringLiteral("/Desktop/Front door.app"))
    {
        born.insert(bundle, kBundleBorn);
        return LauncherPairing::findPropertyList(path, bundle, [this](const QString &p) { return born.value(p); });
    }
};

} // namespace

class TestLauncherPairing : public QObject
{
    Q_OBJECT

private slots:
    void pairsWithinTheWindow_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<double>>("secondsAfter");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("10 s and 10 min after")
            << QStringList {QStringLiteral("nimboraInfo(2).plist"), QStringLiteral("nimboraInfo(1).plist")}
            << QList<double> {600, 10} << QStringLiteral("nimboraInfo(1).plist");
        QTest::newRow("only 10 min after")
            << QStringList {QStringLiteral("nimboraInfo(2).plist")} << QList<double> {600} << QString();
        QTest::newRow("149.9 s before") << QStringList {QStringLiteral("nimboraInfo(1).plist")}
                                        << QList<double> {-149.9} << QStringLiteral("nimboraInfo(1).plist");
        QTest::newRow("exactly 150 s after")
            << QStringList {QStringLiteral("nimboraInfo(1).plist")} << QList<double> {150} << QString();
        QTest::newRow("exactly 150 s before")
            << QStringList {QStringLiteral("nimboraInfo(1).plist")} << QList<double> {-150} << QString();
        QTest::newRow("first of two in the window")
            << QStringList {QStringLiteral("nimboraInfo(b).plist"), QStringLiteral("nimboraInfo(a).plist")}
            << QList<double> {1, 2} << QStringLiteral("nimboraInfo(a).plist");
        QTest::newRow("other letter case") << QStringList {QStringLiteral("NIMBORAINFO(7).PLIST")} << QList<double> {3}
                                           << QStringLiteral("NIMBORAINFO(7).PLIST");
        QTest::newRow("other names skipped")
            << QStringList {QStringLiteral("notes.plist"), QStringLiteral("xnimboraInfo.plist")} << QList<double> {0, 0}
            << QString();
        QTest::newRow("empty folder") << QStringList {} << QList<double> {} << QString();
    }

    void pairsWithinTheWindow()
    {
        QFETCH(QStringList, names);
        QFETCH(QList<double>, secondsAfter);
        QFETCH(QString, chosen);
        Folder f;
        for (qsizetype i = 0; i < names.size(); ++i)
            f.add(names[i], secondsAfter[i]);
        QCOMPARE(f.find(), chosen.isEmpty() ? QString() : f.path + chosen);
    }

    // A recorder without cloud set up 76 s after another: the bundle's own
    // name points at its list, although the other one was born in the window too.
    void ownNameBeforeBirthTime()
    {
        Folder f;
        f.add(QStringLiteral("nimboraInfo(10000001).plist"), -76);
        f.add(QStringLiteral("nimboraInfo(12345678).plist"), 1);
        f.add(QStringLiteral("nimboraInfo(1).plist"), 600);
        QCOMPARE(
            f.find(QStringLiteral("/Desktop/HRX-540A.app")), f.path + QStringLiteral("nimboraInfo(12345678).plist"));
        QCOMPARE(f.find(QStringLiteral("/Desktop/HRX-540A(1).app")), f.path + QStringLiteral("nimboraInfo(1).plist"));
        QCOMPARE(f.find(), f.path + QStringLiteral("nimboraInfo(10000001).plist"));
    }

    void missingFolderPairsNothing()
    {
        QCOMPARE(LauncherPairing::findPropertyList(QStringLiteral("/nonexistent/SetupWizard 540/"),
                     QStringLiteral("/b"), [](const QString &) { return kBundleBorn; }),
            QString());
    }

    void bundleOfTheExecutable()
    {
        QCOMPARE(LauncherPairing::bundlePath(QStringLiteral("/h/a b/Desktop/HRX-540A(1).app/Contents/MacOS/HRX260A")),
            QStringLiteral("/h/a b/Desktop/HRX-540A(1).app"));
        QCOMPARE(LauncherPairing::bundlePath(QStringLiteral("/usr/local/bin/HRX260A")),
            QStringLiteral("/usr/local/bin/HRX260A"));
    }

    void pageFromThePropertyList_data()
    {
        QTest::addColumn<QVariant>("content");
        QTest::addColumn<QString>("page");
        const auto list = [](const QString &server) {
            return QVariant(QVariantMap {{QStringLiteral("deviceNumber"), QStringLiteral("87654321")},
                {QStringLiteral("language"), QStringLiteral("JP")}, {QStringLiteral("server"), server}});
        };
        QTest::newRow("device page") << list(QStringLiteral("portal.lab.example"))
                                     << QStringLiteral("https://portal.lab.example/device#87654321?lang=JP");
        QTest::newRow("local link") << list(QStringLiteral("http://nvr.local:8080/live?a=1"))
                                    << QStringLiteral("http://nvr.local:8080/live?a=1");
        // Only web links: anything else the recorder names opens the entrance.
        QTest::newRow("local file link") << list(QStringLiteral("file:///etc/passwd#local"))
                                         << CloudPageAddress::entrance().toString();
        QTest::newRow("local ssh link") << list(QStringLiteral("ssh://root@nvr.local"))
                                        << CloudPageAddress::entrance().toString();
        QTest::newRow("keys missing") << QVariant(QVariantMap {{QStringLiteral("server"), QStringLiteral("p.example")}})
                                      << QStringLiteral("https://p.example/device#?lang=");
        QTest::newRow("not a dictionary") << QVariant(QVariantList {}) << CloudPageAddress::entrance().toString();
    }

    void pageFromThePropertyList()
    {
        QFETCH(QVariant, content);
        QFETCH(QString, page);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("nimboraInfo(87654321).plist"));
        QCOMPARE(PropertyList::writeFile(path, content), QString());
        QCOMPARE(CloudPageAddress::forPropertyList(path).toString(), page);
    }

    void unreadableListOpensTheEntrance()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("nimboraInfo(1).plist"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<plist><dict><key>server");
        f.close();
        QCOMPARE(CloudPageAddress::forPropertyList(path), CloudPageAddress::entrance());
        QCOMPARE(CloudPageAddress::forPropertyList(QString()), CloudPageAddress::entrance());
        QCOMPARE(CloudPageAddress::entrance().toString(),
            QStringLiteral("https://%1/entrance").arg(Deployment::defaultPortalHost()));
    }

    void homeFromEnvironmentThenUserDatabase()
    {
        const QByteArray saved = qgetenv("HOME");
        qputenv("HOME", "/home/with a blank");
        QCOMPARE(HomeFolder::find(), QStringLiteral("/home/with a blank"));
        qunsetenv("HOME");
        QCOMPARE(HomeFolder::find(), QFile::decodeName(getpwuid(getuid())->pw_dir));
        qputenv("HOME", saved);
    }
};

QTEST_GUILESS_MAIN(TestLauncherPairing)
#include "tst_launcherpairing.moc"
