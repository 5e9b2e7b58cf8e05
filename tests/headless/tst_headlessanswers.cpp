#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The headless mode's command line: bad answers files are refused with exit
// code 2 and a clear message before anything runs.
class HeadlessAnswersTest : public QObject
{
    Q_OBJECT

private slots:
    void refusesBadAnswers_data();
    void refusesBadAnswers();
    void everyMistakeIsReported();
    void missingFileIsReported();
    void helpListsTheModes();

private:
    struct Result
    {
        int exitCode;
        QString out;
        QString err;
    };
    Result run(const QStringList &args);
    QString wizard() const { return qEnvironmentVariable("NVR_BUILD_DIR") + QStringLiteral("/bin/nvrwizard"); }
    QTemporaryDir m_dir;
};

HeadlessAnswersTest::Result HeadlessAnswersTest::run(const QStringList &args)
{
    QProcess p;
    p.start(wizard(), args);
    if (!p.waitForFinished(30000)) {
        p.kill();
        return {-1, {}, QStringLiteral("timed out")};
    }
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

void HeadlessAnswersTest::refusesBadAnswers_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("not json") << QByteArray("{\"language\": ") << QStringLiteral("is not valid JSON");
    // A missing comma, found at the next key: its line, and its column in
    // characters (the "\u00fc" before it takes two bytes).
    QTest::newRow("syntax error by line and column")
        << QByteArray("{\n  \"language\": \"EN\",\n  \"timeZone\": {\"zone\": \"Z\xc3\xbcrich\"} \"hdd\": {}\n}")
        << QStringLiteral("at line 3, column 35");
    QTest::newRow("array") << QByteArray("[]") << QStringLiteral("must hold one JSON object");
    QTest::newRow("unknown language") << QByteArray(R"({"language": "Klingon"})")
                                      << QStringLiteral("unknown language \"Klingon\"");
    QTest::newRow("language not text") << QByteArray(R"({"language": 3})") << QStringLiteral("unknown language");
    QTest::newRow("unknown section")
        << QByteArray(R"({"instal": {}})")
        << QStringLiteral("unknown section \"instal\" (known: hdd, install, language, nimbora, password, searchCAM, "
                          "searchNVR, summary, timeoutSeconds, timeZone, welcome)");
    QTest::newRow("section not object") << QByteArray(R"({"install": []})")
                                        << QStringLiteral("section \"install\" must be an object");
    QTest::newRow("unknown action") << QByteArray(R"({"install": {"actions": ["next", "jump"]}})")
                                    << QStringLiteral("unknown action jump");
    QTest::newRow("password not text") << QByteArray(R"({"password": {"password": 5}})")
                                       << QStringLiteral("\"password\" must be a text that is not empty");
    QTest::newRow("reset without user") << QByteArray(R"({"password": {"reset": {"password": "x"}}})")
                                        << QStringLiteral("\"reset\" must hold the texts");
    QTest::newRow("time zone not text") << QByteArray(R"({"timeZone": {"zone": 8}})")
                                        << QStringLiteral("section \"timeZone\": \"zone\" must be");
    QTest::newRow("time zone blank") << QByteArray(R"({"timeZone": {"zone": "  "}})")
                                     << QStringLiteral("section \"timeZone\": \"zone\" must be");
    QTest::newRow("time zone action") << QByteArray(R"({"timeZone": {"actions": ["skip"]}})")
                                      << QStringLiteral("unknown action skip");
    QTest::newRow("bay that does not exist")
        << QByteArray(R"({"hdd": {"format": [1, 3]}})") << QStringLiteral("\"format\" must list bay numbers, 1 or 2");
    QTest::newRow("cameras not a list") << QByteArray(R"({"searchCAM": {"cameras": {"camera": 1}}})")
                                        << QStringLiteral("section \"searchCAM\": \"cameras\" must be a list");
    QTest::newRow("camera not named") << QByteArray(R"({"searchCAM": {"cameras": [{"password": "x"}]}})")
                                      << QStringLiteral("must name its \"camera\"");
    QTest::newRow("camera row zero") << QByteArray(R"({"searchCAM": {"cameras": [{"camera": 0}]}})")
                                     << QStringLiteral("must name its \"camera\"");
    QTest::newRow("camera password not text")
        << QByteArray(R"({"searchCAM": {"cameras": [{"camera": 1, "password": 12345678}]}})")
        << QStringLiteral("a camera's \"password\" must be a text");
    QTest::newRow("ten cameras") << QByteArray(R"({"searchCAM": {"cameras": [{"camera": 1}, {"camera": 2},
        {"camera": 3}, {"camera": 4}, {"camera": 5}, {"camera": 6}, {"camera": 7}, {"camera": 8}, {"camera": 9},
        {"camera": 10}]}})") << QStringLiteral("at most nine cameras");
    // A misspelt key would otherwise take the default: for the cameras, none.
    QTest::newRow("misspelt key in a section")
        << QByteArray(R"({"searchCAM": {"camera": [{"camera": 1}]}})")
        << QStringLiteral("section \"searchCAM\": unknown key \"camera\" (known: actions, cameras, rescan)");
    QTest::newRow("key in a section without answers") << QByteArray(R"({"summary": {"actions": []}})")
                                                      << QStringLiteral("section \"summary\": unknown key \"actions\"");
    QTest::newRow("rescan not a flag") << QByteArray(R"({"searchCAM": {"rescan": "yes"}})")
                                       << QStringLiteral("\"rescan\" must be true or false");
    QTest::newRow("unknown cloud account") << QByteArray(R"({"nimbora": {"account": "maybe"}})")
                                           << QStringLiteral("\"account\" must be \"existing\", \"new\" or \"skip\"");
    QTest::newRow("cloud account without password")
        << QByteArray(R"({"nimbora": {"account": "existing", "email": "a@b.example"}})")
        << QStringLiteral("\"account\": \"existing\" needs \"email\" and \"password\"");
    QTest::newRow("terms not a flag") << QByteArray(R"({"nimbora": {"acceptTerms": "yes"}})")
                                      << QStringLiteral("\"acceptTerms\" must be true or false");
    QTest::newRow("bad timeout") << QByteArray(R"({"timeoutSeconds": -5})")
                                 << QStringLiteral("\"timeoutSeconds\" must be a positive number");
    QTest::newRow("timeout beyond a day")
        << QByteArray(R"({"timeoutSeconds": 2147484})") << QStringLiteral("whole seconds, at most 86400");
    QTest::newRow("timeout not whole") << QByteArray(R"({"timeoutSeconds": 0.5})")
                                       << QStringLiteral("whole seconds, at most 86400");
}

void HeadlessAnswersTest::refusesBadAnswers()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString path = m_dir.filePath(QStringLiteral("answers.json"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();

    const Result r = run({QStringLiteral("--headless"), path});
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
}

void HeadlessAnswersTest::everyMistakeIsReported()
{
    const QString path = m_dir.filePath(QStringLiteral("answers.json"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(R"({"language": "Klingon", "instal": {}, "timeoutSeconds": 0,
                  "password": {"password": 5, "newPassword": "", "actions": ["next", "jump"]},
                  "hdd": {"format": [3], "actions": ["fly"]}})");
    file.close();
    const Result r = run({QStringLiteral("--headless"), path});
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.out.isEmpty());
    const QStringList lines = r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList expected {QStringLiteral("unknown language \"Klingon\""),
        QStringLiteral("unknown section \"instal\""), QStringLiteral("\"timeoutSeconds\" must be"),
        QStringLiteral("section \"password\": \"password\" must be"),
        QStringLiteral("section \"password\": \"newPassword\" must be"),
        QStringLiteral("section \"password\": unknown action jump"),
        QStringLiteral("section \"hdd\": \"format\" must list"), QStringLiteral("section \"hdd\": unknown action fly")};
    QCOMPARE(lines.size(), expected.size());
    for (const QString &mistake : expected) {
        QVERIFY2(lines.filter(mistake).size() == 1, qPrintable(mistake + QStringLiteral(" in:\n") + r.err));
        QVERIFY2(lines.filter(mistake).constFirst().startsWith(QStringLiteral("nvrwizard: ")), qPrintable(r.err));
    }
}

void HeadlessAnswersTest::missingFileIsReported()
{
    const Result r = run({QStringLiteral("--headless"), m_dir.filePath(QStringLiteral("nope.json"))});
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(QStringLiteral("cannot read the answers file")), qPrintable(r.err));
    QCOMPARE(run({QStringLiteral("--headless")}).exitCode, 2);
}

void HeadlessAnswersTest::helpListsTheModes()
{
    const Result r = run({QStringLiteral("--help")});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.contains(QStringLiteral("--headless ANSWERS.json")));
    QCOMPARE(run({QStringLiteral("--no-such-mode")}).exitCode, 2);
}

QTEST_GUILESS_MAIN(HeadlessAnswersTest)
#include "tst_headlessanswers.moc"
