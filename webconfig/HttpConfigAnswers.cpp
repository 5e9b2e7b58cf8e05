// Reading the answers of the single-request commands into HttpConfig's records.
#include "webconfig/HttpConfig.h"

#include "platform/Log.h"
#include "webconfig/AnswerText.h"
#include "webconfig/CloudForms.h"
#include "webconfig/HttpCommand.h"
#include "webconfig/RecordParsers.h"

void HttpConfig::parseAnswer(const QByteArray &datas)
{
    const QString text
        = httpCmd == HttpCmd::GetTimeZoneListInformation ? AnswerText::fromUtf8(datas) : AnswerText::fromAscii(datas);
    switch (httpCmd) {
    case HttpCmd::GetNimboraInfo:
        *nimboraInfo = *RecordParsers::nimboraInfo(text);
        break;
    case HttpCmd::GetNimboraRegInfo:
        *nimboraRegInfo = *RecordParsers::nimboraRegInfo(text);
        break;
    case HttpCmd::CameraDiscovery:
        parseCameras(text);
        break;
    case HttpCmd::NimboraSignin:
    case HttpCmd::NimboraNewAccount: {
        if (httpCmd == HttpCmd::NimboraNewAccount)
            Log::line(QStringLiteral("parserNimboraNewAccount:"));
        const CloudForms::Answer answer = CloudForms::signinAnswer(text);
        nimboraRespStatus = answer.status;
        nimboraRespKey = answer.key;
        break;
    }
    case HttpCmd::NimboraAdd: {
        const CloudForms::Answer answer = CloudForms::addAnswer(text);
        nimboraRespStatus = answer.status;
        nimboraRespKey = answer.key;
        break;
    }
    case HttpCmd::ResetNVR:
        parseResetNVR(text);
        break;
    case HttpCmd::GetDateInformation:
        Log::line(QStringLiteral("<date>%1").arg(text));
        *dateInfos = *RecordParsers::dateInfo(text);
        break;
    case HttpCmd::SetDateInformation:
        parseSetDate(text);
        break;
    case HttpCmd::GetTimeZoneListInformation: {
        Log::format("%s %s", "-[HttpConfig parserTimeZoneListInformation:]", qUtf8Printable(text));
        const bool refused = text.contains(QLatin1String("Access Error"));
        std::optional<QString> list = refused ? std::optional<QString>(text) : std::nullopt;
        for (const QString &line : AnswerText::lines(text)) {
            const auto kv = AnswerText::keyValue(line);
            if (!refused && kv && kv->key == QLatin1String("timezonelist"))
                list = kv->value;
        }
        timeZoneListInfos->setTimezonelist(list);
        break;
    }
    case HttpCmd::StartRecording:
        *recordingInfos = *RecordParsers::recordingInfo(text);
        break;
    default:
        break; // the body of the other commands carries nothing the wizard reads
    }
}

void HttpConfig::parseResetNVR(const QString &text)
{
    Log::line(QStringLiteral("parserResetNVR:"));
    const auto kv = AnswerText::firstKeyValue(text);
    if (kv && kv->key == QLatin1String("waittime")) {
        watingTime = kv->value;
        Log::line(QStringLiteral("parserResetNVR:%1=%2").arg(kv->key, kv->value));
    } else {
        Log::line(QStringLiteral("NVR reset fail"));
    }
}
