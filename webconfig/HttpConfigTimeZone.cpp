// The time commands of HttpConfig that need more than one line: setting the
// zone with its echo check, and the zone list in the wizard's language.
#include "webconfig/HttpConfig.h"

#include "platform/Log.h"
#include "webconfig/AnswerText.h"
#include "webconfig/HttpCommand.h"
#include "webconfig/RecordParsers.h"
#include "webconfig/TimeZoneLanguage.h"

void HttpConfig::performSetDateInformation(
    const TVexorReply &dest, const QString &user, const QString &pass, const QString &timezone)
{
    begin(HttpCmd::SetDateInformation, dest, user, pass);
    // The recorder counts zones from 1.
    timezone2 = QString::number(RecordParsers::leadingInt(timezone) + 1);
    const QString path = QStringLiteral("datetime?timezone=%1").arg(timezone2);
    Log::format(
        "%s %s", "-[HttpConfig performSetDateInformation:user:pass:timezone:]", qUtf8Printable(recorderUrl(path)));
    request(path);
}

void HttpConfig::parseSetDate(const QString &text)
{
    Log::format("<%s>%s", "-[HttpConfig parserSetDateInformation:]", qUtf8Printable(text));
    error.reset();
    Log::line(QStringLiteral("old timezone:%1").arg(timezone2));
    bool echoed = false;
    for (const QString &line : AnswerText::lines(text)) {
        const auto kv = AnswerText::keyValue(line);
        if (!kv || kv->key != QLatin1String("timezone"))
            continue;
        echoed = true;
        if (kv->value != timezone2) {
            error = QStringLiteral("timezone setting failed");
            Log::line(QStringLiteral("new timezone:%1").arg(kv->value));
        }
    }
    // An answer without the zone it now uses (an error page) is no success.
    if (!echoed)
        error = QStringLiteral("timezone setting failed");
}

void HttpConfig::performGetTimeZoneListInformation(
    const TVexorReply &dest, const QString &user, const QString &pass, const QString &lang)
{
    begin(HttpCmd::GetTimeZoneListInformation, dest, user, pass);
    timeZoneListInfos = std::make_shared<TTimeZoneListInfo>();
    request(QStringLiteral("timezonelist?language=%1").arg(timeZoneLanguageNumber(lang)));
}
