#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Looks for secrets in what a program left behind: log text and every file
// under a folder. Each secret is looked for raw and in the forms it takes on
// the way to a peer (percent-escaped, Base64, Basic credentials), so a line
// that logs a request or its header counts as a leak too.
class SecretScan
{
public:
    void add(const QString &name, const QString &secret);

    // One "WHERE: NAME as FORM" per secret form found in the text.
    QStringList findIn(const QString &where, const QByteArray &text) const;
    // The same for every regular file under the folder, named by its path.
    QStringList findUnder(const QString &folder) const;

private:
    struct Form
    {
        QString name;
        QByteArray bytes;
    };
    QList<Form> m_forms;
};
