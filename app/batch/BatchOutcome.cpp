#include "app/batch/BatchOutcome.h"

#include "app/headless/PrintableText.h"

#include <QStringList>

namespace {

QJsonValue orNull(const QJsonValue &value)
{
    return value.isUndefined() ? QJsonValue() : value;
}

QJsonValue stepValue(const QJsonObject &printed, const char *step, const char *key)
{
    return orNull(printed.value(QStringLiteral("steps"))
                      .toObject()
                      .value(QLatin1String(step))
                      .toObject()
                      .value(QLatin1String(key)));
}

// A key at the top of the result when the run puts it there, else the step's own.
QJsonValue topOrStep(const QJsonObject &printed, const char *key, const char *step, const char *stepKey)
{
    const QJsonValue top = printed.value(QLatin1String(key));
    return top.isUndefined() ? stepValue(printed, step, stepKey) : top;
}

QString listText(const QJsonArray &list)
{
    QStringList names;
    for (const QJsonValue &name : list)
        names << name.toString();
    return names.join(QStringLiteral(", "));
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

QString BatchOutcome::step() const
{
    const QJsonArray pages = printed.value(QStringLiteral("pages")).toArray();
    return pages.isEmpty() ? shownStep : pages.last().toString();
}

QString BatchOutcome::failure() const
{
    if (state == State::Succeeded)
        return {};
    const QString said = printed.value(QStringLiteral("failure")).toString();
    return printableText(said.isEmpty() ? endNote : said);
}

QJsonObject BatchOutcome::diagnosis() const
{
    QJsonObject diagnosis = printed.value(QStringLiteral("diagnosis")).toObject();
    if (diagnosis.contains(QStringLiteral("message")))
        diagnosis.insert(
            QStringLiteral("message"), printableText(diagnosis.value(QStringLiteral("message")).toString()));
    return diagnosis;
}

QJsonValue BatchOutcome::ip() const
{
    return topOrStep(printed, "ip", "searchNVR", "ip");
}

QJsonValue BatchOutcome::channels() const
{
    return topOrStep(printed, "channels", "searchCAM", "channels");
}

QJsonValue BatchOutcome::cloudNumber() const
{
    return orNull(printed.value(QStringLiteral("cloudNumber")));
}

QJsonValue BatchOutcome::cloud() const
{
    return stepValue(printed, "nimbora", "outcome");
}

QJsonValue BatchOutcome::report() const
{
    return stepValue(printed, "summary", "report");
}

QJsonValue BatchOutcome::changed() const
{
    return orNull(printed.value(QStringLiteral("changed")));
}

QJsonValue BatchOutcome::wouldChange() const
{
    return orNull(printed.value(QStringLiteral("wouldChange")));
}

QJsonValue BatchOutcome::files() const
{
    return orNull(printed.value(QStringLiteral("files")));
}

QJsonArray BatchOutcome::errors() const
{
    return files().toObject().value(QStringLiteral("errors")).toArray();
}

QString BatchOutcome::resultText() const
{
    if (printed.value(QStringLiteral("result")) == QLatin1String("check")) {
        QStringList changes;
        for (const QJsonValue &change : wouldChange().toArray())
            changes << QStringLiteral("%1 (%2)").arg(
                change[QStringLiteral("step")].toString(), change[QStringLiteral("reason")].toString());
        return changes.isEmpty() ? QStringLiteral("nothing would change")
                                 : QStringLiteral("would change ") + changes.join(QStringLiteral("; "));
    }
    int cameras = 0;
    for (const QJsonValue &channel : channels().toArray())
        cameras += channel.isString() ? 1 : 0;
    const QString number = cloudNumber().toString();
    QString text = QStringLiteral("%1 camera(s), cloud number %2")
                       .arg(cameras)
                       .arg(number.isEmpty() ? QStringLiteral("none") : number);
    text += changedText();
    if (!errors().isEmpty())
        text += QStringLiteral("; %1 file(s) not made").arg(errors().size());
    return text;
}

QString BatchOutcome::changedText() const
{
    if (changed().isNull())
        return {};
    const QJsonArray steps = changed().toArray();
    return steps.isEmpty() ? QStringLiteral("; nothing changed") : QStringLiteral("; changed ") + listText(steps);
}
