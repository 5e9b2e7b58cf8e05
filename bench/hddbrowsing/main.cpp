// The load that the hard-disk step puts on the recorder while the user only
// looks at it: the step asks for both bays, a round at most once a second, for
// as long as it is shown. Runs the real step against the simulated recorder over
// HTTPS for a fixed time and reports the requests the recorder saw and the
// CPU the step used.
//
//   scripts/netlab.sh -- build/<dir>/bin/bench_hddbrowsing [SECONDS]   (default 5)
#include "SimProcess.h"

#include "core/HMLocalization.h"
#include "core/ScriptedModalHost.h"
#include "core/WizardContext.h"
#include "platform/NotificationCenter.h"
#include "platform/UrlOpener.h"
#include "steps/SetupStepDelegate.h"
#include "steps/Setup_HddView.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <memory>

namespace {

const QString kPassword = QStringLiteral("Bench-123");

double cpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Counts
{
    int requests = 0; // /config/storageinfo, two per disk query
    int others = 0;
};

Counts countRequests(const SimProcess &sim)
{
    Counts counts;
    for (const SimLogLine &line : sim.log(QStringLiteral("http"))) {
        if (line.value("path") == QLatin1String("/config/storageinfo"))
            ++counts.requests;
        else
            ++counts.others;
    }
    return counts;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("NVR_BUILD_DIR"))
        qputenv("NVR_BUILD_DIR", QCoreApplication::applicationDirPath().section(QLatin1Char('/'), 0, -2).toUtf8());
    const double seconds = argc > 1 ? qBound(1.0, QString::fromLocal8Bit(argv[1]).toDouble(), 60.0) : 5.0;

    const QJsonObject recorder = SimProcess::configured(0, kPassword);
    SimProcess sim;
    QString error;
    if (!sim.start(SimProcess::scenario({recorder}), &error)) {
        std::fprintf(stderr, "bench_hddbrowsing: %s\n", qPrintable(error));
        return 1;
    }

    NotificationCenter notifications;
    ScriptedModalHost modal;
    RecordingUrlOpener urls;
    WizardContext context {notifications, HMLocalization::sharedInstance(), modal, urls, {}};
    SetupStepDelegate page;
    auto step = std::make_unique<Setup_HddView>(context);
    step->setDelegate(
        &page, std::make_shared<const TVexorReply>(SimProcess::target(recorder)), QStringLiteral("admin"), kPassword);
    int results = 0;
    QObject::connect(step.get(), &Setup_HddView::changed, [&] {
        if (step->hddInfoRetrieved())
            ++results;
    });

    const double cpuBefore = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    step->viewDidAppear();
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    const double elapsed = double(clock.nsecsElapsed()) / 1e9;
    const double cpu = cpuSeconds() - cpuBefore;
    step.reset(); // ends browsing: the query in flight is dropped
    // Let the simulator write its last log lines.
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();

    if (!modal.shown().isEmpty()) {
        std::fprintf(stderr, "bench_hddbrowsing: the step showed %s\n", qPrintable(modal.shown().join(", ")));
        return 1;
    }
    const Counts counts = countRequests(sim);
    std::printf("Hard-disk step browsing the simulated recorder for %.1f s\n", elapsed);
    std::printf("  disk queries completed by the step  %6d   %8.1f per second\n", results, results / elapsed);
    std::printf(
        "  storageinfo requests at the recorder %5d   %8.1f per second\n", counts.requests, counts.requests / elapsed);
    std::printf("  other requests at the recorder      %6d\n", counts.others);
    std::printf("  wizard CPU while browsing           %6.2f s  %8.1f %% of one core\n", cpu, 100 * cpu / elapsed);
    return 0;
}
