// Startup benchmark: how long the windowed wizard takes from process start
// to its welcome page on screen (offscreen platform), and its peak memory.
// Run by hand inside the network lab:
//   scripts/netlab.sh -- build/<dir>/bin/bench_startup [RUNS]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QByteArray kWelcomeShown = "-[WelcomeView viewDidAppear]";
constexpr int kTimeoutMs = 30000;

// Milliseconds until the welcome page appears, or -1.
qint64 oneStart(const QString &wizard)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("NVRWIZARD_LOG_STDERR"), QStringLiteral("1"));
    process.setProcessEnvironment(env);
    process.setReadChannel(QProcess::StandardError);
    QElapsedTimer clock;
    clock.start();
    process.start(wizard, {});
    QByteArray log;
    qint64 shown = -1;
    while (shown < 0 && clock.elapsed() < kTimeoutMs && process.waitForReadyRead(kTimeoutMs)) {
        log += process.readAllStandardError();
        if (log.contains(kWelcomeShown))
            shown = clock.elapsed();
    }
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
    return shown;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = std::max(1, app.arguments().value(1, QStringLiteral("5")).toInt());
    const QString wizard = QCoreApplication::applicationDirPath() + QStringLiteral("/nvrwizard");

    std::vector<qint64> times;
    for (int i = 0; i < runs; ++i) {
        const qint64 ms = oneStart(wizard);
        if (ms < 0) {
            std::fprintf(stderr, "run %d: the welcome page did not appear within %d s\n", i + 1, kTimeoutMs / 1000);
            return 1;
        }
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());

    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    std::printf("nvrwizard startup, %d runs (offscreen)\n", runs);
    std::printf("  process start to welcome page: min %lld ms, median %lld ms, max %lld ms\n",
        static_cast<long long>(times.front()), static_cast<long long>(times[times.size() / 2]),
        static_cast<long long>(times.back()));
    std::printf("  peak resident memory: %.1f MiB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
