#include "guide/EmphasisedText.h"

#include "platform/Log.h"

EmphasisedText EmphasisedText::find(const QString &text, const QString &phrase, const QString &name)
{
    // An empty label would "occur" everywhere; it emphasises nothing.
    if (phrase.isEmpty() || !text.contains(phrase)) {
        Log::line(QStringLiteral("string does not contain %1").arg(name));
        return {text, QString()};
    }
    Log::line(QStringLiteral("string contains %1!").arg(name));
    return {text, phrase};
}

EmphasisedText EmphasisedText::quotedLabel(QString text, const QString &label)
{
    if (label.isEmpty() || !text.contains(label))
        return {text, QString()};
    const QString quoted = QLatin1Char('"') + label + QLatin1Char('"');
    return {text.replace(label, quoted), quoted};
}
