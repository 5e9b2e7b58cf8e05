#include "core/TextFormat.h"

#include "core/HMLocalization.h"
#include "core/Languages.h"

QString fillFormat(const QString &format, const QStringList &args)
{
    static const QString placeholder = QStringLiteral("%@");
    QString result;
    int from = 0;
    for (const QString &arg : args) {
        const int at = format.indexOf(placeholder, from);
        if (at < 0)
            break;
        result += QStringView(format).mid(from, at - from);
        result += arg;
        from = at + placeholder.size();
    }
    result += QStringView(format).mid(from);
    return result;
}

QString diskSizeText(const QString &megabytes, const HMLocalization &l10n)
{
    const auto unit = [&l10n](const char *key, const QString &number) {
        return fillFormat(l10n.localizedStringForKey(QString::fromLatin1(key)), {number});
    };
    bool isNumber = false;
    const double bytes = megabytes.trimmed().toDouble(&isNumber) * 1024 * 1024;
    if (!isNumber || bytes < 0)
        return unit("Size_MB", megabytes);
    // Decimal units, as drives are sold and labelled: a "1TB" drive reads 1.0 TB.
    struct Step
    {
        double size;
        const char *key;
    };
    static constexpr Step steps[] = {{1e12, "Size_TB"}, {1e9, "Size_GB"}, {1e6, "Size_MB"}};
    const QLocale locale = Languages::localeOf(l10n.activeLanguage());
    for (const Step &step : steps) {
        const double value = bytes / step.size;
        // 999.7 GB reads as 1.0 TB rather than "1000 GB".
        if (value >= 0.9995 || step.size == 1e6)
            return unit(step.key, locale.toString(value, 'f', value < 9.95 ? 1 : 0));
    }
    return {};
}
