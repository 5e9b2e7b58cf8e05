#include "sim/core/SimPortal.h"

#include <QJsonArray>

SimAccount *SimPortal::byEmail(const QString &email)
{
    for (SimAccount &a : accounts) {
        if (a.email.compare(email, Qt::CaseInsensitive) == 0)
            return &a;
    }
    return nullptr;
}

SimAccount *SimPortal::byKey(const QString &key)
{
    for (SimAccount &a : accounts) {
        if (!key.isEmpty() && a.key == key)
            return &a;
    }
    return nullptr;
}

bool SimPortal::fromJson(const QJsonObject &object, SimPortal *portal, QString *error)
{
    SimPortal loaded;
    loaded.enabled = true;
    loaded.ip = object.value(QLatin1String("ip")).toString(loaded.ip);
    loaded.emptyBody = object.value(QLatin1String("emptyBody")).toBool(false);
    for (const QJsonValue &value : object.value(QLatin1String("accounts")).toArray()) {
        const QJsonObject o = value.toObject();
        SimAccount a;
        a.email = o.value(QLatin1String("email")).toString();
        a.password = o.value(QLatin1String("password")).toString();
        a.firstName = o.value(QLatin1String("firstName")).toString();
        a.lastName = o.value(QLatin1String("lastName")).toString();
        a.key = o.value(QLatin1String("key")).toString();
        for (const QJsonValue &d : o.value(QLatin1String("devices")).toArray())
            a.devices << d.toString();
        if (a.email.isEmpty()) {
            *error = QStringLiteral("portal: an account without \"email\"");
            return false;
        }
        loaded.accounts << a;
    }
    *portal = loaded;
    return true;
}

QJsonObject SimPortal::toJson() const
{
    QJsonArray list;
    for (const SimAccount &a : accounts) {
        list.append(QJsonObject {{QStringLiteral("email"), a.email}, {QStringLiteral("password"), a.password},
            {QStringLiteral("firstName"), a.firstName}, {QStringLiteral("lastName"), a.lastName},
            {QStringLiteral("key"), a.key}, {QStringLiteral("devices"), QJsonArray::fromStringList(a.devices)}});
    }
    QJsonObject o {{QStringLiteral("ip"), ip}, {QStringLiteral("accounts"), list}};
    if (emptyBody)
        o.insert(QStringLiteral("emptyBody"), true);
    return o;
}
