#include "platform/Durations.h"

#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace {

int scale(int ms, double factor)
{
    return std::max(1, int(std::lround(ms * factor)));
}

Durations &current()
{
    static Durations d = Durations().scaled(timeScaleFromEnvironment());
    return d;
}

} // namespace

Durations Durations::scaled(double factor) const
{
    Durations d;
    d.lanReplyMs = scale(lanReplyMs, factor);
    d.httpGetTimeoutMs = scale(httpGetTimeoutMs, factor);
    d.httpPostTimeoutMs = scale(httpPostTimeoutMs, factor);
    d.formatPollMs = scale(formatPollMs, factor);
    d.countdownTickMs = scale(countdownTickMs, factor);
    d.chainedDialogMs = scale(chainedDialogMs, factor);
    d.formatDialogMs = scale(formatDialogMs, factor);
    d.hddRefreshMs = scale(hddRefreshMs, factor);
    d.cameraCheckMs = scale(cameraCheckMs, factor);
    d.previewRefreshMs = scale(previewRefreshMs, factor);
    d.reachabilityRecheckMs = scale(reachabilityRecheckMs, factor);
    d.cloudQueryDelayMs = scale(cloudQueryDelayMs, factor);
    return d;
}

const Durations &durations()
{
    return current();
}

void setDurations(const Durations &d)
{
    current() = d;
}

double timeScaleFromEnvironment()
{
    bool ok = false;
    const double factor = qEnvironmentVariable("NVRWIZARD_TIME_SCALE").toDouble(&ok);
    return ok && factor > 0 && factor <= 100 ? factor : 1.0;
}
