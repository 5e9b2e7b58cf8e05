#include "webconfig/RecordParsers.h"

#include "webconfig/AnswerText.h"

#include <QHash>

#include <functional>

namespace {

template<class Record> using Setter = std::function<void(Record &, const QString &)>;

// Applies every known key of the lines to a new record.
template<class Record>
std::shared_ptr<Record> fill(const QStringList &lines, const QHash<QString, Setter<Record>> &setters)
{
    auto record = std::make_shared<Record>();
    for (const QString &line : lines) {
        const auto kv = AnswerText::keyValue(line);
        if (!kv)
            continue;
        const auto setter = setters.constFind(kv->key);
        if (setter != setters.constEnd())
            (*setter)(*record, kv->value);
    }
    return record;
}

template<class Record> Setter<Record> field(void (Record::*setter)(RecordText))
{
    return [setter](Record &r, const QString &v) { (r.*setter)(v); };
}

} // namespace

namespace RecordParsers {

int leadingInt(const QString &text)
{
    qsizetype end = 0;
    if (end < text.size() && (text[end] == QLatin1Char('-') || text[end] == QLatin1Char('+')))
        ++end;
    while (end < text.size() && text[end].isDigit() && text[end].unicode() < 0x80)
        ++end;
    bool ok = false;
    const int value = text.left(end).toInt(&ok);
    return ok ? value : 0;
}

TPartition partition(const QString &value)
{
    using Field = void (TPartition::*)(RecordText);
    static const Field byPosition[] = {&TPartition::setCapacity, &TPartition::setUsedSpace, &TPartition::setFreeSpace,
        &TPartition::setRecordable, &TPartition::setStatus, &TPartition::setFileSystem};
    TPartition part;
    const QStringList fields = value.split(QLatin1Char(','));
    for (qsizetype i = 0; i < fields.size() && i < qsizetype(std::size(byPosition)); ++i)
        (part.*byPosition[i])(fields[i]);
    return part;
}

std::shared_ptr<THddInfo> hddInfo(const QString &text)
{
    static const QHash<QString, Setter<THddInfo>> setters = {
        {QStringLiteral("storageid"), field(&THddInfo::setStorageid)},
        {QStringLiteral("type"), field(&THddInfo::setType)},
        {QStringLiteral("devicename"), field(&THddInfo::setDeviceName)},
        {QStringLiteral("modelname"), field(&THddInfo::setModelName)},
        {QStringLiteral("product"), field(&THddInfo::setProduct)},
        {QStringLiteral("usedpartition"), field(&THddInfo::setUsedPartition)},
        {QStringLiteral("partitions"), field(&THddInfo::setPartitions)},
        {QStringLiteral("plug"), field(&THddInfo::setPlug)},
        {QStringLiteral("ready"), field(&THddInfo::setReady)},
    };
    QStringList lines = AnswerText::lines(text);
    // The disk answer ends with a line that is never read.
    if (!lines.isEmpty())
        lines.removeLast();
    auto hdd = fill(lines, setters);
    QList<TPartition> partitions;
    for (const QString &line : lines) {
        const auto kv = AnswerText::keyValue(line);
        if (kv && (kv->key == QLatin1String("partitioninfo0") || kv->key == QLatin1String("partitioninfo1")))
            partitions.append(partition(kv->value));
    }
    hdd->setPartitionInfos(partitions);
    hdd->setChecked(!hdd->deviceName().value_or(QString()).isEmpty());
    return hdd;
}

std::shared_ptr<TNimboraInfo> nimboraInfo(const QString &text)
{
    static const QHash<QString, Setter<TNimboraInfo>> setters = {
        {QStringLiteral("status"), field(&TNimboraInfo::setStatus)},
        {QStringLiteral("access"), field(&TNimboraInfo::setAccess)},
        {QStringLiteral("portal_url"), field(&TNimboraInfo::setPortal_url)},
        {QStringLiteral("portal_number"), field(&TNimboraInfo::setPortal_number)},
        {QStringLiteral("portal_dfp"), field(&TNimboraInfo::setDfp)},
        {QStringLiteral("model"), field(&TNimboraInfo::setModel)},
        {QStringLiteral("localhyperlink"), field(&TNimboraInfo::setLocalhyperlink)},
    };
    return fill(AnswerText::lines(text), setters);
}

std::shared_ptr<TNimboraRegInfo> nimboraRegInfo(const QString &text)
{
    static const QHash<QString, Setter<TNimboraRegInfo>> setters = {
        {QStringLiteral("status"), field(&TNimboraRegInfo::setStatus)},
        {QStringLiteral("email"), field(&TNimboraRegInfo::setEmail)},
        {QStringLiteral("password"), field(&TNimboraRegInfo::setPassword)},
    };
    if (text.contains(QLatin1String("400 Bad Request")))
        return std::make_shared<TNimboraRegInfo>();
    return fill(AnswerText::lines(text), setters);
}

std::shared_ptr<TCameraInfo> cameraLine(const QString &line)
{
    using Field = void (TCameraInfo::*)(RecordText);
    static const Field byPosition[] = {nullptr, &TCameraInfo::setIp, &TCameraInfo::setMac, &TCameraInfo::setBrandName,
        &TCameraInfo::setModelName, &TCameraInfo::setUserName, &TCameraInfo::setPassWord, &TCameraInfo::setProtocol,
        &TCameraInfo::setProtocolType};
    auto camera = std::make_shared<TCameraInfo>();
    camera->setIsAdded(QStringLiteral("0"));
    const QStringList fields = line.split(QLatin1Char(';'));
    for (qsizetype i = 1; i < fields.size() && i < qsizetype(std::size(byPosition)); ++i)
        ((*camera).*byPosition[i])(fields[i]);
    return camera;
}

std::shared_ptr<TDateInfo> dateInfo(const QString &text)
{
    static const QHash<QString, Setter<TDateInfo>> setters = {
        {QStringLiteral("date"), field(&TDateInfo::setDate)},
        {QStringLiteral("time"), field(&TDateInfo::setTime)},
        {QStringLiteral("timezone"),
            [](TDateInfo &r, const QString &v) { r.setTimezone(QString::number(leadingInt(v) - 1)); }},
        {QStringLiteral("dstenable"), field(&TDateInfo::setDstenable)},
        {QStringLiteral("dstauto"), field(&TDateInfo::setDstauto)},
        {QStringLiteral("offsetmin"), field(&TDateInfo::setOffsetmin)},
        {QStringLiteral("offsetmins"), field(&TDateInfo::setOffsetmins)},
        {QStringLiteral("startdst"), field(&TDateInfo::setStartdst)},
        {QStringLiteral("enddst"), field(&TDateInfo::setEnddst)},
    };
    return fill(AnswerText::lines(text), setters);
}

std::shared_ptr<TRecordingInfo> recordingInfo(const QString &text)
{
    // A single-value answer: only its first line counts.
    auto recording = std::make_shared<TRecordingInfo>();
    const auto kv = AnswerText::firstKeyValue(text);
    if (kv && kv->key == QLatin1String("record"))
        recording->setRecord(kv->value);
    return recording;
}

} // namespace RecordParsers
