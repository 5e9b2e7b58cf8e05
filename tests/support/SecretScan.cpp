#include "SecretScan.h"

#include <QDirIterator>
#include <QFile>
#include <QUrl>

#include <algorithm>

void SecretScan::add(const QString &name, const QString &secret)
{
    const QByteArray raw = secret.toUtf8();
    const QList<Form> forms {
        {name + QStringLiteral(" as is"), raw},
        {name + QStringLiteral(" percent-escaped"), QUrl::toPercentEncoding(secret)},
        {name + QStringLiteral(" in a form body"), QUrl::toPercentEncoding(secret, " ").replace(' ', '+')},
        {name + QStringLiteral(" in Base64"), raw.toBase64()},
        {name + QStringLiteral(" in Basic credentials"), QByteArray("admin:" + raw).toBase64()},
    };
    for (const Form &form : forms)
        if (std::none_of(m_forms.cbegin(), m_forms.cend(), [&form](const Form &o) { return o.bytes == form.bytes; }))
            m_forms.append(form);
}

QStringList SecretScan::findIn(const QString &where, const QByteArray &text) const
{
    QStringList found;
    for (const Form &form : m_forms)
        if (text.contains(form.bytes))
            found.append(where + QStringLiteral(": ") + form.name);
    return found;
}

QStringList SecretScan::findUnder(const QString &folder) const
{
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            found.append(path + QStringLiteral(": unreadable"));
            continue;
        }
        found += findIn(path, file.readAll());
    }
    return found;
}
