#include "webconfig/AnswerStatus.h"

#include "webconfig/HttpCommand.h"

std::optional<HttpError> answerFailure(int cmd, qint64 status, const QByteArray &body)
{
    if (status >= 200 && status < 300)
        return std::nullopt;
    switch (cmd) {
    case HttpCmd::NimboraSignin:
    case HttpCmd::NimboraAdd:
    case HttpCmd::NimboraNewAccount:
        return std::nullopt;
    case HttpCmd::GetNimboraRegInfo:
        if (body.contains("400 Bad Request"))
            return std::nullopt;
        break;
    case HttpCmd::GetTimeZoneListInformation:
        if (body.contains("Access Error"))
            return std::nullopt;
        break;
    default:
        break;
    }
    return HttpError {
        kHttpStatusErrorDomain, int(status), QStringLiteral("The recorder answered with status %1.").arg(status)};
}
