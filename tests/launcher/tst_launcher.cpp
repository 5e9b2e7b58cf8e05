#include "platform/DeploymentSettings.h"
#include "shortcuts/ShortcutItems.h"
#include "tests/support/RecordingXdgOpen.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const ShortcutTarget kCloud = ShortcutTarget::withAccess(
    QStringLiteral("87654321"), QStringLiteral("JP"), QStringLiteral("portal.lab.example"));

QString launcherBundle()
{
    const QString program = qEnvironmentVariable("NVR_LAUNCHER");
    return program.left(program.lastIndexOf(QLatin1String("/Contents/MacOS/")));
}

} // namespace

class TestLauncher : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    UserFolders m_folders;

    QString recordFile() const { return m_root.filePath(QStringLiteral("opened")); }
    ShortcutItems items() const { return ShortcutItems(m_folders, launcherBundle()); }

    QString openedBy(const QString &copy)
    {
        QFile::remove(recordFile());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_folders.home);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_folders.home + QStringLiteral("/.config"));
        env.insert(QStringLiteral("PATH"),
            m_root.filePath(QStringLiteral("bin")) + QLatin1Char(':') + env.value(QStringLiteral("PATH")));
        env.insert(QStringLiteral("RECORD"), recordFile());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(copy + QStringLiteral("/Contents/MacOS/HRX260A"), {});
        if (!p.waitForFinished(30000) || p.exitCode() != 0)
            return QStringLiteral("launcher failed: ") + QString::fromLocal8Bit(p.readAllStandardError());
        QFile record(recordFile());
        if (!QTest::qWaitFor([&record] { return record.size() > 0; }, 10000))
            return QStringLiteral("nothing opened");
        record.open(QIODevice::ReadOnly);
        return QString::fromUtf8(record.readAll()).trimmed();
    }

    QString log() const
    {
        QFile f(m_folders.documents + QStringLiteral("/setupwizarderror.txt"));
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFileInfo(qEnvironmentVariable("NVR_LAUNCHER")).isExecutable());
        const QString home = m_root.filePath(QStringLiteral("home with (blanks)"));
        m_folders = {home, home + QStringLiteral("/Desktop"), home + QStringLiteral("/Documents"),
            home + QStringLiteral("/Library/Application Support")};
        QVERIFY(writeRecordingXdgOpen(m_root.filePath(QStringLiteral("bin"))));
    }

    void init() { QDir(m_folders.home).removeRecursively(); }

    // The copy renamed, so paired by its birth time alone (the other pairings
    // and pages are rows of the pairing test): its cloud page, its list logged.
    void renamedCopyOpensTheCloudPage()
    {
        QVERIFY(items().replace(kCloud).isEmpty());
        const QString renamed = m_folders.desktop + QStringLiteral("/Front door.app");
        QVERIFY(QDir().rename(items().paths(kCloud).desktopCopy, renamed));
        QCOMPARE(openedBy(renamed), QStringLiteral("https://portal.lab.example/device#87654321?lang=JP"));
        QVERIFY(log().contains(QStringLiteral("newFilePath=") + items().paths(kCloud).propertyList));
    }

    // No list to pair with opens the entrance (a missing folder: the pairing test).
    void withoutAListOpensTheEntrance()
    {
        QVERIFY(items().replace(kCloud).isEmpty());
        QVERIFY(QFile::remove(items().paths(kCloud).propertyList));
        QCOMPARE(openedBy(items().paths(kCloud).desktopCopy),
            QStringLiteral("https://%1/entrance").arg(Deployment::defaultPortalHost()));
    }
};

QTEST_GUILESS_MAIN(TestLauncher)
#include "tst_launcher.moc"
