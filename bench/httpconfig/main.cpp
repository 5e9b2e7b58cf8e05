// One recorder command (the cloud-portal query, code 5) against the simulated
// recorder over HTTPS, timed through HttpConfig and through curl doing the
// same request in the same run. Each HttpConfig is new, as each step makes its
// own, so both sides pay for a fresh TLS connection every time; curl also
// pays for starting a process.
//
//   scripts/netlab.sh -- build/<dir>/bin/bench_httpconfig [N] [--summary FILE]   (default 50)
#include "FigureReport.h"
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

using namespace FigureReport;

namespace {

constexpr double kGoalRatio = 1.2;
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

struct CurlTime
{
    double processMs = -1; // start to exit of the curl process
    double transferMs = -1; // curl's own time_total: connection, TLS, request and answer
};

// The same request by curl.
CurlTime timeCurl(const QString &ip)
{
    QProcess curl;
    QElapsedTimer clock;
    clock.start();
    curl.start(QStringLiteral("curl"),
        {QStringLiteral("-sk"), QStringLiteral("--max-time"), QStringLiteral("10"), QStringLiteral("-u"),
            kUser + QLatin1Char(':') + kPassword, QStringLiteral("-w"), QStringLiteral("\\n%{time_total}"),
            QStringLiteral("https://%1:443/config/nimboraportal").arg(ip)});
    CurlTime time;
    if (!curl.waitForFinished(15000))
        return time;
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    const QByteArray out = curl.readAllStandardOutput();
    if (curl.exitCode() == 0 && out.contains("portal_url=")) {
        time.processMs = ms;
        time.transferMs = out.mid(out.lastIndexOf('\n') + 1).toDouble() * 1000;
    }
    return time;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    const QString summaryFile = takeSummaryFile(args);
    const QString figure = QStringLiteral("One configuration command vs curl");
    const QString goal = QStringLiteral("HttpConfig ≤ %1 × curl").arg(kGoalRatio);
    begin(figure, false);
    const int runs = qMax(1, args.value(1, QStringLiteral("50")).toInt());
    const QJsonObject recorder = SimProcess::configured(0, kPassword);
    SimProcess sim;
    QString error;
    if (!sim.start(SimProcess::scenario({recorder}), &error)) {
        print(QStringLiteral("Not measured: ") + error);
        appendSummary(summaryFile, figure, goal, QStringLiteral("not measured"), false);
        return Failed;
    }
    const TVexorReply nvr = SimProcess::target(recorder);
    const QString ip = SimProcess::ipOf(recorder);
    QList<double> ours;
    QList<double> curlProcess;
    QList<double> curlTransfer;
    QList<double> ratios;
    // Alternating, so that both see the same machine load; the ratio is taken pair by pair.
    for (int i = 0; i < runs; ++i) {
        const double a = timeHttpConfig(nvr);
        const CurlTime b = timeCurl(ip);
        if (a < 0 || b.processMs < 0) {
            print(QStringLiteral("Not measured: run %1 failed (HttpConfig %2, curl %3).")
                      .arg(i + 1)
                      .arg(a < 0 ? "failed" : "ok", b.processMs < 0 ? "failed" : "ok"));
            appendSummary(summaryFile, figure, goal, QStringLiteral("not measured"), false);
            return Failed;
        }
        ours << a;
        curlProcess << b.processMs;
        curlTransfer << b.transferMs;
        ratios << a / b.processMs;
    }
    print(QStringLiteral("`GET /config/nimboraportal` (the cloud-portal query, code 5) over HTTPS with Basic "
                         "credentials to the simulated recorder, %1 times each, alternating. HttpConfig is a fresh "
                         "object each time, as each step makes its own, so both sides pay for a new TLS connection; "
                         "curl also pays for starting a process, which a user of curl pays too. curl's own transfer "
                         "time (`time_total`) is shown beside it.")
              .arg(runs));
    print();
    auto cells = [](const QString &what, const QList<double> &v) {
        return QStringList {what, ms(*std::min_element(v.cbegin(), v.cend())), ms(median(v)),
            ms(*std::max_element(v.cbegin(), v.cend()))};
    };
    table({QStringLiteral("request by"), QStringLiteral("min"), QStringLiteral("median"), QStringLiteral("max")},
        {cells(QStringLiteral("HttpConfig (in the process)"), ours),
            cells(QStringLiteral("curl -k -u (whole process)"), curlProcess),
            cells(QStringLiteral("curl, its own time_total"), curlTransfer)});
    const double ratio = median(ratios);
    const bool met = ratio <= kGoalRatio;
    const QString result = QStringLiteral("ratio %1 (median of %2 pairs; %3 against curl's own transfer time)")
                               .arg(ratio, 0, 'f', 2)
                               .arg(runs)
                               .arg(median(ours) / median(curlTransfer), 0, 'f', 2);
    print(QStringLiteral("Goal: HttpConfig takes at most %1 × as long as curl.").arg(kGoalRatio));
    print();
    print(QStringLiteral("Result: %1: %2.").arg(result, verdict(met)));
    print();
    appendSummary(summaryFile, figure, goal, result, met);
    return met ? Met : Missed;
}
