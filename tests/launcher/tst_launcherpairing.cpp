// How the launcher picks its property list and page; birth times are given by
// the test, as this platform cannot set them.
#include "launcher/CloudPageAddress.h"
#include "launcher/HomeFolder.h"
#include "launcher/LauncherPairing.h"
#include "platform/PropertyList.h"

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
    // Each row: the lists as "name@seconds after the bundle" and the one chosen.
    void pairsWithinTheWindow_data()
    {
        QTest::addColumn<QStringList>("lists");
        QTest::addColumn<QString>("chosen");
        const auto row = [](const char *name, const QString &lists, const char *chosen) {
            QTest::newRow(name) << lists.split(QLatin1Char(' '), Qt::SkipEmptyParts) << QString::fromLatin1(chosen);
        };
        row("10 s and 10 min after", "nimboraInfo(2).plist@600 nimboraInfo(1).plist@10", "nimboraInfo(1).plist");
        row("only 10 min after", "nimboraInfo(2).plist@600", "");
        row("149.9 s before", "nimboraInfo(1).plist@-149.9", "nimboraInfo(1).plist");
        row("exactly 150 s after", "nimboraInfo(1).plist@150", "");
        row("exactly 150 s before", "nimboraInfo(1).plist@-150", "");
        row("first of two in the window", "nimboraInfo(b).plist@1 nimboraInfo(a).plist@2", "nimboraInfo(a).plist");
        row("other letter case", "NIMBORAINFO(7).PLIST@3", "NIMBORAINFO(7).PLIST");
        row("other names skipped", "notes.plist@0 xnimboraInfo.plist@0", "");
        row("empty folder", "", "");
    }

    void pairsWithinTheWindow()
    {
        QFETCH(QStringList, lists);
        QFETCH(QString, chosen);
        Folder f;
        for (const QString &list : lists)
            f.add(list.section(QLatin1Char('@'), 0, 0), list.section(QLatin1Char('@'), 1).toDouble());
        QCOMPARE(f.find(), chosen.isEmpty() ? QString() : f.path + chosen);
    }

    // The bundle's own name wins over another list born in the window.
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

    void pageFromThePropertyList_data()
    {
        QTest::addColumn<QVariant>("content");
        QTest::addColumn<QString>("page");
        const QString entrance = CloudPageAddress::entrance().toString();
        const auto row = [](const char *name, const QString &server, const QString &page) {
            QTest::newRow(name) << QVariant(
                QVariantMap {{"deviceNumber", "87654321"}, {"language", "JP"}, {"server", server}})
                                << page;
        };
        row("device page", "portal.lab.example", "https://portal.lab.example/device#87654321?lang=JP");
        row("local link", "http://nvr.local:8080/live?a=1", "http://nvr.local:8080/live?a=1");
        // Only web links: anything else the recorder names opens the entrance.
        row("local file link", "file:///etc/passwd#local", entrance);
        row("local ssh link", "ssh://root@nvr.local", entrance);
        QTest::newRow("keys missing") << QVariant(QVariantMap {{QStringLiteral("server"), QStringLiteral("p.example")}})
                                      << QStringLiteral("https://p.example/device#?lang=");
        QTest::newRow("not a dictionary") << QVariant(QVariantList {}) << entrance;
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
