#pragma once

#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QTemporaryDir>

// The HTTPS stand-in (webfixture.py) run as a child process, with a
// self-signed certificate for another host name made in its own folder; or
// the same over plain HTTP, standing in for a camera.
class WebFixture
{
public:
    WebFixture() = default;
    ~WebFixture();
    WebFixture(const WebFixture &) = delete;
    WebFixture &operator=(const WebFixture &) = delete;

    // routes: {"/config/x?y=1": {"bodies": ["answer", ...], "status": 200}}; each
    // request takes the next body, the last one repeats. lanNamespace: run it
    // inside that network namespace (empty: here).
    bool start(const QString &bindIp, int port, const QJsonObject &routes, const QString &lanNamespace, QString *error);
    // Plain HTTP on a free port of bindIp.
    bool startPlain(const QString &bindIp, const QJsonObject &routes, QString *error);
    int port() const { return m_port; }
    // Every request received so far: method, path, headers [[name, value]], body.
    QList<QJsonObject> requests() const;
    // The values of one header in a logged request, name matched without case.
    static QStringList header(const QJsonObject &request, const QString &name);

private:
    bool launch(const QString &bindIp, int port, const QJsonObject &routes, const QString &lanNamespace,
        const QStringList &tls, QString *error);

    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
};
