#include "core/TextFormat.h"

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
