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

QString holdSentenceEnds(const QString &text)
{
    constexpr qsizetype kHeld = 4;
    static const QString marks = QStringLiteral("\u3002\uFF1F\uFF01");
    static const QChar joiner(0x2060);
    const auto holdable
        = [](QChar c) { return c.unicode() > 0x7F && !c.isSpace() && !c.isSurrogate() && !marks.contains(c); };
    QList<bool> joinAfter(text.size(), false);
    for (qsizetype mark = 0; mark < text.size(); ++mark) {
        if (!marks.contains(text.at(mark)))
            continue;
        for (qsizetype i = mark - 1; i >= 0 && i >= mark - kHeld && holdable(text.at(i)); --i)
            joinAfter[i] = true;
    }
    QString held;
    held.reserve(text.size() + text.size() / 4);
    for (qsizetype i = 0; i < text.size(); ++i) {
        held += text.at(i);
        if (joinAfter.at(i))
            held += joiner;
    }
    return held;
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
