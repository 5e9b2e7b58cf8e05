// One recorder command (the cloud-portal query, code 5) against the simulated
// recorder over HTTPS, timed through HttpConfig and through curl doing the
// same request in the same run. Each HttpConfig is new, as each step makes its
// own, so both sides pay for a fresh TLS connection every time; curl also
// pays for starting a process.
//
//   scripts/netlab.sh -- build/<dir>/bin/bench_httpconfig [N]   (default 50)
#include "SimProcess.h"

#include "webconfig/HttpConfig.h"
#include "webconfig/HttpConfigDelegate.h"
#include "webconfig/HttpError.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

const QString kUser = QStringLiteral("admin");
const QString kPassword = QStringLiteral("Bench-123");

struct Once : HttpConfigDelegate
{
    QEventLoop loop;
    bool ok = false;
    void onHttpConfigDidFinish(HttpConfig *, int) override
    {
        ok = true;
        loop.quit();
    }
    void onHttpDidError(const HttpError &) override { loop.quit(); }
};

// Milliseconds for one command through a fresh HttpConfig, or -1.
double timeHttpConfig(const TVexorReply &nvr)
{
    Once once;
    HttpConfig config(&once);
    QElapsedTimer clock;
    clock.start();
    config.startGetNimboraInfo(nvr, kUser, kPassword);
    QTimer::singleShot(10000, &once.loop, &QEventLoop::quit);
    once.loop.exec();
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    return once.ok && config.getNimboraInfo()->portal_url() ? ms : -1;
}

// Milliseconds for the same request by curl, or -1.
double timeCurl(const QString &ip)
{
    QProcess curl;
    QElapsedTimer clock;
    clock.start();
    curl.start(QStringLiteral("curl"),
        {QStringLiteral("-sk"), QStringLiteral("--max-time"), QStringLiteral("10"), QStringLiteral("-u"),
            kUser + QLatin1Char(':') + kPassword, QStringLiteral("https://%1:443/config/nimboraportal").arg(ip)});
    if (!curl.waitForFinished(15000))
        return -1;
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    return curl.exitCode() == 0 && curl.readAllStandardOutput().contains("portal_url=") ? ms : -1;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The simulator sits next to this program in the build tree.
    if (qEnvironmentVariableIsEmpty("NVR_BUILD_DIR"))
        qputenv("NVR_BUILD_DIR", QCoreApplication::applicationDirPath().section(QLatin1Char('/'), 0, -2).toUtf8());
    const int runs = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 50;
    const QJsonObject recorder = SimProcess::configured(0, kPassword);
    SimProcess sim;
    QString error;
    if (!sim.start(SimProcess::scenario({recorder}), &error)) {
        std::fprintf(stderr, "bench_httpconfig: %s\n", qPrintable(error));
        return 1;
    }
    const TVexorReply nvr = SimProcess::target(recorder);
    const QString ip = SimProcess::ipOf(recorder);
    QList<double> ours;
    QList<double> theirs;
    // Alternating, so that both see the same machine load.
    for (int i = 0; i < runs; ++i) {
        const double a = timeHttpConfig(nvr);
        const double b = timeCurl(ip);
        if (a < 0 || b < 0) {
            std::fprintf(stderr, "bench_httpconfig: run %d failed (HttpConfig %s, curl %s)\n", i + 1,
                a < 0 ? "failed" : "ok", b < 0 ? "failed" : "ok");
            return 1;
        }
        ours << a;
        theirs << b;
    }
    const double m1 = median(ours);
    const double m2 = median(theirs);
    std::printf("GET /config/nimboraportal over HTTPS to the simulated recorder, %d runs each\n", runs);
    std::printf("  HttpConfig (fresh object, new TLS connection)   median %8.2f ms   min %8.2f ms\n", m1,
        *std::min_element(ours.begin(), ours.end()));
    std::printf("  curl -k -u (new process, new TLS connection)    median %8.2f ms   min %8.2f ms\n", m2,
        *std::min_element(theirs.begin(), theirs.end()));
    std::printf("  ratio HttpConfig / curl: %.2f\n", m2 > 0 ? m1 / m2 : 0.0);
    return 0;
}
