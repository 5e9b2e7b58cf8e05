#include "sim/web/SimCloudPortal.h"

#include "sim/core/SimLog.h"
#include "sim/core/SimState.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QUrl>

namespace {

const QStringList kSecretFields {
    QStringLiteral("password"), QStringLiteral("password_verify"), QStringLiteral("device_password")};

// Form values as the portal reads them: the wizard's bodies end in CR LF pairs.
QString field(const SimFormFields &form, const char *key)
{
    return formValue(form, QLatin1String(key)).trimmed();
}

QByteArray line(const QString &text)
{
    return text.toUtf8() + "\r\n";
}

QString sessionKey(const QString &email)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(email.toLower().toUtf8() + "nimbora", QCryptographicHash::Sha1).toHex().left(24));
}

QString cookieValue(const QByteArray &header, const char *name)
{
    for (const QByteArray &part : header.split(';')) {
        const QByteArray trimmed = part.trimmed();
        if (trimmed.startsWith(QByteArray(name) + '='))
            return QString::fromLatin1(trimmed.mid(qstrlen(name) + 1));
    }
    return QString();
}

} // namespace

SimCloudPortal::SimCloudPortal(SimState &state, SimLog &log)
    : m_state(state)
    , m_log(log)
{
}

SimHttpResponse SimCloudPortal::answer(const SimHttpRequest &request, const QHostAddress &)
{
    const bool signInPath = request.target == "/account/?signin";
    const bool addPath = request.target == "/account/?add";
    const bool signUpPath = request.target == "/signin";
    if (!signInPath && !addPath && !signUpPath)
        return SimHttpResponse::errorPage(404);
    if (request.method != "POST")
        return SimHttpResponse::errorPage(405);
    SimFormFields form;
    if (!parseFormFields(request.body, true, &form))
        return SimHttpResponse::errorPage(400);
    if (m_state.portal().emptyBody) {
        logForm(request, form, QByteArray());
        return SimHttpResponse::text(200, QByteArray());
    }
    const QByteArray text = signInPath ? signIn(form)
        : signUpPath                   ? signUp(form)
                                       : addDevice(form, request.header("cookie"));
    logForm(request, form, text);
    if (!signInPath)
        m_log.line(QStringLiteral("changed"), QStringLiteral("portal path=%1").arg(QString::fromLatin1(request.path)));
    m_state.commit();
    return SimHttpResponse::text(200, text);
}

QByteArray SimCloudPortal::signIn(const SimFormFields &form)
{
    const SimAccount *account = m_state.portal().byEmail(field(form, "email"));
    if (!account || account->password != formValue(form, QStringLiteral("password")))
        return line(QStringLiteral("Incorrect e-mail or password"));
    return line(QStringLiteral("success:%1").arg(account->key));
}

QByteArray SimCloudPortal::signUp(const SimFormFields &form)
{
    static const QRegularExpression mail(QStringLiteral("^[^@\\s]+@[^@\\s]+\\.[^@\\s]+$"));
    const QString email = field(form, "email");
    const QString password = formValue(form, QStringLiteral("password"));
    if (field(form, "action") != QLatin1String("sign-up") || field(form, "accept") != QLatin1String("accept"))
        return line(QStringLiteral("The terms of use must be accepted"));
    if (!mail.match(email).hasMatch())
        return line(QStringLiteral("Invalid e-mail address"));
    if (m_state.portal().byEmail(email))
        return line(QStringLiteral("This e-mail address is already registered"));
    if (password.size() < 6)
        return line(QStringLiteral("The password is too short"));
    if (password != formValue(form, QStringLiteral("password_verify")))
        return line(QStringLiteral("The passwords do not match"));
    SimAccount account;
    account.email = email;
    account.password = password;
    account.firstName = field(form, "name_first");
    account.lastName = field(form, "name_last");
    account.key = sessionKey(email);
    m_state.portal().accounts << account;
    return line(QStringLiteral("success:%1").arg(account.key));
}

QByteArray SimCloudPortal::addDevice(const SimFormFields &form, const QByteArray &cookie)
{
    SimAccount *account = m_state.portal().byKey(cookieValue(cookie, "nimbora"));
    if (!account)
        return line(QStringLiteral("Please sign in first"));
    const QString number = field(form, "kelto_no");
    for (SimRecorder &r : m_state.recorders()) {
        if (r.web.cloud.value(QStringLiteral("portal_number")) != number)
            continue;
        if (r.web.cloud.value(QStringLiteral("portal_dfp")) != field(form, "dfp")
            || r.password != formValue(form, QStringLiteral("device_password")))
            return line(QStringLiteral("The device could not be verified"));
        if (!account->devices.contains(number))
            account->devices << number;
        return line(QStringLiteral("%1:%2").arg(number, r.model));
    }
    return line(QStringLiteral("Unknown device number"));
}

void SimCloudPortal::logForm(const SimHttpRequest &request, const SimFormFields &form, const QByteArray &answer)
{
    QStringList fields {QStringLiteral("path=%1").arg(
                            QString::fromLatin1(QUrl::toPercentEncoding(QString::fromLatin1(request.target), "/?"))),
        QStringLiteral("cookie=%1")
            .arg(request.headers.contains("cookie") ? QStringLiteral("yes") : QStringLiteral("no"))};
    for (const auto &f : form) {
        if (f.first.trimmed().isEmpty())
            continue;
        const QString value = kSecretFields.contains(f.first) ? QStringLiteral("***") : f.second;
        fields << QStringLiteral("%1=%2").arg(
            QString::fromLatin1(QUrl::toPercentEncoding(f.first)), QString::fromLatin1(QUrl::toPercentEncoding(value)));
    }
    const QString first = QString::fromUtf8(answer).section(QStringLiteral("\r\n"), 0, 0);
    fields << QStringLiteral("answer=%1")
                  .arg(QString::fromLatin1(QUrl::toPercentEncoding(
                      first.startsWith(QLatin1String("success:")) ? QStringLiteral("success") : first)));
    m_log.line(QStringLiteral("form"), fields.join(QLatin1Char(' ')));
}
