#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

class HeadlessDrivers;

// Reads the answers file; on failure returns false with a message for the user.
bool readAnswersFile(const QString &path, QJsonObject &answers, QString &error);
// The same with the file's bytes already read; path only names it in messages.
bool parseAnswersFile(const QString &path, const QByteArray &bytes, QJsonObject &answers, QString &error);

// Checks the whole file: known sections only, a known language, and each
// section's own rules. Returns an error message, or an empty string.
QString validateAnswers(const QJsonObject &answers, const HeadlessDrivers &drivers);
