#include "tests/support/DataRows.h"
#include "webconfig/CameraEndpoints.h"
#include "webconfig/CloudForms.h"
#include "webconfig/RecordParsers.h"
#include "webconfig/UrlQueryValue.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QUrl>
#include <QtTest>

#include <algorithm>

namespace {

const QString kDiskAnswer = QStringLiteral(
    "storageid=0\r\ntype=sata\r\ndevicename=sda\r\nmodelname=WDC WD10PURX\r\nproduct=WD Purple 1TB\r\n"
    "usedpartition=1\r\npartitions=2\r\npartitioninfo0=953869,1200,952669,950000,1,ext4\r\n"
    "partitioninfo1=100,0,100,90\r\npartitioninfo2=1,1,1,1,1,ext4\r\nplug=1\r\nready=1\r\nend=unread\r\n");

using Pairs = QList<QPair<QString, QString>>;

// What Python's standard form decoder reads from each body or query (one
// interpreter for all: starting one takes long on a busy machine).
QList<Pairs> pythonReads(const QStringList &encoded)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
        {QStringLiteral("-c"),
            QStringLiteral("import json, sys, urllib.parse\n"
                           "print(json.dumps([urllib.parse.parse_qsl(t, keep_blank_values=True)"
                           " for t in json.load(sys.stdin)]))")});
    python.write(QJsonDocument(QJsonArray::fromStringList(encoded)).toJson());
    python.closeWriteChannel();
    QList<Pairs> all;
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        qWarning() << "python3:" << python.readAllStandardError();
        return all;
    }
    for (const QJsonValue &text : QJsonDocument::fromJson(python.readAllStandardOutput()).array()) {
        Pairs pairs;
        for (const QJsonValue &pair : text.toArray())
            pairs.append({pair[0].toString(), pair[1].toString()});
        all.append(pairs);
    }
    return all;
}

QString valueOf(const Pairs &pairs, const QString &key)
{
    const auto it = std::find_if(pairs.begin(), pairs.end(), [&](const auto &pair) { return pair.first == key; });
    return it != pairs.end() ? it->second : QStringLiteral("(missing %1)").arg(key);
}

} // namespace

class TestWebParsers : public QObject
{
    Q_OBJECT

private slots:
    void diskAnswer()
    {
        const auto hdd = RecordParsers::hddInfo(kDiskAnswer);
        QCOMPARE(hdd->storageid(), QStringLiteral("0"));
        QCOMPARE(hdd->modelName(), QStringLiteral("WDC WD10PURX"));
        QCOMPARE(hdd->usedPartition(), QStringLiteral("1"));
        QCOMPARE(hdd->ready(), QStringLiteral("1"));
        QVERIFY(hdd->checked());
        QCOMPARE(hdd->partitionInfos().size(), 2); // only partitioninfo0 and 1
        QCOMPARE(hdd->partitionInfos().at(0).status(), QStringLiteral("1"));
        const TPartition &four = hdd->partitionInfos().at(1);
        QCOMPARE(four.Recordable(), QStringLiteral("90"));
        QVERIFY(!four.status() && !four.fileSystem());
    }

    void emptyBayAndLastLineUnread()
    {
        const auto bay = RecordParsers::hddInfo(QStringLiteral("storageid=1\r\ndevicename=\r\nmodelname=\r\n"
                                                               "partitions=0\r\nplug=0\r\nready=0\r\n"));
        QCOMPARE(bay->deviceName(), QString(""));
        QVERIFY(!bay->checked());
        QVERIFY(bay->partitionInfos().isEmpty());
        QCOMPARE(bay->plug(), QStringLiteral("0"));
        QVERIFY(!bay->ready()); // the line before the last line end is not read
        QVERIFY(!bay->type()); // absent, not empty
    }

    void cloudAccountRecords()
    {
        const auto reg
            = RecordParsers::nimboraRegInfo(QStringLiteral("status=1\r\nemail=a@b.example\r\npassword=\r\n"));
        QCOMPARE(reg->email(), QStringLiteral("a@b.example"));
        QCOMPARE(reg->password(), QString(""));
        const auto refused = RecordParsers::nimboraRegInfo(
            QStringLiteral("<html><title>400 Bad Request</title>\r\nstatus=1\r\nemail=x\r\n"));
        QVERIFY(!refused->status() && !refused->email() && !refused->password());
    }

    void dateAndRecording()
    {
        const auto date = RecordParsers::dateInfo(
            QStringLiteral("date=2026/12/07\r\ntime=05:40:00\r\ntimezone=21\r\ndstauto=1\r\nenddst=10,5,0\r\n"));
        QCOMPARE(date->timezone(), QStringLiteral("20"));
        QCOMPARE(date->enddst(), QStringLiteral("10,5,0"));
        QVERIFY(!date->dstenable());
        QCOMPARE(RecordParsers::dateInfo(QStringLiteral("timezone=1 (GMT)\r\n"))->timezone(), QStringLiteral("0"));
        QCOMPARE(RecordParsers::recordingInfo(QStringLiteral("record=1\r\n"))->record(), QStringLiteral("1"));
        // Like every single-value answer, only the first line is read.
        QCOMPARE(
            RecordParsers::recordingInfo(QStringLiteral("record=0\r\nrecord=1\r\n"))->record(), QStringLiteral("0"));
        QVERIFY(!RecordParsers::recordingInfo(QStringLiteral("status=ok\r\nrecord=1\r\n"))->record());
        QVERIFY(!RecordParsers::recordingInfo(QStringLiteral("record=1"))->record());
    }

    void portalAnswers_data()
    {
        rows<bool, QString, bool, QString>({"add", "answer", "status", "key"},
            {{"signed in", false, "success:ab12cd:extra\r\nmore\r\n", true, "ab12cd"},
                {"success without key", false, "success\r\n", true, QString()},
                {"refused", false, "Wrong e-mail or password\r\nx:y", false, "Wrong e-mail or password"},
                {"added", true, "K54012345:HRX-540A\r\n", true, "K54012345"},
                {"other model", true, "K54012345:HRX-260A\r\n", false, "K54012345:HRX-260A"}});
    }
    void portalAnswers()
    {
        QFETCH(bool, add);
        QFETCH(QString, answer);
        QFETCH(bool, status);
        QFETCH(QString, key);
        const CloudForms::Answer parsed = add ? CloudForms::addAnswer(answer) : CloudForms::signinAnswer(answer);
        QCOMPARE(parsed.status, status);
        QCOMPARE(parsed.key, key);
    }

    void formBodies()
    {
        QCOMPARE(CloudForms::signinBody(QStringLiteral("2.00.01"), QStringLiteral("en"),
                     QStringLiteral("a+b{c}@b.example"), QStringLiteral("p&w=1 %#?!")),
            QStringLiteral("client=wizard&wizard_version=2.00.01&lang=en&email=a%2Bb{c}@b.example"
                           "&password=p%26w%3D1%20%25%23%3F!&\r\n\r\n"));
        QCOMPARE(CloudForms::accountQuery(QStringLiteral("a+b{c}@b.example"), QStringLiteral("\u00e9\t|")),
            QStringLiteral("email=a%2Bb%7Bc%7D@b.example&password=%C3%A9%09%7C&status=1"));
        QCOMPARE(CloudForms::newAccountBody(QStringLiteral("2.00.01"), QStringLiteral("en"),
                     QStringLiteral("a@b.example"), QStringLiteral("p&w=1"), QStringLiteral("p&w=1"),
                     QStringLiteral("Ana Lu"), QStringLiteral("M\u00fcller")),
            QStringLiteral("client=wizard&wizard_version=2.00.01&lang=en&action=sign-up&accept=accept"
                           "&email=a@b.example&password=p%26w%3D1&password_verify=p%26w%3D1"
                           "&name_first=Ana%20Lu&name_last=M%C3%BCller%0D%0A%0D%0A"));
    }

    // Python's decoder reads back exactly what was typed, in each form and in
    // the recorder's query, and the query stays a URL the transport takes.
    void formValuesReadBackAsTyped()
    {
        QString printable;
        for (char16_t c = 0x20; c < 0x7F; ++c)
            printable += QChar(c);
        const QStringList values {QStringLiteral("a+b@example.com"), QStringLiteral("p&ss+%#?=x y"),
            QStringLiteral("%41%2B%"), printable, QStringLiteral("a\tb\r\nc\u0001\u007f"),
            QStringLiteral("S\u00f8hne \u65e5\u672c \U0001F642"), QString()};
        const QString v = QStringLiteral("2.00.01");
        const QString en = QStringLiteral("en");
        QStringList encoded;
        for (const QString &value : values) {
            const QUrl url(QStringLiteral("https://192.0.2.10:443/config/nimborareginfo?")
                    + CloudForms::accountQuery(value, value),
                QUrl::StrictMode);
            QVERIFY2(url.isValid(), qPrintable(url.errorString()));
            encoded << CloudForms::signinBody(v, en, value, value) << CloudForms::addBody(v, en, value, value, value)
                    << QString::fromLatin1(url.query(QUrl::FullyEncoded).toLatin1())
                    << CloudForms::newAccountBody(v, en, value, value, value, value, value);
        }
        const QList<Pairs> read = pythonReads(encoded);
        QCOMPARE(read.size(), encoded.size());
        for (qsizetype i = 0; i < values.size(); ++i) {
            const QString &value = values.at(i);
            const Pairs &signin = read.at(4 * i);
            const Pairs &add = read.at(4 * i + 1);
            const Pairs &account = read.at(4 * i + 2);
            const Pairs &signup = read.at(4 * i + 3);
            QCOMPARE(valueOf(signin, QStringLiteral("client")), QStringLiteral("wizard"));
            QCOMPARE(valueOf(signin, QStringLiteral("email")), value);
            QCOMPARE(valueOf(signin, QStringLiteral("password")), value);
            for (const char *key : {"kelto_no", "device_password", "dfp"})
                QCOMPARE(valueOf(add, QLatin1String(key)), value);
            QCOMPARE(valueOf(account, QStringLiteral("email")), value);
            QCOMPARE(valueOf(account, QStringLiteral("password")), value);
            QCOMPARE(valueOf(account, QStringLiteral("status")), QStringLiteral("1"));
            // The sign-up body keeps its own rule: every value escaped, the
            // closing CR LF pair part of the last one.
            for (const char *key : {"email", "password", "password_verify", "name_first"})
                QCOMPARE(valueOf(signup, QLatin1String(key)), value);
            QCOMPARE(valueOf(signup, QStringLiteral("name_last")), value + QStringLiteral("\r\n\r\n"));
        }
    }

    // A camera's query values, and the new password a 47X camera is sent, read
    // back as typed by the same decoder.
    void cameraQueryValuesReadBackAsTyped()
    {
        const QList<QPair<QString, QString>> rows {{QStringLiteral("ab#cdefg"), QStringLiteral("ab%23cdefg")},
            {QStringLiteral("50%+?&x"), QStringLiteral("50%25%2B%3F%26x")},
            {QStringLiteral("=/:@ kept"), QStringLiteral("=/:@%20kept")},
            {QStringLiteral("Pz8+Pw=="), QStringLiteral("Pz8%2BPw==")},
            {QStringLiteral("a\x01\tb\x7f"), QStringLiteral("a%01%09b%7F")},
            {QStringLiteral("[]'!$*(),;~-._"), QStringLiteral("[]'!$*(),;~-._")},
            {QStringLiteral("\u043f\u0430\u0440\u043e\u043b\u044c"), QString()},
            {QStringLiteral("\"<>\\^`{|}"), QString()}}; // escaped: not checked
        QStringList queries;
        for (const auto &[value, escaped] : rows) {
            const QString query = urlQueryValue(value);
            if (!escaped.isEmpty())
                QCOMPARE(query, escaped);
            queries << QStringLiteral("v=%1&after=1").arg(query);
        }
        TCameraInfo camera;
        camera.setIp(QStringLiteral("192.0.2.100"));
        const QString password = QStringLiteral("Ab#1%2+3?=@x");
        queries << QUrl(CameraEndpoints::setPasswordUrl(camera, password)).query(QUrl::FullyEncoded);
        const QList<Pairs> read = pythonReads(queries);
        QCOMPARE(read.size(), queries.size());
        for (qsizetype i = 0; i < rows.size(); ++i) {
            QCOMPARE(valueOf(read.at(i), QStringLiteral("v")), rows.at(i).first);
            QCOMPARE(valueOf(read.at(i), QStringLiteral("after")), QStringLiteral("1"));
        }
        QCOMPARE(valueOf(read.last(), QStringLiteral("AdminPassword")), password);
        QCOMPARE(valueOf(read.last(), QStringLiteral("AdminID")), QStringLiteral("admin"));
        QCOMPARE(valueOf(read.last(), QStringLiteral("ConfigReboot")), QStringLiteral("No"));
    }
};

QTEST_GUILESS_MAIN(TestWebParsers)
#include "tst_webparsers.moc"
