// The cloud portal's form calls, carried by HttpConfig's transport.
#include "webconfig/HttpConfig.h"

#include "platform/Log.h"
#include "webconfig/CloudForms.h"
#include "webconfig/HttpCommand.h"

QString HttpConfig::portalUrl(const TNimboraInfo &info, const QString &path) const
{
    // The host is the recorder's word, used as is: an empty one makes an unusable URL.
    return QStringLiteral("https://%1%2").arg(info.portal_url().value_or(QString()), path);
}

void HttpConfig::startNimboraSignin(
    const TNimboraInfo &info, const QString &wizardVer, const QString &lang, const QString &email, const QString &pass)
{
    beginPortal(HttpCmd::NimboraSignin);
    nimboraRespStatus = false;
    nimboraRespKey = QString();
    const QString url = portalUrl(info, QStringLiteral("/account/?signin"));
    Log::format("%s %s", "-[HttpConfig performNimboraSignin]", qUtf8Printable(url));
    httpget.postNimbora(url, QString(), CloudForms::signinBody(wizardVer, lang, email, pass));
}

void HttpConfig::startNimboraAdd(const TNimboraInfo &info, const QString &wizardVer, const QString &lang,
    const QString &devicePassword, const QString &key)
{
    beginPortal(HttpCmd::NimboraAdd);
    nimboraRespKey = key;
    nimboraRespStatus = false;
    httpget.postNimbora(portalUrl(info, QStringLiteral("/account/?add")), QStringLiteral("nimbora=%1").arg(key),
        CloudForms::addBody(
            wizardVer, lang, info.portal_number().value_or(QString()), devicePassword, info.dfp().value_or(QString())));
}

void HttpConfig::startNimboraNewAccount(const TNimboraInfo &info, const QString &wizardVer, const QString &lang,
    const QString &mail, const QString &pass, const QString &verify, const QString &first, const QString &last)
{
    beginPortal(HttpCmd::NimboraNewAccount);
    nimboraRespStatus = false;
    const QString hidden = Log::masked(pass);
    Log::line(QStringLiteral("percentEscapedStr=%1")
                  .arg(CloudForms::newAccountBody(wizardVer, lang, mail, hidden, hidden, first, last)));
    httpget.postNimbora(portalUrl(info, QStringLiteral("/signin")), QString(),
        CloudForms::newAccountBody(wizardVer, lang, mail, pass, verify, first, last));
}
