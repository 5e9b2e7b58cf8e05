#include "sim/cam/SimCameraWeb.h"

#include "sim/cam/SimTestCard.h"
#include "sim/core/SimLog.h"
#include "sim/core/SimState.h"

#include <QUrl>

#include <algorithm>

namespace {

const QString kAdmin = QStringLiteral("admin");
const QString kPasswordKey = QStringLiteral("AdminPassword");

// The query as the log shows it: escaped, the password masked; a query that
// does not decode is not shown at all, as it may hold one.
QString loggedQuery(const SimHttpRequest &request)
{
    SimFormFields fields;
    if (!parseFormFields(request.query, false, &fields))
        return QStringLiteral("unreadable");
    QStringList shown;
    for (const auto &field : fields) {
        const QByteArray value
            = field.first == kPasswordKey ? QByteArray("***") : QUrl::toPercentEncoding(field.second);
        shown << QString::fromLatin1(QUrl::toPercentEncoding(field.first) + '=' + value);
    }
    return shown.join(QLatin1Char('&'));
}

bool served(const SimCamera &camera, const QByteArray &path)
{
    if (camera.isZebor())
        return path == "/image/jpeg.cgi";
    return path == "/image.jpg" || path == "/userlist.cgi" || path == "/system.cgi";
}

} // namespace

SimCameraWeb::SimCameraWeb(SimState &state, SimLog &log, double timeScale)
    : m_state(state)
    , m_log(log)
    , m_timeScale(timeScale)
{
}

SimHttpResponse SimCameraWeb::answer(const SimHttpRequest &request, const QHostAddress &local)
{
    const QString ip = local.toString();
    const QList<SimCamera *> entries = m_state.camerasAt(ip);
    if (entries.isEmpty())
        return SimHttpResponse::errorPage(404);
    const SimCamera &camera = *entries.first();
    QString user;
    SimHttpResponse response;
    if (camera.silent)
        response.delivery.never = true;
    else
        response = route(camera, request, &user);
    response.delivery.delayMs = int(camera.delayMs * m_timeScale);
    QString fields = QStringLiteral("ip=%1 req=%2").arg(ip, QString::fromLatin1(request.path));
    if (request.hasQuery)
        fields += QStringLiteral(" query=") + loggedQuery(request);
    fields += QStringLiteral(" user=%1 status=%2")
                  .arg(QString::fromLatin1(QUrl::toPercentEncoding(user)),
                      response.delivery.never ? QStringLiteral("none") : QString::number(response.status));
    if (response.delivery.delayMs > 0 && !response.delivery.never)
        fields += QStringLiteral(" delayMs=%1").arg(response.delivery.delayMs);
    m_log.line(QStringLiteral("cam"), fields);
    return response;
}

SimHttpResponse SimCameraWeb::route(const SimCamera &camera, const SimHttpRequest &request, QString *user)
{
    if (!served(camera, request.path))
        return SimHttpResponse::errorPage(404);
    const auto credentials = request.basicCredentials();
    if (credentials)
        *user = credentials->first;
    // A header that is there but unreadable counts as wrong credentials, not as none.
    const bool sent = request.headers.contains("authorization");
    const bool allowed = sent ? credentials && camera.accepts(true, credentials->first, credentials->second)
                              : camera.accepts(false, QString(), QString());
    if (!allowed) {
        SimHttpResponse refused = SimHttpResponse::errorPage(401);
        refused.headers << qMakePair(QByteArray("WWW-Authenticate"), "Basic realm=\"" + camera.model.toUtf8() + '"');
        return refused;
    }
    if (request.method != "GET")
        return SimHttpResponse::errorPage(405);
    if (request.path == "/userlist.cgi")
        return SimHttpResponse::text(200, "UserNum=1\r\nUser1=admin\r\nPrivilege1=Administrator\r\n");
    if (request.path == "/system.cgi") {
        SimFormFields query;
        if (!parseFormFields(request.query, false, &query))
            return SimHttpResponse::errorPage(400);
        return setPassword(camera.ip, query);
    }
    return image(camera);
}

SimHttpResponse SimCameraWeb::image(const SimCamera &camera)
{
    SimHttpResponse response = SimHttpResponse::text(
        200, SimTestCard::jpeg(camera.model, camera.ip, QDateTime::currentDateTime(), ++m_frames[camera.ip]));
    response.contentType = "image/jpeg";
    return response;
}

SimHttpResponse SimCameraWeb::setPassword(const QString &ip, const SimFormFields &query)
{
    const bool named = formValue(query, QStringLiteral("AdminID")) == kAdmin;
    const auto given = std::find_if(
        query.begin(), query.end(), [](const QPair<QString, QString> &f) { return f.first == kPasswordKey; });
    m_log.line(QStringLiteral("changed"), QStringLiteral("camera=%1 path=/system.cgi").arg(ip));
    if (!named || given == query.end())
        return SimHttpResponse::text(400, "AdminID=admin and AdminPassword are required\r\n");
    for (SimCamera *entry : m_state.camerasAt(ip))
        entry->adminPassword = given->second;
    if (!m_state.commit())
        m_log.line(QStringLiteral("error"), QStringLiteral("state file not written"));
    return SimHttpResponse::text(200,
        "AdminID=admin\r\nAdminPassword=" + given->second.toUtf8()
            + "\r\nConfigReboot=" + formValue(query, QStringLiteral("ConfigReboot")).toUtf8() + "\r\n");
}
