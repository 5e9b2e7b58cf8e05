#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

class HeadlessDrivers;

// Reads the answers file, or standard input for "-"; on failure returns false with a message for the user
// (a syntax error by its line and column). kind names the file in messages.
bool readAnswersFile(
    const QString &path, QJsonObject &answers, QString &error, const QString &kind = QStringLiteral("answers file"));
// The same with the file's bytes already read; path only names it in messages.
bool parseAnswersFile(const QString &path, const QByteArray &bytes, QJsonObject &answers, QString &error,
    const QString &kind = QStringLiteral("answers file"));

// A misspelt key would quietly take a default instead: one mistake per key
// of object not in known, "WHERE: unknown key …" with the keys it knows.
QStringList unknownKeys(const QString &where, const QJsonObject &object, QStringList known);

// Checks the whole file: known sections only, a known language, known keys in
// each section, and each section's own rules. Returns every mistake found,
// none when fine.
QStringList validateAnswers(const QJsonObject &answers, const HeadlessDrivers &drivers);
