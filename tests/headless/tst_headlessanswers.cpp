#include "EmptyNetwork.h"
#include "HeadlessRun.h"
#include "tests/support/DataRows.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

// The headless and batch modes' command lines: bad answers files, plans and
// options are refused with exit code 2 and a clear message before anything runs.
class HeadlessAnswersTest : public QObject
{
    Q_OBJECT

private slots:
    void refusesBadAnswersAndPlans_data();
    void refusesBadAnswersAndPlans();
    void everyMistakeIsReported();
    void aDayIsTheLongestTimeout_data();
    void aDayIsTheLongestTimeout();
    void aPageIsShownFiftyTimesAtMost();
    void missingFileIsReported();
    void refusesBadOptions_data();
    void refusesBadOptions();
    void helpListsTheModes();

private:
    HeadlessRun runAnswers(const QByteArray &content, const QStringList &mode = {QStringLiteral("--headless")})
    {
        QFile file(m_dir.filePath(QStringLiteral("answers.json")));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
            return {};
        file.close();
        return HeadlessRun::command(mode + QStringList {file.fileName()});
    }
    QTemporaryDir m_dir;
};

void HeadlessAnswersTest::refusesBadAnswersAndPlans_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    // A syntax error by its line and column in characters (the "\u00fc" takes two bytes).
    const char *const answers[][3] = {{"not json", "{\"language\": ", "is not valid JSON"},
        {"syntax error by line and column",
            "{\n  \"language\": \"EN\",\n  \"timeZone\": {\"zone\": \"Z\xc3\xbcrich\"} \"hdd\": {}\n}",
            "at line 3, column 35"},
        {"array", "[]", "must hold one JSON object"}, {"language not text", R"({"language": 3})", "unknown language"},
        {"unknown section", R"({"instal": {}})",
            "unknown section \"instal\" (known: hdd, install, language, nimbora, password, searchCAM, searchNVR, "
            "summary, timeoutSeconds, timeZone, welcome)"},
        {"section not object", R"({"install": []})", "section \"install\" must be an object"},
        {"reset without user", R"({"password": {"reset": {"password": "x"}}})", "\"reset\" must hold the texts"},
        {"reset with an unknown key", R"({"password": {"reset": {"user": "a", "password": "x", "pasword": "y"}}})",
            "and nothing else"},
        {"time zone not text", R"({"timeZone": {"zone": 8}})", "section \"timeZone\": \"zone\" must be"},
        {"time zone blank", R"({"timeZone": {"zone": "  "}})", "section \"timeZone\": \"zone\" must be"},
        {"time zone action", R"({"timeZone": {"actions": ["skip"]}})", "unknown action skip"},
        {"bay that does not exist", R"({"hdd": {"format": [1, 3]}})", "\"format\" must list bay numbers, 1 or 2"},
        {"erase not a list", R"({"hdd": {"erase": 1}})", "\"erase\" must list bay numbers, 1 or 2"},
        {"cameras not a list", R"({"searchCAM": {"cameras": {"camera": 1}}})",
            "section \"searchCAM\": \"cameras\" must be a list"},
        {"camera not named", R"({"searchCAM": {"cameras": [{"password": "x"}]}})", "must name its \"camera\""},
        {"camera row zero", R"({"searchCAM": {"cameras": [{"camera": 0}]}})", "must name its \"camera\""},
        {"camera password not text", R"({"searchCAM": {"cameras": [{"camera": 1, "password": 12345678}]}})",
            "a camera's \"password\" must be a text"},
        {"ten cameras", R"({"searchCAM": {"cameras": [{"camera": 1}, {"camera": 2}, {"camera": 3}, {"camera": 4},
            {"camera": 5}, {"camera": 6}, {"camera": 7}, {"camera": 8}, {"camera": 9}, {"camera": 10}]}})",
            "at most nine cameras"},
        // A misspelt key would otherwise take the default: for the cameras, none.
        {"misspelt key in a section", R"({"searchCAM": {"camera": [{"camera": 1}]}})",
            "section \"searchCAM\": unknown key \"camera\" (known: actions, cameras, password, rescan)"},
        {"key in a section without answers", R"({"summary": {"actions": []}})",
            "section \"summary\": unknown key \"actions\""},
        {"rescan not a flag", R"({"searchCAM": {"rescan": "yes"}})", "\"rescan\" must be true or false"},
        {"unknown cloud account", R"({"nimbora": {"account": "maybe"}})",
            "\"account\" must be \"existing\", \"new\" or \"skip\""},
        {"cloud account without password", R"({"nimbora": {"account": "existing", "email": "a@b.example"}})",
            "\"account\": \"existing\" needs \"email\" and \"password\""},
        {"terms not a flag", R"({"nimbora": {"acceptTerms": "yes"}})", "\"acceptTerms\" must be true or false"},
        {"timeout not whole", R"({"timeoutSeconds": 0.5})", "whole seconds, at most 86400"},
        {"report folder missing", R"({"summary": {"report": "/nonexistent/report.pdf"}})",
            "section \"summary\": \"report\": the folder /nonexistent does not exist"}};
    const char *const plans[][3] = {{"not json", "{\"recorders\": [", "the batch plan"},
        {"unknown key", R"({"recorder": [{"mac": "00:1c:27:00:00:01"}]})",
            "the plan: unknown key \"recorder\" (known: answers, jobs, recorders)"},
        {"no recorders", R"({"answers": {}, "recorders": []})", "\"recorders\" must be a list of at least one"},
        {"jobs", R"({"jobs": 2.5, "recorders": [{"mac": "00:1c:27:00:00:01"}]})", "\"jobs\" must be a whole number"},
        {"shared answers", R"({"answers": {"hdd": {"format": [3]}}, "recorders": [{"mac": "00:1c:27:00:00:01"}]})",
            "answers: section \"hdd\": \"format\" must list"},
        {"shared report file",
            R"({"answers": {"summary": {"report": "a.pdf"}}, "recorders": [{"mac": "00:1c:27:00:00:01"}]})",
            "in a batch \"report\" names a folder"},
        {"shared report folder missing",
            R"({"answers": {"summary": {"report": "/nonexistent/"}}, "recorders": [{"mac": "00:1c:27:00:00:01"}]})",
            "answers: section \"summary\": \"report\": the folder /nonexistent/ does not exist"},
        {"shared recorder pick",
            R"({"answers": {"searchNVR": {"recorder": 1}}, "recorders": [{"mac": "00:1c:27:00:00:01"}]})",
            "\"recorder\" is taken from each recorder's \"mac\""},
        {"bad mac", R"({"recorders": [{"mac": "00:1c:27:00:01"}]})", "recorder 1 (00:1c:27:00:01): \"mac\" must be"},
        {"mac twice", R"({"recorders": [{"mac": "00:1c:27:00:00:0a"}, {"mac": "00:1C:27:00:00:0A"}]})",
            "recorder 2 (00:1C:27:00:00:0A): the MAC address is listed twice"},
        {"unknown recorder key", R"({"recorders": [{"mac": "00:1c:27:00:00:01", "disks": {}}]})",
            "unknown key \"disks\" (known: hdd, mac, nimbora, password, searchCAM, timeZone)"},
        {"override mistake", R"({"recorders": [{"mac": "00:1c:27:00:00:01", "timeZone": {"zone": 8}}]})",
            "recorder 1 (00:1c:27:00:00:01): section \"timeZone\": \"zone\" must be"},
        {"override merged",
            R"({"answers": {"nimbora": {"account": "existing", "email": "a@b.example", "password": "x"}},
            "recorders": [{"mac": "00:1c:27:00:00:01", "nimbora": {"password": ""}}]})",
            "section \"nimbora\": \"account\": \"existing\" needs"}};
    for (const auto &row : answers)
        QTest::addRow("answers: %s", row[0])
            << QStringLiteral("--headless") << QByteArray(row[1]) << QString::fromUtf8(row[2]);
    for (const auto &row : plans)
        QTest::addRow("plan: %s", row[0])
            << QStringLiteral("--batch") << QByteArray(row[1]) << QString::fromUtf8(row[2]);
}

void HeadlessAnswersTest::refusesBadAnswersAndPlans()
{
    QFETCH(QString, mode);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const HeadlessRun r = runAnswers(content, {mode});
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.errors.contains(message), qPrintable(r.errors));
    QVERIFY(r.summary.isEmpty());
}

void HeadlessAnswersTest::everyMistakeIsReported()
{
    const HeadlessRun r = runAnswers(R"({"language": "Klingon", "instal": {}, "timeoutSeconds": 0,
                  "password": {"password": 5, "newPassword": "", "actions": ["next", "jump"]},
                  "hdd": {"format": [3], "actions": ["fly"]}})");
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.summary.isEmpty());
    const QStringList lines = r.errors.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList expected {QStringLiteral("unknown language \"Klingon\""),
        QStringLiteral("unknown section \"instal\""), QStringLiteral("\"timeoutSeconds\" must be"),
        QStringLiteral("section \"password\": \"password\" must be"),
        QStringLiteral("section \"password\": \"newPassword\" must be"),
        QStringLiteral("section \"password\": unknown action jump"),
        QStringLiteral("section \"hdd\": \"format\" must list"), QStringLiteral("section \"hdd\": unknown action fly")};
    QCOMPARE(lines.size(), expected.size());
    for (const QString &mistake : expected) {
        QVERIFY2(lines.filter(mistake).size() == 1, qPrintable(mistake + QStringLiteral(" in:\n") + r.errors));
        QVERIFY2(lines.filter(mistake).constFirst().startsWith(QStringLiteral("nvrwizard: ")), qPrintable(r.errors));
    }
}

void HeadlessAnswersTest::aDayIsTheLongestTimeout_data()
{
    rows<int, bool>({"seconds", "taken"}, {{"86400", 86400, true}, {"86401", 86401, false}});
}

void HeadlessAnswersTest::aDayIsTheLongestTimeout()
{
    QFETCH(int, seconds);
    QFETCH(bool, taken);
    // The unknown language stops the run before anything is sent either way.
    const HeadlessRun r
        = runAnswers(QStringLiteral(R"({"language": "Klingon", "timeoutSeconds": %1})").arg(seconds).toUtf8());
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.errors.contains(QLatin1String("\"timeoutSeconds\" must be")) != taken, qPrintable(r.errors));
}

// Back on the guide's first sub-page shows the welcome page again: shown a
// 50th time the run goes on (to a search that finds nothing, in an empty
// network), a 51st time it ends as going round in circles.
void HeadlessAnswersTest::aPageIsShownFiftyTimesAtMost()
{
    if (EmptyNetwork::rerunCurrentTest())
        return;
    for (const int backs : {49, 50}) {
        QJsonArray actions;
        for (int i = 0; i < backs; ++i)
            actions.append(QStringLiteral("back"));
        const HeadlessRun r = runAnswers(
            QJsonDocument(QJsonObject {{QStringLiteral("install"), QJsonObject {{QStringLiteral("actions"), actions}}}})
                .toJson());
        QCOMPARE(r.exitCode, 1);
        const QJsonObject result = r.summaryJson();
        const bool circling = backs == 50;
        const QString failure = result.value(QLatin1String("failure")).toString();
        QVERIFY2(
            (failure == QLatin1String("the answers keep returning to page welcome")) == circling, qPrintable(failure));
        QCOMPARE(result.value(QLatin1String("pages")).toArray().contains(QStringLiteral("searchNVR")), !circling);
    }
}

void HeadlessAnswersTest::missingFileIsReported()
{
    const HeadlessRun r
        = HeadlessRun::command({QStringLiteral("--headless"), m_dir.filePath(QStringLiteral("nope.json"))});
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.errors.contains(QStringLiteral("cannot read the answers file")), qPrintable(r.errors));
    QCOMPARE(HeadlessRun::command({QStringLiteral("--headless")}).exitCode, 2);
}

// PLAN stands for a plan file whose only mistake is that it names no recorder:
// a refused option is reported instead of it, an accepted one beside it.
void HeadlessAnswersTest::refusesBadOptions_data()
{
    const QByteArray noRecorders = R"({"recorders": []})";
    const QString planMistake = QStringLiteral("\"recorders\" must be a list of at least one");
    const QString jobs = QStringLiteral("--jobs takes a whole number from 1 to 64");
    const auto batch = [](const QStringList &options) {
        return QStringList {QStringLiteral("--batch"), "PLAN"} + options;
    };
    rows<QStringList, QByteArray, QString>({"arguments", "input", "message"},
        {{"--jobs 64", batch({"--jobs", "64"}), {}, planMistake}, {"--jobs 65", batch({"--jobs", "65"}), {}, jobs},
            {"--jobs 0", batch({"--jobs", "0"}), {}, jobs},
            {"table over the plan", batch({"--csv", "PLAN"}), {}, "would replace the plan"},
            {"table in a missing folder", batch({"--csv", "/nonexistent/t.csv"}), {},
                "cannot write the table /nonexistent/t.csv"},
            {"plan on standard input", {"--batch", "-"}, noRecorders.left(5),
                "the batch plan from standard input is not valid JSON"},
            {"answers on standard input", {"--headless", "-"}, "[]", "the answers file from standard input must hold"},
            {"--check with --search", {"--search", "--check"}, {}, "--check does not go with --search"},
            {"two modes", {"--search", "--batch", "PLAN"}, {}, "give one mode"},
            {"a word too many", batch({"more"}), {}, "unexpected argument more"}});
}

void HeadlessAnswersTest::refusesBadOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QString, message);
    QFile plan(m_dir.filePath(QStringLiteral("plan.json")));
    const QByteArray content = R"({"recorders": []})";
    QVERIFY(plan.open(QIODevice::WriteOnly | QIODevice::Truncate) && plan.write(content) == content.size());
    plan.close();
    arguments.replaceInStrings(QStringLiteral("PLAN"), plan.fileName());
    const HeadlessRun r = HeadlessRun::command(arguments, input);
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.errors.contains(message), qPrintable(r.errors));
    QVERIFY(plan.open(QIODevice::ReadOnly));
    QCOMPARE(plan.readAll(), content);
}

void HeadlessAnswersTest::helpListsTheModes()
{
    const HeadlessRun r = HeadlessRun::command({QStringLiteral("--help")});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.summary.contains(QStringLiteral("--headless ANSWERS.json")));
    QCOMPARE(HeadlessRun::command({QStringLiteral("--no-such-mode")}).exitCode, 2);
}

QTEST_GUILESS_MAIN(HeadlessAnswersTest)
#include "tst_headlessanswers.moc"
