#include "shortcuts/DesktopEntry.h"

namespace {

// The wizard's own icon, which the package installs in the hicolor theme; the
// launcher bundle carries none of its own.
const QString kIcon = QStringLiteral(NVR_APP_ID);

bool hasLineBreak(const QString &s)
{
    return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r'));
}

// The escapes every string value of an entry takes.
QString escapedValue(QString s)
{
    s.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    s.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    if (s.startsWith(QLatin1Char(' ')))
        s.replace(0, 1, QLatin1String("\\s"));
    return s;
}

} // namespace

QString DesktopEntry::execArgument(const QString &argument)
{
    // Inside double quotes the Exec syntax escapes ", `, $ and \ with a
    // backslash; "%" would start a field code. Then the value's own escapes.
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
    }
    return escapedValue(QLatin1Char('"') + quoted + QLatin1Char('"'));
}

QString DesktopEntry::text(const QString &name, const QString &program)
{
    if (hasLineBreak(name) || hasLineBreak(program))
        return {};
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Version=1.4\n"
                          "Name=%1\n"
                          "Comment=Opens the recorder's page on the Nimbora cloud portal\n"
                          "Exec=%2\n"
                          "Icon=%3\n"
                          "Terminal=false\n"
                          "Categories=Network;\n")
        .arg(escapedValue(name), execArgument(program), kIcon);
}
