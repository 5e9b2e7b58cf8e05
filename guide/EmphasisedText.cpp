#include "guide/EmphasisedText.h"

#include "platform/Log.h"

EmphasisedText EmphasisedText::find(const QString &text, const QString &phrase)
{
    // An empty label would "occur" everywhere; it emphasises nothing.
    if (phrase.isEmpty() || !text.contains(phrase)) {
        Log::line(QStringLiteral("string does not contain NEXT"));
        return {text, QString()};
    }
    Log::line(QStringLiteral("string contains NEXT!"));
    return {text, phrase};
}
