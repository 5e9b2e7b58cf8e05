// The disk commands of HttpConfig: reading both bays, and formatting the
// marked disks one after the other with progress polling.
#include "webconfig/HttpConfig.h"

#include "platform/Durations.h"
#include "platform/Log.h"
#include "webconfig/AnswerText.h"
#include "webconfig/HttpCommand.h"
#include "webconfig/HttpConfigDelegate.h"
#include "webconfig/RecordParsers.h"

namespace {

constexpr int kBays = 2;
constexpr int kFormatPartition = 0;
constexpr int kFormatFileSystem = 2;

} // namespace

void HttpConfig::startGetHddInfo(const TVexorReply &dest, const QString &user, const QString &pass)
{
    begin(HttpCmd::GetHddInfo, dest, user, pass);
    hddCounter = 0;
    // Emptied in place: whoever holds the list sees it refill.
    if (hddInfos)
        hddInfos->clear();
    else
        hddInfos = std::make_shared<THddInfoList>();
    queryHdd();
}

void HttpConfig::queryHdd()
{
    const QString path = QStringLiteral("storageinfo?storageid=%1").arg(hddCounter);
    Log::line(recorderUrl(path));
    request(path);
}

void HttpConfig::onHddAnswer(const QByteArray &datas)
{
    const QString text = AnswerText::fromAscii(datas);
    Log::format("%s %s", "-[HttpConfig parserHddinfo:]", qUtf8Printable(text));
    hddInfos->append(RecordParsers::hddInfo(text));
    ++hddCounter;
    if (hddCounter < kBays)
        queryHdd();
    else
        finish();
}

void HttpConfig::startFormatHdd(
    std::shared_ptr<THddInfoList> hdds, const TVexorReply &dest, const QString &user, const QString &pass)
{
    begin(HttpCmd::FormatHdd, dest, user, pass);
    hddInfos = std::move(hdds);
    hddCounter = 0;
    formatStep();
}

bool HttpConfig::formatStep()
{
    for (; hddCounter < kBays && hddInfos && hddCounter < hddInfos->size(); ++hddCounter) {
        const THddInfo &hdd = *hddInfos->at(hddCounter);
        if (!hdd.checked())
            continue;
        httpCmd = HttpCmd::FormatHdd;
        request(QStringLiteral("storageformat?storageid=%1&partition=%2&fs=%3")
                    .arg(hdd.storageid().value_or(QString()), QString::number(kFormatPartition),
                        QString::number(kFormatFileSystem)));
        return true;
    }
    return false;
}

void HttpConfig::onFormatPollAnswer(const QByteArray &datas)
{
    // A recorder that answers with a bare value instead of "key=value" is read too.
    const QStringList lines = AnswerText::lines(AnswerText::fromAscii(datas));
    const auto kv = lines.isEmpty() ? std::nullopt : AnswerText::keyValue(lines.first());
    const QString value = kv ? kv->value : lines.value(0).trimmed();
    formatStatus = value;
    Log::format("%s %s", "-[HttpConfig parserFormatStatus:]", qUtf8Printable(value));
    const unsigned generation = m_generation;
    if (theDelegate)
        theDelegate->onHttpUpdateFormatStatus(this, httpCmd, hddCounter + 1, value);
    if (generation != m_generation)
        return; // the delegate started another command
    if (value == QLatin1String("100")) {
        Log::line(QStringLiteral("580A non raid format 成功"));
        ++hddCounter;
        if (!formatStep())
            finish();
    } else if (value == QLatin1String("-1")) {
        finish();
    } else {
        m_pollTimer.start(durations().formatPollMs);
    }
}
