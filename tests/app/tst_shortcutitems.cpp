// The three items the summary leaves, under a temporary home: the desktop copy
// with its desktop entry, the property list and the bookmark read back by
// plistutil and desktop-file-validate; and folders that refuse writes and a
// disk that fills up, where each item that cannot be made or removed comes
// back as an error naming its file and what was there before is left whole.
#include "ShortcutFixture.h"
#include "platform/DeploymentSettings.h"
#include "platform/PropertyList.h"

#include <QFileInfo>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const ShortcutTarget kCloud = ShortcutTarget::withAccess(
    QStringLiteral("87654321"), QStringLiteral("JP"), QStringLiteral("portal.lab.example"));

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

// The files named, each with a reason (an error without one gets none here).
QStringList paths(const ShortcutErrors &errors)
{
    QStringList out;
    for (const ShortcutError &e : errors) {
        if (!e.reason.isEmpty())
            out.append(e.path);
    }
    out.removeDuplicates();
    out.sort();
    return out;
}

// Folders no one may add to or remove from, not even root (whom permission
// bits do not stop): the immutable attribute, lifted again on the way out.
class ReadOnlyFolders
{
public:
    bool lock(const QStringList &folders)
    {
        for (const QString &folder : folders) {
            const bool done = ::geteuid() == 0
                ? QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder}) == 0
                : QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
            if (!done)
                return false;
            m_locked.append(folder);
        }
        return true;
    }

    ~ReadOnlyFolders()
    {
        for (const QString &folder : std::as_const(m_locked)) {
            if (::geteuid() == 0)
                QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), folder});
            else
                QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

private:
    QStringList m_locked;
};

// Files may grow to a few kilobytes only, as on a disk about to fill up.
class SmallFileLimit
{
public:
    explicit SmallFileLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_saved;
        small.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }

    ~SmallFileLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved {};
    void (*m_handler)(int) = nullptr;
};

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
        // The other two pairings run in the summary's lab test.
        QTest::newRow("cloud, binary bookmarks") << true << QStringLiteral("binary");
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

        // Where they go and that the copy starts: the summary and launcher tests.
        QVERIFY(items.replace(target).isEmpty());
        const ShortcutPaths p = items.paths(target);

        const QString name = access ? QStringLiteral("HRX-540A(87654321)") : QStringLiteral("HRX-540A");
        QVERIFY(plistutilReads(p.propertyList));
        QVERIFY(plistutilReads(p.bookmarks));

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

    void readOnlyFoldersAreReported()
    {
        ShortcutFixture f;
        QVERIFY(f.placeBookmarks(original(QStringLiteral("binary"))));
        const ShortcutItems items = f.items();
        QVERIFY(items.replace(kCloud).isEmpty());
        const ShortcutPaths p = items.paths(kCloud);
        const QString bookmarksBefore = f.dir.filePath(QStringLiteral("before.plist"));
        QVERIFY(QFile::copy(p.bookmarks, bookmarksBefore));

        ReadOnlyFolders readOnly;
        if (!readOnly.lock({f.folders.desktop, QFileInfo(p.propertyList).path(), QFileInfo(p.bookmarks).path()}))
            QSKIP("this file system cannot make a folder read-only");
        QStringList made {p.desktopCopy, p.propertyList, p.bookmarks};
        made.sort();
        QStringList removed = made + QStringList {p.desktopEntry};
        removed.sort();
        QCOMPARE(paths(items.remove(kCloud)), removed);
        QCOMPARE(paths(items.create(kCloud)), made);

        QVERIFY(items.desktopCopyExists(kCloud));
        QVERIFY(QFileInfo::exists(p.propertyList));
        QVERIFY(plistcheck({QStringLiteral("same"), bookmarksBefore, p.bookmarks}));
    }

    void fullDiskIsReported()
    {
        ShortcutFixture f(QStringLiteral("home"), 64 * 1024);
        QVERIFY(f.placeBookmarks(original(QStringLiteral("binary"))));
        const ShortcutItems items = f.items();
        const ShortcutPaths p = items.paths(kCloud);
        ShortcutErrors errors;
        {
            SmallFileLimit limit(16 * 1024);
            errors = items.replace(kCloud);
        }
        // The property list is small enough; the launcher copy and the
        // rewritten bookmarks file are not.
        QStringList want {p.desktopCopy, p.bookmarks};
        want.sort();
        QCOMPARE(paths(errors), want);
        QVERIFY(desktopFiles(f).isEmpty());
        QVERIFY(QFileInfo::exists(p.propertyList));
        QVERIFY(plistcheck({QStringLiteral("same"), original(QStringLiteral("binary")), p.bookmarks}));
    }
};

QTEST_GUILESS_MAIN(TestShortcutItems)
#include "tst_shortcutitems.moc"
