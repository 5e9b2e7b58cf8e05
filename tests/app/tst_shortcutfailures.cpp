// Folders that refuse writes and a disk that fills up: each item that cannot
// be made or removed comes back as an error naming its file, and what was
// there before is left whole.
#include "ShortcutFixture.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const ShortcutTarget kCloud = ShortcutTarget::withAccess(
    QStringLiteral("87654321"), QStringLiteral("EN"), QStringLiteral("portal.lab.example"));

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

class TestShortcutFailures : public QObject
{
    Q_OBJECT

    QTemporaryDir m_originals;
    QString m_original;

private slots:
    void initTestCase()
    {
        m_original = m_originals.filePath(QStringLiteral("Bookmarks.plist"));
        QVERIFY(plistcheck({QStringLiteral("bookmarks"), m_original, QStringLiteral("binary")}));
    }

    void readOnlyFoldersAreReported()
    {
        ShortcutFixture f;
        QVERIFY(f.placeBookmarks(m_original));
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
        QVERIFY(f.placeBookmarks(m_original));
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
        QVERIFY(QDir(f.folders.desktop).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
        QVERIFY(QFileInfo::exists(p.propertyList));
        QVERIFY(plistcheck({QStringLiteral("same"), m_original, p.bookmarks}));
    }
};

QTEST_GUILESS_MAIN(TestShortcutFailures)
#include "tst_shortcutfailures.moc"
