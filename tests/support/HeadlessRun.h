#pragma once

#include <QJsonObject>
#include <QString>

// One `nvrwizard --headless` run with these answers, its waits shortened by
// timeScale. exitCode is -1 when it did not end within waitMs.
struct HeadlessRun
{
    int exitCode = -1;
    QString summary; // standard output
    QString errors; // standard error: progress lines

    static HeadlessRun run(const QJsonObject &answers, double timeScale = 0.1, int waitMs = 30000);
    // The same with an answers file as it stands.
    static HeadlessRun runFile(const QString &answersFile, double timeScale = 0.1, int waitMs = 30000);
    QJsonObject summaryJson() const;
};
