// A writer killed with SIGKILL in the middle of a write leaves the old file or
// the new one, never a mix: each time the file parses, in our reader and in
// plistlib.
#include "PlistTools.h"
#include "platform/PropertyList.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>

class TestPlistAtomicWrite : public QObject
{
    Q_OBJECT

private slots:
    void killedWriterLeavesAWholeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Bookmarks.plist"));
        const QString writer = qEnvironmentVariable("NVR_BUILD_DIR") + QStringLiteral("/bin/plistwriter");
        constexpr int entries = 800;
        constexpr int rounds = 20;
        int killedMidWrite = 0;
        QStringList snapshots;
        for (int round = 0; round < rounds; ++round) {
            QProcess p;
            p.start(writer, {path, QString::number(entries)});
            QVERIFY(p.waitForStarted());
            // Let a few writes finish, then kill at a random moment of the next.
            const int writes = 1 + QRandomGenerator::global()->bounded(3);
            int done = 0;
            QByteArray line;
            while (done < writes || line != "begin") {
                if (!p.canReadLine())
                    QVERIFY2(p.waitForReadyRead(10000), "writer stopped writing");
                line = p.readLine().trimmed();
                done += line == "done";
            }
            QThread::usleep(QRandomGenerator::global()->bounded(4000));
            ::kill(pid_t(p.processId()), SIGKILL);
            QVERIFY(p.waitForFinished());
            // The writer loops, so the kill was inside a write when its last word is "begin".
            killedMidWrite += (line + p.readAll()).trimmed().endsWith("begin");

            const PropertyList::Parsed parsed = PropertyList::readFile(path);
            QVERIFY2(parsed.ok(), qPrintable(parsed.error));
            QCOMPARE(parsed.value.toList().size(), entries);
            snapshots.append(dir.filePath(QStringLiteral("after-kill-%1.plist").arg(round)));
            QVERIFY(QFile::copy(path, snapshots.last()));
        }
        QVERIFY(plistcheck(QStringList {QStringLiteral("reads")} + snapshots));
        // Most kills must have landed inside a write, or the test proves nothing.
        qInfo() << killedMidWrite << "of" << rounds << "kills inside a write";
        QVERIFY2(killedMidWrite > rounds / 2, qPrintable(QString::number(killedMidWrite)));
    }
};

QTEST_GUILESS_MAIN(TestPlistAtomicWrite)
#include "tst_plistatomicwrite.moc"
