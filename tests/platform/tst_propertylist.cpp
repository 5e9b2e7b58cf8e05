// Property lists against parsers we did not write (plistlib, plistutil) both
// ways; malformed input refused in bounded time; and a writer killed with
// SIGKILL mid-write leaves the old file or the new one, never a mix.
#include "BinaryPlistBuilder.h"
#include "PlistTools.h"
#include "platform/PropertyList.h"
#include "tests/support/DataRows.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>

namespace {

QByteArray ascii(const QByteArray &s)
{
    return char(0x50 | s.size()) + s;
}

QByteArray array(const QList<int> &refs)
{
    QByteArray o = BinaryPlistBuilder::container(0xA, quint64(refs.size()));
    for (int r : refs)
        o += char(r);
    return o;
}

// A binary list of `values` values in all, the root included, from a few
// shared objects: 1023 references to an array of 1023 strings (1024 values
// each), the rest references to one string.
QByteArray binaryValues(qint64 values)
{
    BinaryPlistBuilder b;
    const int rest = int(values - 1 - 1023 * 1024);
    b.objects = {array(QList<int>(1023, 1) + QList<int>(rest, 2)), array(QList<int>(1023, 2)), ascii("v")};
    return b.build();
}

// A string inside `levels` arrays: the string at depth `levels`, the root at 0.
QByteArray binaryNested(int levels)
{
    BinaryPlistBuilder b;
    for (int level = 0; level < levels; ++level)
        b.objects.append(QByteArray(1, char(0xA1)) + BinaryPlistBuilder::be(quint64(level + 1), 2));
    b.objects.append(ascii("end"));
    b.refSize = 2;
    return b.build();
}

QVariant nested(int levels)
{
    QVariant v = QStringLiteral("end");
    for (int level = 0; level < levels; ++level)
        v = QVariantList {v};
    return v;
}

} // namespace

class TestPropertyList : public QObject
{
    Q_OBJECT

private slots:
    void plistlibFilesComeBackEqual_data() { rows<QString>({"format"}, {{"binary", "binary"}, {"xml", "xml"}}); }
    void plistlibFilesComeBackEqual()
    {
        QFETCH(QString, format);
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in.plist"));
        const QString out = dir.filePath(QStringLiteral("out.plist"));
        QVERIFY(plistcheck({QStringLiteral("sample"), in, format, QStringLiteral("400")}));
        const PropertyList::Parsed parsed = PropertyList::readFile(in);
        QVERIFY2(parsed.ok(), qPrintable(parsed.error));
        QCOMPARE(parsed.value.toMap().value(QStringLiteral("entries")).toList().size(), 400);
        QCOMPARE(PropertyList::writeFile(out, parsed.value), QString());
        QVERIFY(plistcheck({QStringLiteral("same"), in, out}));
        QVERIFY(plistutilReads(out));
    }

    void badValuesAreNotWritten_data()
    {
        rows<QVariant>({"value"},
            {{"control character", QVariantMap {{QStringLiteral("k"), QStringLiteral("a\x01")}}},
                {"lone surrogate", QVariantList {QString(QChar(0xD800))}}, {"null", QVariant()}});
    }

    void badValuesAreNotWritten()
    {
        QFETCH(QVariant, value);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kept.plist"));
        QCOMPARE(PropertyList::writeFile(path, QVariantList {QStringLiteral("old")}), QString());
        QVERIFY(!PropertyList::writeFile(path, value).isEmpty());
        QCOMPARE(PropertyList::readFile(path).value, QVariant(QVariantList {QStringLiteral("old")}));
    }

    void malformedInputIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        using B = BinaryPlistBuilder;
        auto file = [](QList<QByteArray> objects) {
            B b;
            b.objects = std::move(objects);
            return b;
        };

        QTest::newRow("empty") << QByteArray();
        QTest::newRow("garbage") << QByteArray("\x89PNG\r\n\x1a\n", 8);
        QTest::newRow("bplist header only") << QByteArray("bplist00");
        QTest::newRow("other version") << file({ascii("x")}).build().replace(0, 8, "bplist17");
        QTest::newRow("array contains itself") << file({array({0})}).build();
        QTest::newRow("reference past the objects") << file({array({5})}).build();
        QTest::newRow("uid") << file({QByteArray("\x80\x01", 2)}).build();
        QTest::newRow("integer key") << file({QByteArray("\xD1\x01\x01", 3), QByteArray("\x10\x07", 2)}).build();
        QTest::newRow("string past the end") << file({QByteArray("\x5F\x10\x7F", 3) + "short"}).build();
        QTest::newRow("huge dict count") << file({B::container(0xD, ~quint64(0) / 2 + 1) + "\x00\x00"}).build();
        QTest::newRow("count marker not an integer") << file({QByteArray("\xAF\x5F", 2)}).build();
        QTest::newRow("date not finite") << file({QByteArray("\x33\x7F\xF0\0\0\0\0\0\0", 9)}).build();
        B pastTheFile = file({ascii("x")}), pastTheCount = pastTheFile;
        pastTheFile.objectCount = qint64(1) << 40;
        pastTheCount.top = 3;
        QTest::newRow("object count past the file") << pastTheFile.build();
        QTest::newRow("top object past the count") << pastTheCount.build();
        {
            QByteArray bytes = file({ascii("x")}).build();
            bytes[8 + 2] = char(0xFF); // the object's offset points into the trailer
            bytes[8 + 3] = char(0xF0);
            QTest::newRow("offset outside the objects") << bytes;
        }
        const QByteArray good
            = file({array({1, 2}), ascii("a"), QByteArray("\x23", 1) + B::be(0x3FF0000000000000, 8)}).build();
        for (int cut : {20, int(good.size()) - 1})
            QTest::addRow("binary cut at %d", cut) << good.left(cut);

        const QByteArray head("<?xml version=\"1.0\"?><plist version=\"1.0\">");
        QTest::newRow("xml cut") << head + "<dict><key>a</key><string>b</str";
        QTest::newRow("unknown element") << head + "<blob>1</blob></plist>";
        QTest::newRow("value without key") << head + "<dict><string>a</string></dict></plist>";
        QTest::newRow("no value") << head + "</plist>";
        QTest::newRow("integer with letters") << head + "<integer>12a</integer></plist>";
        QTest::newRow("integer too large") << head + "<integer>18446744073709551616</integer></plist>";
        QTest::newRow("real with letters") << head + "<real>1.5x</real></plist>";
        QTest::newRow("no 13th month") << head + "<date>2020-13-01T00:00:00Z</date></plist>";
        QTest::newRow("data not base64") << head + "<data>@@@@</data></plist>";
        QByteArray entities("<?xml version=\"1.0\"?><!DOCTYPE plist [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaa\">");
        for (char e = 'b'; e <= 'e'; ++e)
            entities += "<!ENTITY " + QByteArray(1, e) + " \""
                + QByteArray("&" + QByteArray(1, e - 1) + ";").repeated(16) + "\">";
        QTest::newRow("entity expansion") << entities + "]><plist><string>&e;&e;&e;&e;&e;&e;&e;&e;</string></plist>";
    }

    void malformedInputIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QElapsedTimer clock;
        clock.start();
        const PropertyList::Parsed parsed = PropertyList::parse(bytes);
        QVERIFY2(!parsed.ok(), qPrintable(QStringLiteral("read as %1").arg(parsed.value.typeName())));
        QVERIFY(!parsed.value.isValid());
        QVERIFY2(clock.elapsed() < 5000, "bounded work");
    }

    // Each bound holds at its value and gives way one past it, in both forms.
    void boundsHoldAtTheirEdges_data()
    {
        // The bounds as promised, not as the header says: a loosened bound must fail here.
        constexpr qint64 values = 1 << 20;
        constexpr int depth = 512;
        const QByteArray head("<plist version=\"1.0\">");
        const auto xmlValues = [&head](qint64 n) {
            return head + "<array>" + QByteArray("<true/>").repeated(n - 1) + "</array></plist>";
        };
        const auto xmlNested = [&head](int n) {
            return head + QByteArray("<array>").repeated(n) + "<true/>" + QByteArray("</array>").repeated(n)
                + "</plist>";
        };
        rows<QByteArray, bool>({"bytes", "read"},
            {{"binary: 2^20 values", binaryValues(values), true},
                {"binary: 2^20 + 1 values", binaryValues(values + 1), false},
                {"xml: 2^20 values", xmlValues(values), true}, {"xml: 2^20 + 1 values", xmlValues(values + 1), false},
                {"binary: 512 levels", binaryNested(depth), true},
                {"binary: 513 levels", binaryNested(depth + 1), false}, {"xml: 512 levels", xmlNested(depth), true},
                {"xml: 513 levels", xmlNested(depth + 1), false}});
    }

    void boundsHoldAtTheirEdges()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, read);
        const PropertyList::Parsed parsed = PropertyList::parse(bytes);
        QVERIFY2(parsed.ok() == read, qPrintable(parsed.error));
    }

    // The writer nests as deep as the readers read, and no deeper.
    void writerDepthEdge()
    {
        QByteArray xml;
        QCOMPARE(PropertyList::toXml(nested(512), &xml), QString());
        QCOMPARE(PropertyList::parse(xml).value, nested(512));
        QVERIFY(!PropertyList::toXml(nested(513), &xml).isEmpty());
    }

    void wellFormedEdgesAreRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QVariant>("value");
        const QByteArray head("<plist version=\"1.0\">");
        QTest::newRow("hex integer") << head + "<integer> 0x1F </integer></plist>" << QVariant(qlonglong(31));
        QTest::newRow("year only") << head + "<date>2020Z</date></plist>"
                                   << QVariant(QDateTime(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC));
        QTest::newRow("bare dict root") << QByteArray("<dict><key>a</key><true/></dict>")
                                        << QVariant(QVariantMap {{QStringLiteral("a"), true}});
        QTest::newRow("entities and comments") << head + "<!-- c --><string>&lt;&amp;&#13;&#x1F600;</string></plist>"
                                               << QVariant(QStringLiteral("<&\r\U0001F600"));
        BinaryPlistBuilder shared;
        shared.objects = {array({1, 1, 1}), ascii("same")};
        QTest::newRow("binary shared string") << shared.build() << QVariant(QVariantList(3, QStringLiteral("same")));
        BinaryPlistBuilder utf16;
        utf16.objects = {QByteArray("\x62\xD8\x3D\xDE\x00", 5)};
        QTest::newRow("binary utf-16") << utf16.build() << QVariant(QStringLiteral("\U0001F600"));
    }

    void wellFormedEdgesAreRead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QVariant, value);
        const PropertyList::Parsed parsed = PropertyList::parse(bytes);
        QVERIFY2(parsed.ok(), qPrintable(parsed.error));
        QCOMPARE(parsed.value, value);
    }

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
        QVERIFY2(killedMidWrite > rounds / 2, qPrintable(QString::number(killedMidWrite)));
    }
};

QTEST_GUILESS_MAIN(TestPropertyList)
#include "tst_propertylist.moc"
