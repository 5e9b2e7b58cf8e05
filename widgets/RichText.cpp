#include "widgets/RichText.h"

QString emphasisedHtml(const QString &text, const QString &phrase)
{
    QString html = text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    if (phrase.isEmpty())
        return html;
    const QString escaped = phrase.toHtmlEscaped();
    return html.replace(escaped, QStringLiteral("<b>%1</b>").arg(escaped));
}
