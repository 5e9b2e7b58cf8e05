#include "app/main/CommandLine.h"

#include "app/batch/BatchMode.h"
#include "app/batch/BatchPlan.h"
#include "app/headless/HeadlessMode.h"
#include "platform/ModelName.h"
#ifdef NVR_WITH_WIDGETS
#include "widgets/WindowMode.h"
#endif

#include <QCommandLineParser>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

const char kCheck[] = "--check";

const char kUsage[] = "Usage: nvrwizard [MODE]\n"
                      "Sets up a HRX-540A network video recorder on this computer's network.\n"
                      "\n"
                      "Modes:\n"
                      "  (none)                  the wizard in a window\n"
                      "  --headless ANSWERS.json walks the wizard with the answers in the file; progress on\n"
                      "                          standard error, a JSON summary on standard output\n"
                      "  --headless ANSWERS.json --check\n"
                      "                          only reads the recorder and says what a run would change\n"
                      "  --batch PLAN.json [--jobs N] [--csv FILE] [--check]\n"
                      "                          sets up the plan's recorders, N at a time (default 4), each\n"
                      "                          by a headless run; a line per recorder and step on standard\n"
                      "                          error, a JSON result on standard output, a CSV table in FILE\n"
                      "  --check                 with --headless or --batch: only reads the recorders and says\n"
                      "                          what a real run would change; changes nothing\n"
                      "                          (\"-\" for ANSWERS.json or PLAN.json: standard input)\n"
                      "  --config CODE --nvr IP --user USER [--password-file FILE] [--lang EN]\n"
                      "                          one read-only recorder command (2 disks, 5 cloud portal,\n"
                      "                          6 cloud account, 8 cameras, 17 date and time, 19 time-zone\n"
                      "                          list); the password from FILE or standard input\n"
                      "  --search                one recorder search as the wizard's first step; one line per\n"
                      "                          recorder: row, IP, MAC, web port, firmware (tab-separated);\n"
                      "                          exit 3 when none answered, 4 on a network error\n"
                      "  --help                  this text\n"
                      "  --version               the program version\n"
                      "\n"
                      "Exit codes: 0 done, 1 the wizard could not finish (--batch: some recorder), 2 bad\n"
                      "arguments, answers or plan, 3 --check: something would change, 130 --batch\n"
                      "interrupted (143 SIGTERM, 129 SIGHUP, 141 SIGPIPE).\n";

int runWindow(int argc, char *argv[])
{
#ifdef NVR_WITH_WIDGETS
    return runWindowMode(argc, argv);
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    std::fputs("nvrwizard: built without the window; use --headless, --search or --config\n", stderr);
    return 2;
#endif
}

int refuse(const QString &message)
{
    std::fprintf(stderr, "nvrwizard: %s\n\n%s", message.toUtf8().constData(), kUsage);
    return 2;
}

QCommandLineOption valued(const QString &name, const QString &valueName)
{
    return QCommandLineOption(name, QString(), valueName);
}

// Every option of every mode; each mode takes its own and refuses the others.
struct CommandOptions
{
    QCommandLineOption help {{QStringLiteral("help"), QStringLiteral("h")}};
    QCommandLineOption version {QStringLiteral("version")};
    QCommandLineOption headless = valued(QStringLiteral("headless"), QStringLiteral("ANSWERS"));
    QCommandLineOption batch = valued(QStringLiteral("batch"), QStringLiteral("PLAN"));
    QCommandLineOption search {QStringLiteral("search")};
    QCommandLineOption config = valued(QStringLiteral("config"), QStringLiteral("CODE"));
    QCommandLineOption check {QStringLiteral("check")};
    QCommandLineOption jobs = valued(QStringLiteral("jobs"), QStringLiteral("N"));
    QCommandLineOption csv = valued(QStringLiteral("csv"), QStringLiteral("FILE"));
    QCommandLineOption nvr = valued(QStringLiteral("nvr"), QStringLiteral("IP"));
    QCommandLineOption user = valued(QStringLiteral("user"), QStringLiteral("USER"));
    QCommandLineOption passwordFile = valued(QStringLiteral("password-file"), QStringLiteral("FILE"));
    QCommandLineOption lang = valued(QStringLiteral("lang"), QStringLiteral("CODE"));

    QList<QCommandLineOption> modes() const { return {help, version, headless, batch, search, config}; }
    QList<QCommandLineOption> all() const
    {
        return modes() + QList<QCommandLineOption> {check, jobs, csv, nvr, user, passwordFile, lang};
    }
    // The options beside the mode that each mode takes.
    QList<QCommandLineOption> extrasOf(const QCommandLineOption &mode) const
    {
        if (mode.names() == headless.names())
            return {check};
        if (mode.names() == batch.names())
            return {check, jobs, csv};
        if (mode.names() == config.names())
            return {nvr, user, passwordFile, lang};
        return {};
    }
};

// The one mode named, or an error text.
QString pickMode(const QCommandLineParser &parser, const CommandOptions &options, QCommandLineOption &mode)
{
    QStringList named;
    for (const QCommandLineOption &candidate : options.modes()) {
        if (parser.isSet(candidate)) {
            mode = candidate;
            named << QStringLiteral("--") + candidate.names().constFirst();
        }
    }
    if (named.isEmpty())
        return QStringLiteral("no mode was given");
    if (named.size() > 1)
        return QStringLiteral("give one mode, not %1").arg(named.join(QStringLiteral(" and ")));
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().constFirst());
    const QList<QCommandLineOption> extras = options.extrasOf(mode);
    for (const QCommandLineOption &option : options.all()) {
        const bool allowed = std::any_of(extras.cbegin(), extras.cend(),
            [&option](const QCommandLineOption &extra) { return extra.names() == option.names(); });
        if (!allowed && option.names() != mode.names() && parser.isSet(option))
            return QStringLiteral("--%1 does not go with %2").arg(option.names().constFirst(), named.constFirst());
    }
    return {};
}

int runBatch(int argc, char *argv[], const QCommandLineParser &parser, const CommandOptions &options)
{
    BatchOptions batch {
        parser.value(options.batch), std::nullopt, parser.value(options.csv), parser.isSet(options.check)};
    if (parser.isSet(options.jobs)) {
        bool ok = false;
        batch.jobs = parser.value(options.jobs).toInt(&ok);
        if (!ok || !BatchPlan::isJobCount(*batch.jobs))
            return refuse(QStringLiteral("--jobs takes a whole number from 1 to %1").arg(BatchPlan::kMaxJobs));
    }
    return runBatchMode(argc, argv, batch);
}

} // namespace

int runCommandLine(int argc, char *argv[])
{
    if (argc < 2 || std::strncmp(argv[1], "--", 2) != 0 || std::strcmp(argv[1], "--") == 0)
        return runWindow(argc, argv);
    // Options Qt itself understands (-platform, --style=...) go to the window.
    if (std::strchr(argv[1], '=') != nullptr)
        return runWindow(argc, argv);

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandOptions options;
    QCommandLineParser parser;
    parser.addOptions(options.all());
    if (!parser.parse(arguments))
        return refuse(parser.errorText());
    QCommandLineOption mode = options.help;
    if (const QString error = pickMode(parser, options, mode); !error.isEmpty())
        return refuse(error);

    if (parser.isSet(options.help)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (parser.isSet(options.version)) {
        std::printf("nvrwizard %s\n", ModelName::kProgramVersion.toUtf8().constData());
        return 0;
    }
    if (parser.isSet(options.headless))
        return runHeadlessMode(argc, argv, parser.value(options.headless), parser.isSet(options.check));
    if (parser.isSet(options.batch))
        return runBatch(argc, argv, parser, options);
    if (parser.isSet(options.search))
        return runSearchMode(argc, argv);
    return runConfigMode(argc, argv,
        {parser.value(options.config), parser.value(options.nvr), parser.value(options.user),
            parser.value(options.passwordFile), parser.value(options.lang)});
}
