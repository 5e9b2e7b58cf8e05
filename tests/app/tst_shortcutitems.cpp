// What the summary's lab test cannot reach of the three items it leaves: our
// last bookmark removed, bookmarks we cannot read left alone, the desktop entry
// from an awkward home; and folders that refuse writes and a disk that fills
// up, where each item that cannot be made or removed comes back as an error
// naming its file and what was there before is left whole.
#include "ShortcutFixture.h"
#include "platform/PropertyList.h"

#include <QFileInfo>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

const ShortcutTarget kCloud = ShortcutTarget::withAccess(
    QStringLiteral("87654321"), QStringLiteral("JP"), QStringLiteral("portal.lab.example"));

int ourBookmarks(const QString &file)
{
    const QString children = QStringLiteral("Children");
    const QVariantList bar
        = PropertyList::readFile(file).value.toMap().value(children).toList().value(1).toMap().value(children).toList();
    return int(std::count_if(bar.cbegin(), bar.cend(), [](const QVariant &e) {
        return e.toMap().value(QStringLiteral("WebBookmarkUUID")).toString().contains(QLatin1String("VEXOR540"));
    }));
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

    QString original() { return ShortcutFixture::original(m_originals, QStringLiteral("binary")); }

private slots:
    void withoutCloudTheLastOfOurBookmarksGoes()
    {
        ShortcutFixture f;
        QVERIFY(f.placeBookmarks(original()));
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
        for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
            exec = line.startsWith(QLatin1String("Exec=")) ? line.mid(5) : exec;
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
        QVERIFY(f.placeBookmarks(original()));
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

    // Runs side by side, as in a batch, replace their items at the same moment,
    // round after round: every entry stays, and the runs without cloud access,
    // which all make the same items, stand in no one's way.
    void sideBySideRunsLoseNothing()
    {
        ShortcutFixture withBookmarks;
        ShortcutFixture shared;
        QVERIFY(QDir().mkpath(QFileInfo(withBookmarks.bookmarks()).path()));
        QFile file(withBookmarks.bookmarks());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<plist><dict><key>Children</key><array><dict/><dict><key>Children</key><array/></dict></array>"
                   "</dict></plist>");
        file.close();
        constexpr int kCloudRuns = 10;
        constexpr int kRuns = kCloudRuns + 3;
        const ShortcutItems cloudItems = withBookmarks.items();
        const ShortcutItems sharedItems = shared.items();
        for (int round = 0; round < 4; ++round) {
            std::vector<ShortcutErrors> errors(kRuns);
            std::vector<std::thread> runs;
            for (int i = 0; i < kRuns; ++i) {
                runs.emplace_back([&, i] {
                    errors[size_t(i)] = i < kCloudRuns
                        ? cloudItems.replace(ShortcutTarget::withAccess(
                            QString::number(20000000 + i), QStringLiteral("EN"), QStringLiteral("portal.lab.example")))
                        : sharedItems.replace(ShortcutTarget::withoutAccess(QString()));
                });
            }
            for (std::thread &run : runs)
                run.join();
            for (const ShortcutErrors &e : errors) {
                for (const ShortcutError &error : e)
                    QFAIL(qPrintable(error.path + QStringLiteral(": ") + error.reason));
            }
            QCOMPARE(ourBookmarks(withBookmarks.bookmarks()), kCloudRuns);
        }
        QVERIFY(plistcheck({QStringLiteral("reads"), withBookmarks.bookmarks()}));
    }

    void fullDiskIsReported()
    {
        ShortcutFixture f(QStringLiteral("home"), 64 * 1024);
        QVERIFY(f.placeBookmarks(original()));
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
        QVERIFY(QDir(f.folders.desktop).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        QVERIFY(QFileInfo::exists(p.propertyList));
        QVERIFY(plistcheck({QStringLiteral("same"), original(), p.bookmarks}));
    }
};

QTEST_GUILESS_MAIN(TestShortcutItems)
#include "tst_shortcutitems.moc"
