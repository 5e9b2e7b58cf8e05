#include "app/headless/AnswersFile.h"

#include "app/headless/HeadlessDriver.h"
#include "core/Languages.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cstdio>

namespace {

constexpr int kMaxTimeoutSeconds = 86400;

// "line L, column C" of a byte offset into the file, both counted from 1.
QString lineAndColumn(const QByteArray &data, qsizetype offset)
{
    const QString before = QString::fromUtf8(data.left(offset));
    const qsizetype lineStart = before.lastIndexOf(QLatin1Char('\n')) + 1;
    return QStringLiteral("line %1, column %2")
        .arg(before.count(QLatin1Char('\n')) + 1)
        .arg(before.size() - lineStart + 1);
}

} // namespace

QStringList unknownKeys(const QString &where, const QJsonObject &object, QStringList known)
{
    known.sort(Qt::CaseInsensitive);
    const QString knownText = known.isEmpty() ? QStringLiteral("none") : known.join(QStringLiteral(", "));
    QStringList mistakes;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!known.contains(it.key()))
            mistakes << QStringLiteral("%1: unknown key \"%2\" (known: %3)").arg(where, it.key(), knownText);
    }
    return mistakes;
}

bool readAnswersFile(const QString &path, QJsonObject &answers, QString &error, const QString &kind)
{
    // "-" is standard input, where a program can hand over its answers
    // without leaving them in a file.
    const bool standardInput = path == QLatin1String("-");
    QFile file(path);
    const bool opened = standardInput ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    const QString name = standardInput ? QStringLiteral("from standard input") : path;
    if (!opened) {
        error = QStringLiteral("cannot read the %1 %2: %3").arg(kind, name, file.errorString());
        return false;
    }
    return parseAnswersFile(name, file.readAll(), answers, error, kind);
}

bool parseAnswersFile(
    const QString &path, const QByteArray &bytes, QJsonObject &answers, QString &error, const QString &kind)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error = QStringLiteral("the %1 %2 is not valid JSON: %3 at %4")
                    .arg(kind, path, parseError.errorString(), lineAndColumn(bytes, parseError.offset));
        return false;
    }
    if (!doc.isObject()) {
        error = QStringLiteral("the %1 %2 must hold one JSON object").arg(kind, path);
        return false;
    }
    answers = doc.object();
    return true;
}

QStringList validateAnswers(const QJsonObject &answers, const HeadlessDrivers &drivers)
{
    QStringList mistakes;
    for (auto it = answers.begin(); it != answers.end(); ++it) {
        const QString &key = it.key();
        if (key == QLatin1String("language")) {
            if (!it->isString() || Languages::indexOf(it->toString()) < 0)
                mistakes << QStringLiteral("unknown language \"%1\" (use a code such as \"EN\" or \"NL_BE\", or a "
                                           "name as the welcome page shows it)")
                                .arg(it->toVariant().toString());
            continue;
        }
        if (key == QLatin1String("timeoutSeconds")) {
            // Bounded so that the wait in milliseconds still fits its timer.
            if (!it->isDouble() || it->toInt() <= 0 || it->toInt() > kMaxTimeoutSeconds)
                mistakes << QStringLiteral("\"timeoutSeconds\" must be a positive number: whole seconds, at most %1")
                                .arg(kMaxTimeoutSeconds);
            continue;
        }
        const HeadlessDriver *driver = drivers.section(key);
        if (!driver) {
            QStringList known = drivers.sections() << QStringLiteral("language") << QStringLiteral("timeoutSeconds");
            known.sort(Qt::CaseInsensitive);
            mistakes << QStringLiteral("unknown section \"%1\" (known: %2)").arg(key, known.join(QStringLiteral(", ")));
            continue;
        }
        if (!it->isObject()) {
            mistakes << QStringLiteral("section \"%1\" must be an object").arg(key);
            continue;
        }
        mistakes << unknownKeys(QStringLiteral("section \"%1\"").arg(key), it->toObject(), driver->keys);
        const QString found = driver->validate ? driver->validate(it->toObject()) : QString();
        for (const QString &mistake : found.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            mistakes << QStringLiteral("section \"%1\": %2").arg(key, mistake);
    }
    return mistakes;
}
