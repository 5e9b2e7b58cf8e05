#include "webconfig/CloudForms.h"

#include "platform/ModelName.h"
#include "webconfig/UrlQueryValue.h"

#include <QStringList>
#include <QUrl>

namespace {

const QByteArray kFormSyntax = QByteArrayLiteral("%&+#?=");

QString firstLine(const QString &text)
{
    const qsizetype end = text.indexOf(QLatin1String("\r\n"));
    return end < 0 ? text : text.left(end);
}

} // namespace

namespace CloudForms {

QString escaped(const QString &value, const QByteArray &alsoKept)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value, alsoKept));
}

QString formValue(const QString &value)
{
    return percentEscaped(value, kFormSyntax);
}

QString queryValue(const QString &value)
{
    return percentEscaped(value, kFormSyntax + kNotInUrls);
}

QString accountQuery(const QString &email, const QString &password)
{
    return QStringLiteral("email=%1&password=%2&status=1").arg(queryValue(email), queryValue(password));
}

QString signinBody(const QString &wizardVer, const QString &lang, const QString &email, const QString &password)
{
    return QStringLiteral("client=wizard&wizard_version=%1&lang=%2&email=%3&password=%4&\r\n\r\n")
        .arg(formValue(wizardVer), formValue(lang), formValue(email), formValue(password));
}

QString addBody(const QString &wizardVer, const QString &lang, const QString &number, const QString &devicePassword,
    const QString &dfp)
{
    return QStringLiteral("client=wizard&wizard_version=%1&lang=%2&kelto_no=%3&device_password=%4&dfp=%5&\r\n\r\n")
        .arg(formValue(wizardVer), formValue(lang), formValue(number), formValue(devicePassword), formValue(dfp));
}

QString newAccountBody(const QString &wizardVer, const QString &lang, const QString &email, const QString &password,
    const QString &verify, const QString &first, const QString &last)
{
    // The closing CR LF pair goes out escaped, as the portal has always received it.
    return QStringLiteral("client=wizard&wizard_version=%1&lang=%2&action=sign-up&accept=accept&email=%3&password=%4"
                          "&password_verify=%5&name_first=%6&name_last=%7")
               .arg(escaped(wizardVer), escaped(lang), escaped(email, "@"), escaped(password), escaped(verify),
                   escaped(first), escaped(last))
        + QLatin1String("%0D%0A%0D%0A");
}

Answer signinAnswer(const QString &text)
{
    const QString line = firstLine(text);
    const QStringList parts = line.split(QLatin1Char(':'));
    if (parts.first() == QLatin1String("success"))
        return {true, parts.value(1)};
    return {false, line};
}

Answer addAnswer(const QString &text)
{
    const QString line = firstLine(text);
    const QStringList parts = line.split(QLatin1Char(':'));
    if (parts.value(1) == ModelName::kNvr)
        return {true, parts.first()};
    return {false, line};
}

} // namespace CloudForms
