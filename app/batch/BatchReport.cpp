#include "app/batch/BatchReport.h"

#include <QJsonArray>

#include <algorithm>

namespace {

const QStringList kOutcomes
    = {QStringLiteral("succeeded"), QStringLiteral("failed"), QStringLiteral("stopped"), QStringLiteral("not started")};

QJsonValue orNull(const QString &text)
{
    return text.isEmpty() ? QJsonValue() : QJsonValue(text);
}

double seconds(const BatchOutcome &outcome)
{
    return qRound(double(outcome.elapsedMs) / 100) / 10.0;
}

QJsonObject recorderJson(const BatchOutcome &outcome, bool check)
{
    const QJsonObject diagnosis = outcome.diagnosis();
    QJsonObject json {{QStringLiteral("mac"), outcome.mac}, {QStringLiteral("outcome"), outcome.outcomeText()},
        {QStringLiteral("step"), orNull(outcome.step())}, {QStringLiteral("seconds"), seconds(outcome)},
        {QStringLiteral("ip"), outcome.ip()}, {QStringLiteral("channels"), outcome.channels()},
        {QStringLiteral("cloudNumber"), outcome.cloudNumber()}, {QStringLiteral("cloud"), outcome.cloud()},
        {QStringLiteral("report"), outcome.report()}, {QStringLiteral("failure"), orNull(outcome.failure())},
        {QStringLiteral("diagnosis"), diagnosis.isEmpty() ? QJsonValue() : QJsonValue(diagnosis)},
        {QStringLiteral("changed"), outcome.changed()}, {QStringLiteral("files"), outcome.files()},
        {QStringLiteral("errors"), outcome.errors()}};
    if (check)
        json.insert(QStringLiteral("wouldChange"), outcome.wouldChange());
    return json;
}

// RFC 4180 quoting; a cell a spreadsheet would take for a formula gets a
// leading "'" and so stays text, as OWASP advises against CSV injection.
QString csvField(const QString &text)
{
    static const QString formula = QStringLiteral("=+-@\t\r");
    const QString cell = !text.isEmpty() && formula.contains(text.front()) ? QLatin1Char('\'') + text : text;
    static const QString special = QStringLiteral(",\"\r\n");
    if (std::none_of(cell.begin(), cell.end(), [](QChar c) { return special.contains(c); }))
        return cell;
    QString escaped = cell;
    return QLatin1Char('"') + escaped.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// "1:ZB-2100;2:47X-IP200": the channels that received a camera.
QString channelsText(const QJsonValue &channels)
{
    QStringList used;
    const QJsonArray list = channels.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).isString())
            used << QStringLiteral("%1:%2").arg(i + 1).arg(list.at(i).toString());
    }
    return used.join(QLatin1Char(';'));
}

QStringList macsWith(const QList<BatchOutcome> &outcomes, const QStringList &wanted)
{
    QStringList macs;
    for (const BatchOutcome &outcome : outcomes) {
        if (wanted.contains(outcome.outcomeText()))
            macs << outcome.mac;
    }
    return macs;
}

QString listOrNone(const QStringList &macs)
{
    return macs.isEmpty() ? QStringLiteral("none") : macs.join(QStringLiteral(", "));
}

} // namespace

QJsonObject BatchReport::json(const QList<BatchOutcome> &outcomes, bool interrupted, bool check)
{
    QJsonArray recorders;
    for (const BatchOutcome &outcome : outcomes)
        recorders.append(recorderJson(outcome, check));
    QJsonObject result {{QStringLiteral("result"), QStringLiteral("batch")}, {QStringLiteral("check"), check},
        {QStringLiteral("interrupted"), interrupted}, {QStringLiteral("recorders"), recorders}};
    for (const QString &outcome : kOutcomes) {
        const QString key = outcome == QLatin1String("not started") ? QStringLiteral("notStarted") : outcome;
        result.insert(key, int(macsWith(outcomes, {outcome}).size()));
    }
    return result;
}

QByteArray BatchReport::csv(const QList<BatchOutcome> &outcomes)
{
    QStringList lines {QStringLiteral("mac,outcome,step,seconds,ip,channels,cloud number,cloud,failure,diagnosis")};
    for (const BatchOutcome &outcome : outcomes) {
        const QStringList fields {outcome.mac, outcome.outcomeText(), outcome.step(),
            QString::number(seconds(outcome), 'f', 1), outcome.ip().toString(), channelsText(outcome.channels()),
            outcome.cloudNumber().toString(), outcome.cloud().toString(), outcome.failure(),
            outcome.diagnosis().value(QStringLiteral("cause")).toString()};
        QStringList quoted;
        for (const QString &field : fields)
            quoted << csvField(field);
        lines << quoted.join(QLatin1Char(','));
    }
    return lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

QStringList BatchReport::closingLines(const QList<BatchOutcome> &outcomes, bool interrupted)
{
    QStringList counts;
    for (const QString &outcome : kOutcomes) {
        const qsizetype count = macsWith(outcomes, {outcome}).size();
        if (count > 0 || outcome == kOutcomes.first())
            counts << QStringLiteral("%1 %2").arg(count).arg(outcome);
    }
    QStringList lines {
        QStringLiteral("batch of %1 recorders: %2").arg(outcomes.size()).arg(counts.join(QStringLiteral(", ")))};
    if (interrupted) {
        lines << QStringLiteral("interrupted; finished: %1")
                     .arg(listOrNone(macsWith(outcomes, {kOutcomes.at(0), kOutcomes.at(1)})))
              << QStringLiteral("stopped: %1; not started: %2")
                     .arg(listOrNone(macsWith(outcomes, {kOutcomes.at(2)})),
                         listOrNone(macsWith(outcomes, {kOutcomes.at(3)})));
    }
    return lines;
}
