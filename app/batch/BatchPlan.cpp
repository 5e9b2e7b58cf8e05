#include "app/batch/BatchPlan.h"

#include "app/SetupReport.h"
#include "app/headless/AnswersFile.h"

#include <QJsonArray>
#include <QRegularExpression>

namespace {

const QString kAnswers = QStringLiteral("answers");
const QString kJobs = QStringLiteral("jobs");
const QString kRecorders = QStringLiteral("recorders");
const QString kMac = QStringLiteral("mac");
const QString kSearchKey = QStringLiteral("searchNVR");
// The sections a recorder may override, one each for its password, time
// zone, disks, cameras and cloud account.
const QStringList kOverridable = {QStringLiteral("hdd"), QStringLiteral("nimbora"), QStringLiteral("password"),
    QStringLiteral("searchCAM"), QStringLiteral("timeZone")};

bool isMacAddress(const QString &text)
{
    static const QRegularExpression mac(QStringLiteral("^([0-9A-Fa-f]{2}:){5}[0-9A-Fa-f]{2}$"));
    return mac.match(text).hasMatch();
}

QStringList checkShared(const QJsonObject &plan, const HeadlessDrivers &drivers)
{
    const QJsonValue shared = plan.value(kAnswers);
    if (shared.isUndefined())
        return {};
    if (!shared.isObject())
        return {QStringLiteral("\"answers\" must be an object: the sections of a headless answers file")};
    QStringList mistakes;
    for (const QString &mistake : validateAnswers(shared.toObject(), drivers))
        mistakes << QStringLiteral("answers: ") + mistake;
    // Every recorder writes its own report, under its own name in that folder.
    const QString report = shared.toObject().value(QStringLiteral("summary"))[QStringLiteral("report")].toString();
    if (!report.isEmpty() && !SetupReport::namesFolder(report)) {
        mistakes << QStringLiteral("answers: section \"summary\": in a batch \"report\" names a folder (ending in "
                                   "\"/\"), where each recorder's report goes under its own name");
    } else if (!report.isEmpty()) {
        // Found out now, not once every recorder has been set up.
        if (const QString place = SetupReport::placeError(report); !place.isEmpty())
            mistakes << QStringLiteral("answers: section \"summary\": ") + place;
    }
    if (shared.toObject().value(kSearchKey).toObject().contains(QStringLiteral("recorder")))
        mistakes << QStringLiteral("answers: section \"searchNVR\": \"recorder\" is taken from each recorder's "
                                   "\"mac\"");
    return mistakes;
}

// The shared sections with the recorder's keys laid over them, key by key.
QJsonObject merged(const QJsonObject &shared, const QJsonObject &recorder)
{
    QJsonObject answers = shared;
    for (const QString &section : kOverridable) {
        if (!recorder.contains(section))
            continue;
        QJsonObject keys = shared.value(section).toObject();
        const QJsonObject overrides = recorder.value(section).toObject();
        for (auto it = overrides.begin(); it != overrides.end(); ++it)
            keys.insert(it.key(), it.value());
        answers.insert(section, keys);
    }
    QJsonObject search = answers.value(kSearchKey).toObject();
    search.insert(QStringLiteral("recorder"), recorder.value(kMac));
    answers.insert(kSearchKey, search);
    return answers;
}

// A recorder's own mistakes; its merged answers are checked only in the
// sections it overrides, so that a shared mistake is reported once.
QStringList checkRecorder(
    const QString &where, const QJsonObject &recorder, const QJsonObject &mergedAnswers, const HeadlessDrivers &drivers)
{
    QStringList mistakes = unknownKeys(where, recorder, QStringList {kMac} + kOverridable);
    if (!isMacAddress(recorder.value(kMac).toString()))
        mistakes << QStringLiteral("%1: \"mac\" must be a MAC address such as \"00:1c:27:00:00:01\"").arg(where);
    QJsonObject overridden;
    for (const QString &section : kOverridable) {
        if (!recorder.contains(section))
            continue;
        if (recorder.value(section).isObject())
            overridden.insert(section, mergedAnswers.value(section));
        else
            mistakes << QStringLiteral("%1: section \"%2\" must be an object").arg(where, section);
    }
    for (const QString &mistake : validateAnswers(overridden, drivers))
        mistakes << QStringLiteral("%1: %2").arg(where, mistake);
    return mistakes;
}

QStringList readRecorders(const QJsonObject &plan, const HeadlessDrivers &drivers, QList<BatchRecorder> &recorders)
{
    const QJsonValue list = plan.value(kRecorders);
    if (!list.isArray() || list.toArray().isEmpty())
        return {QStringLiteral("\"recorders\" must be a list of at least one recorder, each {\"mac\": …}")};
    const QJsonObject shared = plan.value(kAnswers).toObject();
    QStringList mistakes;
    QStringList macs;
    const QJsonArray entries = list.toArray();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QJsonObject recorder = entries.at(i).toObject();
        const QString mac = recorder.value(kMac).toString();
        const QString where = QStringLiteral("recorder %1%2")
                                  .arg(i + 1)
                                  .arg(mac.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(mac));
        if (!entries.at(i).isObject()) {
            mistakes << where + QStringLiteral(": must be an object");
            continue;
        }
        const QJsonObject answers = merged(shared, recorder);
        mistakes << checkRecorder(where, recorder, answers, drivers);
        if (macs.contains(mac.toLower()))
            mistakes << where + QStringLiteral(": the MAC address is listed twice");
        macs << mac.toLower();
        recorders << BatchRecorder {mac, answers};
    }
    return mistakes;
}

} // namespace

QStringList BatchPlan::read(const QString &path, const HeadlessDrivers &drivers, BatchPlan &plan)
{
    QJsonObject object;
    QString error;
    if (!readAnswersFile(path, object, error, QStringLiteral("batch plan")))
        return {error};
    return fromJson(object, drivers, plan);
}

QStringList BatchPlan::fromJson(const QJsonObject &object, const HeadlessDrivers &drivers, BatchPlan &plan)
{
    QStringList mistakes = unknownKeys(QStringLiteral("the plan"), object, {kAnswers, kJobs, kRecorders});
    BatchPlan read;
    const QJsonValue jobs = object.value(kJobs);
    read.jobs = jobs.toInt(kDefaultJobs);
    if (!jobs.isUndefined() && (!jobs.isDouble() || jobs.toDouble() != read.jobs || !isJobCount(read.jobs)))
        mistakes << QStringLiteral("\"jobs\" must be a whole number from 1 to %1").arg(kMaxJobs);
    mistakes << checkShared(object, drivers);
    mistakes << readRecorders(object, drivers, read.recorders);
    if (mistakes.isEmpty())
        plan = read;
    return mistakes;
}
