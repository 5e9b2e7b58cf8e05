#include "app/headless/AnswersFile.h"

#include "app/Languages.h"
#include "app/headless/HeadlessDriver.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>

namespace {

constexpr int kMaxTimeoutSeconds = 86400;

} // namespace

bool readAnswersFile(const QString &path, QJsonObject &answers, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read the answers file %1: %2").arg(path, file.errorString());
        return false;
    }
    return parseAnswersFile(path, file.readAll(), answers, error);
}

bool parseAnswersFile(const QString &path, const QByteArray &bytes, QJsonObject &answers, QString &error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error = QStringLiteral("the answers file %1 is not valid JSON: %2 at offset %3")
                    .arg(path, parseError.errorString())
                    .arg(parseError.offset);
        return false;
    }
    if (!doc.isObject()) {
        error = QStringLiteral("the answers file %1 must hold one JSON object").arg(path);
        return false;
    }
    answers = doc.object();
    return true;
}

QString validateAnswers(const QJsonObject &answers, const HeadlessDrivers &drivers)
{
    for (auto it = answers.begin(); it != answers.end(); ++it) {
        const QString &key = it.key();
        if (key == QLatin1String("language")) {
            if (!it->isString() || Languages::indexOf(it->toString()) < 0)
                return QStringLiteral("unknown language \"%1\" (use a code such as \"EN\" or \"NL_BE\", or a name "
                                      "as the welcome page shows it)")
                    .arg(it->toVariant().toString());
            continue;
        }
        if (key == QLatin1String("timeoutSeconds")) {
            // Bounded so that the wait in milliseconds still fits its timer.
            if (!it->isDouble() || it->toInt() <= 0 || it->toInt() > kMaxTimeoutSeconds)
                return QStringLiteral("\"timeoutSeconds\" must be a positive number: whole seconds, at most %1")
                    .arg(kMaxTimeoutSeconds);
            continue;
        }
        const HeadlessDriver *driver = drivers.find(key);
        if (!driver)
            return QStringLiteral("unknown section \"%1\"").arg(key);
        if (!it->isObject())
            return QStringLiteral("section \"%1\" must be an object").arg(key);
        if (driver->validate) {
            const QString error = driver->validate(it->toObject());
            if (!error.isEmpty())
                return QStringLiteral("section \"%1\": %2").arg(key, error);
        }
    }
    return {};
}
