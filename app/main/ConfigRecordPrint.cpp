#include "app/main/ConfigRecordPrint.h"

#include "platform/Log.h"
#include "webconfig/HttpCommand.h"
#include "webconfig/HttpConfig.h"

#include <QList>
#include <QPair>

namespace {

using Fields = QList<QPair<QString, RecordText>>;

RecordText hidden(const RecordText &secret)
{
    return secret ? RecordText(Log::masked(*secret)) : std::nullopt;
}

QString block(const Fields &fields, const QString &indent = QString())
{
    QString text;
    for (const auto &[name, value] : fields) {
        if (value)
            text += indent + name + QLatin1Char('=') + *value + QLatin1Char('\n');
    }
    return text;
}

QString disks(const THddInfoList &hdds)
{
    QString text;
    for (qsizetype i = 0; i < hdds.size(); ++i) {
        const THddInfo &h = *hdds[i];
        text += QStringLiteral("disk %1:\n").arg(i + 1);
        text
            += block({{QStringLiteral("checked"), h.checked() ? QStringLiteral("1") : QStringLiteral("0")},
                         {QStringLiteral("storageid"), h.storageid()}, {QStringLiteral("type"), h.type()},
                         {QStringLiteral("deviceName"), h.deviceName()}, {QStringLiteral("modelName"), h.modelName()},
                         {QStringLiteral("product"), h.product()}, {QStringLiteral("usedPartition"), h.usedPartition()},
                         {QStringLiteral("partitions"), h.partitions()}, {QStringLiteral("plug"), h.plug()},
                         {QStringLiteral("ready"), h.ready()}},
                QStringLiteral("  "));
        for (qsizetype p = 0; p < h.partitionInfos().size(); ++p) {
            const TPartition &part = h.partitionInfos()[p];
            text += QStringLiteral("  partition %1:\n").arg(p + 1);
            text += block(
                {{QStringLiteral("capacity"), part.capacity()}, {QStringLiteral("usedSpace"), part.usedSpace()},
                    {QStringLiteral("FreeSpace"), part.FreeSpace()}, {QStringLiteral("Recordable"), part.Recordable()},
                    {QStringLiteral("status"), part.status()}, {QStringLiteral("fileSystem"), part.fileSystem()}},
                QStringLiteral("    "));
        }
    }
    return text;
}

QString cameras(const TCameraInfoList &list)
{
    QString text;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const TCameraInfo &c = *list[i];
        text += QStringLiteral("camera %1:\n").arg(i + 1);
        text += block(
            {{QStringLiteral("ip"), c.ip()}, {QStringLiteral("mac"), c.mac()},
                {QStringLiteral("brandName"), c.brandName()}, {QStringLiteral("modelName"), c.modelName()},
                {QStringLiteral("userName"), c.userName()}, {QStringLiteral("passWord"), hidden(c.passWord())},
                {QStringLiteral("protocol"), c.protocol()}, {QStringLiteral("protocolType"), c.protocolType()}},
            QStringLiteral("  "));
    }
    return text;
}

} // namespace

QString configRecordText(const HttpConfig &config, int cmd)
{
    switch (cmd) {
    case HttpCmd::GetHddInfo:
        return disks(*config.getHddInfoList());
    case HttpCmd::GetNimboraInfo: {
        const TNimboraInfo &n = *config.getNimboraInfo();
        return block({{QStringLiteral("status"), n.status()}, {QStringLiteral("access"), n.access()},
            {QStringLiteral("portal_url"), n.portal_url()}, {QStringLiteral("portal_number"), n.portal_number()},
            {QStringLiteral("dfp"), n.dfp()}, {QStringLiteral("model"), n.model()},
            {QStringLiteral("localhyperlink"), n.localhyperlink()}});
    }
    case HttpCmd::GetNimboraRegInfo: {
        const TNimboraRegInfo &r = *config.getNimboraRegInfo();
        return block({{QStringLiteral("status"), r.status()}, {QStringLiteral("email"), r.email()},
            {QStringLiteral("password"), hidden(r.password())}});
    }
    case HttpCmd::CameraDiscovery:
        return cameras(*config.getCameraInfoList());
    case HttpCmd::GetDateInformation: {
        const TDateInfo &d = *config.getDateInfoList();
        return block({{QStringLiteral("date"), d.date()}, {QStringLiteral("time"), d.time()},
            {QStringLiteral("timezone"), d.timezone()}, {QStringLiteral("dstauto"), d.dstauto()},
            {QStringLiteral("dstenable"), d.dstenable()}, {QStringLiteral("offsetmin"), d.offsetmin()},
            {QStringLiteral("offsetmins"), d.offsetmins()}, {QStringLiteral("startdst"), d.startdst()},
            {QStringLiteral("enddst"), d.enddst()}});
    }
    case HttpCmd::GetTimeZoneListInformation:
        return block({{QStringLiteral("timezonelist"), config.getTimeZoneListInfoList()->timezonelist()}});
    default:
        return QString();
    }
}
