#include "platform/Durations.h"
#include "protocol/LanProtocol.h"
#include "sim/core/SimLog.h"
#include "sim/core/SimState.h"
#include "sim/core/StopOnSignal.h"
#include "sim/lan/SimLanResponder.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

// nvrsim: simulated recorders for the network lab. Never run it outside the
// lab's LAN namespace: it answers broadcasts.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated recorders for the network lab."));
    parser.addHelpOption();
    const QCommandLineOption scenarioOption(
        QStringLiteral("scenario"), QStringLiteral("Scenario JSON file."), QStringLiteral("file"));
    const QCommandLineOption logOption(
        QStringLiteral("log"), QStringLiteral("Event log (default: stderr)."), QStringLiteral("file"));
    const QCommandLineOption stateOption(
        QStringLiteral("state"), QStringLiteral("State file, rewritten after every change."), QStringLiteral("file"));
    parser.addOptions({scenarioOption, logOption, stateOption});
    parser.process(app);

    QString error;
    SimScenario scenario;
    if (!parser.isSet(scenarioOption)) {
        std::fprintf(stderr, "nvrsim: --scenario is required\n");
        return 2;
    }
    if (!SimScenario::load(parser.value(scenarioOption), &scenario, &error)) {
        std::fprintf(stderr, "nvrsim: %s\n", qPrintable(error));
        return 2;
    }
    SimLog log;
    if (!log.open(parser.value(logOption), &error)) {
        std::fprintf(stderr, "nvrsim: %s\n", qPrintable(error));
        return 2;
    }
    SimState state(scenario, parser.value(stateOption));
    if (!state.commit()) {
        std::fprintf(stderr, "nvrsim: cannot write the state file\n");
        return 2;
    }

    SimLanResponder lan(state, log, timeScaleFromEnvironment());
    if (!lan.open(LAN_PORT, &error)) {
        std::fprintf(stderr, "nvrsim: UDP port %d: %s\n", LAN_PORT, qPrintable(error));
        return 1;
    }
    stopEventLoopOnSignal();
    log.line(QStringLiteral("ready"), QStringLiteral("recorders=%1").arg(state.recorders().size()));
    std::printf("nvrsim ready\n");
    std::fflush(stdout);
    const int status = app.exec();
    log.line(QStringLiteral("stopped"), QString());
    return status;
}
