#include "webconfig/TimeZoneLanguage.h"

#include "platform/Log.h"

#include <QHash>

int timeZoneLanguageNumber(const QString &wizardLanguage)
{
    static const QHash<QString, int> numbers = {
        {QStringLiteral("EN"), 4},
        {QStringLiteral("PT"), 16},
        {QStringLiteral("RU"), 19},
        {QStringLiteral("ES"), 5},
        {QStringLiteral("TW"), 23},
        {QStringLiteral("CN"), 22},
    };
    const auto found = numbers.constFind(wizardLanguage);
    if (found != numbers.constEnd())
        return *found;
    Log::line(QStringLiteral("無此語言, 預設:英文"));
    return 4;
}
