// The three items the summary leaves, under a temporary home: the desktop copy
// with its desktop entry, the cloud shortcut property list and the bookmark,
// read back by plistlib, plistutil and desktop-file-validate.
#include "ShortcutFixture.h"
#include "platform/DeploymentSettings.h"
#include "platform/FileTimes.h"
#include "platform/PropertyList.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFileInfo>
#include <QJsonDocument>
#include <QtTest>

namespace {

const ShortcutTarget kCloud = ShortcutTarget::withAccess(
    QStringLiteral("87654321"), QStringLiteral("JP"), QStringLiteral("portal.lab.example"));

QVariantMap plistlibReads(const QString &file)
{
    QString json;
    plistcheck({QStringLiteral("json"), file}, &json);
    return QJsonDocument::fromJson(json.toUtf8()).toVariant().toMap();
}

int ourBookmarks(const QString &file)
{
    const QVariantList bar = PropertyList::readFile(file)
                                 .value.toMap()
                                 .value(QStringLiteral("Children"))
                                 .toList()
                                 .value(1)
                                 .toMap()
                                 .value(QStringLiteral("Children"))
                                 .toList();
    return int(std::count_if(bar.cbegin(), bar.cend(), [](const QVariant &e) {
        return e.toMap().value(QStringLiteral("WebBookmarkUUID")).toString().contains(QLatin1String("VEXOR540"));
    }));
}

QStringList desktopFiles(const ShortcutFixture &f)
{
    return QDir(f.folders.desktop).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

class TestShortcutItems : public QObject
{
    Q_OBJECT

    QTemporaryDir m_originals;

    // A bookmarks file full of other entries, made by plistlib once per format.
    QString original(const QString &format)
    {
        const QString path = m_originals.filePath(format + QStringLiteral(".plist"));
        if (!QFileInfo::exists(path))
            plistcheck({QStringLiteral("bookmarks"), path, format});
        return path;
    }

private slots:
    void madeForTheRecorder_data()
    {
        QTest::addColumn<bool>("access");
        QTest::addColumn<QString>("format");
        QTest::newRow("cloud, binary bookmarks") << true << QStringLiteral("binary");
        QTest::newRow("cloud, XML bookmarks") << true << QStringLiteral("xml");
        QTest::newRow("no cloud, binary bookmarks") << false << QStringLiteral("binary");
        QTest::newRow("no cloud, XML bookmarks") << false << QStringLiteral("xml");
    }

    void madeForTheRecorder()
    {
        QFETCH(bool, access);
        QFETCH(QString, format);
        ShortcutFixture f;
        const QString original = this->original(format);
        QVERIFY(f.placeBookmarks(original));
        const ShortcutTarget target = access ? kCloud : ShortcutTarget::withoutAccess(QStringLiteral(" "));
        const ShortcutItems items = f.items();

        const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
        QVERIFY(items.replace(target).isEmpty());
        const ShortcutPaths p = items.paths(target);

        const QString name = access ? QStringLiteral("HRX-540A(87654321)") : QStringLiteral("HRX-540A");
        QCOMPARE(p.desktopCopy, f.folders.desktop + QLatin1Char('/') + name + QStringLiteral(".app"));
        QCOMPARE(p.desktopEntry, f.folders.desktop + QLatin1Char('/') + name + QStringLiteral(".desktop"));
        QCOMPARE(desktopFiles(f), QStringList({name + QStringLiteral(".app"), name + QStringLiteral(".desktop")}));
        QVERIFY(QFileInfo(p.desktopCopy + QStringLiteral("/Contents/MacOS/HRX260A")).isExecutable());
        QVERIFY(QFileInfo::exists(p.desktopCopy + QStringLiteral("/Contents/Info.plist")));
        const QDateTime born = FileTimes::creation(p.desktopCopy);
        QVERIFY(born >= before && born <= QDateTime::currentDateTimeUtc().addSecs(1));
        QVERIFY(QFileInfo(p.desktopCopy).lastModified() >= before);
        QVERIFY(items.desktopCopyExists(target));

        const QString number = access ? QStringLiteral("87654321") : QStringLiteral("12345678");
        QCOMPARE(p.propertyList,
            f.folders.applicationSupport + QStringLiteral("/SetupWizard 540/nimboraInfo(%1).plist").arg(number));
        const QVariantMap list {
            {QStringLiteral("deviceNumber"), number},
            {QStringLiteral("language"), access ? QStringLiteral("JP") : QStringLiteral("EN")},
            {QStringLiteral("server"), access ? QStringLiteral("portal.lab.example") : Deployment::defaultPortalHost()},
        };
        QCOMPARE(plistlibReads(p.propertyList), list);
        QVERIFY(plistutilReads(p.propertyList));
        QVERIFY(plistutilReads(p.bookmarks));

        QCOMPARE(p.bookmarks, f.bookmarks());
        QVERIFY(plistcheck({QStringLiteral("added"), original, p.bookmarks, f.entryJson(target)}));
        const QVariantMap entry = SafariBookmark::entry(target);
        QCOMPARE(entry.value(QStringLiteral("WebBookmarkUUID")).toString(),
            access ? QStringLiteral("VEXOR540-AAAA-AAAA-AAAA-87654321AAAA")
                   : QStringLiteral("VEXOR540-AAAA-AAAA-AAAA-AAAAAAAAAAAA"));
        QCOMPARE(entry.value(QStringLiteral("URLString")).toString(),
            access ? QStringLiteral("https://portal.lab.example/device#87654321?lang=JP")
                   : Deployment::defaultPortalHost());
        QCOMPARE(entry.value(QStringLiteral("URIDictionary")).toMap().value(QStringLiteral("title")).toString(), name);
    }

    void runningTwiceReplaces()
    {
        ShortcutFixture f;
        const QString original = this->original(QStringLiteral("binary"));
        QVERIFY(f.placeBookmarks(original));
        const ShortcutItems items = f.items();
        QVERIFY(items.replace(kCloud).isEmpty());
        QVERIFY(items.replace(kCloud).isEmpty());
        QCOMPARE(desktopFiles(f).size(), 2);
        QCOMPARE(
            QDir(f.folders.applicationSupport + QStringLiteral("/SetupWizard 540")).entryList(QDir::Files).size(), 1);
        QCOMPARE(ourBookmarks(f.bookmarks()), 1);
        QVERIFY(plistcheck({QStringLiteral("added"), original, f.bookmarks(), f.entryJson(kCloud)}));
        // Made again over the bookmark they left (the box ticked after a failed copy).
        QVERIFY(items.create(kCloud).isEmpty());
        QVERIFY(plistcheck({QStringLiteral("added"), original, f.bookmarks(), f.entryJson(kCloud)}));
    }

    void clearingAndTickingTheBox()
    {
        ShortcutFixture f;
        const QString original = this->original(QStringLiteral("xml"));
        QVERIFY(f.placeBookmarks(original));
        const ShortcutItems items = f.items();
        QVERIFY(items.replace(kCloud).isEmpty());
        const QDateTime firstBirth = FileTimes::creation(items.paths(kCloud).desktopCopy);

        QVERIFY(items.remove(kCloud).isEmpty());
        QVERIFY(desktopFiles(f).isEmpty());
        QVERIFY(!QFileInfo::exists(items.paths(kCloud).propertyList));
        QVERIFY(plistcheck({QStringLiteral("same"), original, f.bookmarks()}));

        QVERIFY(items.create(kCloud).isEmpty());
        QVERIFY(FileTimes::creation(items.paths(kCloud).desktopCopy) > firstBirth);
        QVERIFY(QFileInfo::exists(items.paths(kCloud).propertyList));
        QVERIFY(plistcheck({QStringLiteral("added"), original, f.bookmarks(), f.entryJson(kCloud)}));
    }

    void withoutCloudTheLastOfOurBookmarksGoes()
    {
        ShortcutFixture f;
        QVERIFY(f.placeBookmarks(original(QStringLiteral("binary"))));
        const ShortcutItems items = f.items();
        const ShortcutTarget none = ShortcutTarget::withoutAccess(QString());
        QVERIFY(items.create(kCloud).isEmpty());
        QVERIFY(items.create(none).isEmpty());
        QVERIFY(items.remove(none).isEmpty());
        QCOMPARE(ourBookmarks(f.bookmarks()), 1);
        // The property list without cloud stays until the next write replaces it.
        QVERIFY(QFileInfo::exists(items.paths(none).propertyList));
        QVERIFY(items.create(none).isEmpty());
    }

    void noBookmarksFileIsLeftMissing()
    {
        ShortcutFixture f;
        const ShortcutItems items = f.items();
        QVERIFY(items.replace(kCloud).isEmpty());
        QVERIFY(items.paths(kCloud).bookmarks.isEmpty());
        QVERIFY(!QFileInfo::exists(f.folders.home + QStringLiteral("/Library/Safari")));
    }

    void unreadableBookmarksAreLeftUntouched_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not a property list") << QByteArray("bplist00 and then nothing sensible");
        QTest::newRow("no bookmarks bar") << QByteArray("<plist><dict><key>Children</key><array/></dict></plist>");
        QTest::newRow("bar not a folder")
            << QByteArray("<plist><dict><key>Children</key><array><dict/><string/></array></dict></plist>");
    }

    void unreadableBookmarksAreLeftUntouched()
    {
        QFETCH(QByteArray, content);
        ShortcutFixture f;
        QDir().mkpath(QFileInfo(f.bookmarks()).path());
        QFile file(f.bookmarks());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();

        const ShortcutErrors errors = f.items().replace(kCloud);
        QCOMPARE(errors.size(), 2); // removing, then adding
        QCOMPARE(errors[0].path, f.bookmarks());
        QVERIFY(errors[0].reason.contains(QLatin1String("left as it was")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
        // The other two items are made all the same.
        QVERIFY(f.items().desktopCopyExists(kCloud));
    }

    void entryStartsTheCopyFromAnAwkwardHome()
    {
        ShortcutFixture f(QStringLiteral("my home (2) $HOME `x` 100% \"q\" \\ ;&"));
        const ShortcutItems items = f.items();
        QVERIFY(items.replace(kCloud).isEmpty());
        const QString entry = items.paths(kCloud).desktopEntry;
        QVERIFY(runTool(QStringLiteral("desktop-file-validate"), {entry}));
        QVERIFY(QFileInfo(entry).isExecutable());

        // The Exec line, with the file format's escapes undone, is the same
        // quoting a shell reads; the shell must start exactly the copy.
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString exec;
        QString icon;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1String("Exec=")))
                exec = line.mid(5);
            if (line.startsWith(QLatin1String("Icon=")))
                icon = line.mid(5);
        }
        // The theme icon the package installs.
        QCOMPARE(icon, QStringLiteral("example.vexor.nvrwizard"));
        exec.replace(QLatin1String("\\\\"), QLatin1String("\\")).replace(QLatin1String("%%"), QLatin1String("%"));
        QVERIFY(runTool(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), exec}));
        const QString program = items.paths(kCloud).desktopCopy + QStringLiteral("/Contents/MacOS/HRX260A");
        QFile started(program + QStringLiteral(".started"));
        QVERIFY(started.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(started.readAll()), program);
    }

    void missingLauncherIsReported()
    {
        ShortcutFixture f;
        const ShortcutItems items(f.folders, f.dir.filePath(QStringLiteral("nowhere/HRX260A.app")));
        const ShortcutErrors errors = items.replace(kCloud);
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors[0].path, items.paths(kCloud).desktopCopy);
        QVERIFY(desktopFiles(f).isEmpty());
        QVERIFY(QFileInfo::exists(items.paths(kCloud).propertyList));
    }
};

QTEST_GUILESS_MAIN(TestShortcutItems)
#include "tst_shortcutitems.moc"
