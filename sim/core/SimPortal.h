#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// The accounts of the simulated cloud portal, from the scenario's "portal"
// object and written back to the state file.
struct SimAccount
{
    QString email;
    QString password;
    QString firstName;
    QString lastName;
    QString key; // the session key that sign-in answers and add-device expects as its cookie
    QStringList devices; // cloud device numbers added to this account
};

struct SimPortal
{
    bool enabled = false; // only scenarios with a "portal" object serve one
    QString ip = QStringLiteral("203.0.113.20");
    bool emptyBody = false; // every form answered 200 with an empty body and not acted on
    QList<SimAccount> accounts;

    SimAccount *byEmail(const QString &email);
    SimAccount *byKey(const QString &key);

    static bool fromJson(const QJsonObject &object, SimPortal *portal, QString *error);
    QJsonObject toJson() const;
};
