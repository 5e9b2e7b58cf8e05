#include "app/batch/BatchOutcome.h"

namespace {

QJsonValue stepValue(const QJsonObject &summary, const char *step, const char *key)
{
    const QJsonValue value = summary.value(QStringLiteral("steps"))
                                 .toObject()
                                 .value(QLatin1String(step))
                                 .toObject()
                                 .value(QLatin1String(key));
    return value.isUndefined() ? QJsonValue() : value;
}

} // namespace

QString BatchOutcome::outcomeText() const
{
    switch (state) {
    case State::Succeeded:
        return QStringLiteral("succeeded");
    case State::Failed:
        return QStringLiteral("failed");
    case State::Stopped:
    case State::Running:
        return QStringLiteral("stopped");
    case State::Waiting:
        break;
    }
    return QStringLiteral("not started");
}

QJsonValue BatchOutcome::ip() const
{
    return stepValue(summary, "searchNVR", "ip");
}

QJsonValue BatchOutcome::channels() const
{
    return stepValue(summary, "searchCAM", "channels");
}

QJsonValue BatchOutcome::cloudNumber() const
{
    const QJsonValue number = summary.value(QStringLiteral("cloudNumber"));
    return number.isUndefined() ? QJsonValue() : number;
}

QJsonValue BatchOutcome::cloud() const
{
    return stepValue(summary, "nimbora", "outcome");
}

QJsonValue BatchOutcome::report() const
{
    return stepValue(summary, "summary", "report");
}

QString BatchOutcome::resultText() const
{
    int cameras = 0;
    for (const QJsonValue &channel : channels().toArray())
        cameras += channel.isString() ? 1 : 0;
    const QString number = cloudNumber().toString();
    return QStringLiteral("%1 camera(s), cloud number %2")
        .arg(cameras)
        .arg(number.isEmpty() ? QStringLiteral("none") : number);
}
