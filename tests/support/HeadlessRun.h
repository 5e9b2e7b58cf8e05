#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

// One `nvrwizard` run, its waits shortened by timeScale. exitCode is -1 when it
// did not end within waitMs.
struct HeadlessRun
{
    int exitCode = -1;
    QString summary; // standard output
    QString errors; // standard error: progress lines

    // With these arguments and this standard input.
    static HeadlessRun command(
        const QStringList &arguments, const QByteArray &input = {}, double timeScale = 0.1, int waitMs = 30000);
    // `--headless` with these answers, or with an answers file as it stands.
    static HeadlessRun run(const QJsonObject &answers, double timeScale = 0.1, int waitMs = 30000);
    static HeadlessRun runFile(const QString &answersFile, double timeScale = 0.1, int waitMs = 30000);
    QJsonObject summaryJson() const;
};
