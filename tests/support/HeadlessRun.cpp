#include "HeadlessRun.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

HeadlessRun HeadlessRun::run(const QJsonObject &answers, double timeScale, int waitMs)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("answers.json")));
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(answers).toJson()) < 0)
        return {};
    file.close();
    return runFile(file.fileName(), timeScale, waitMs);
}

HeadlessRun HeadlessRun::runFile(const QString &path, double timeScale, int waitMs)
{
    return command({QStringLiteral("--headless"), path}, {}, timeScale, waitMs);
}

HeadlessRun HeadlessRun::command(const QStringList &arguments, const QByteArray &input, double timeScale, int waitMs)
{
    HeadlessRun result;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("NVRWIZARD_TIME_SCALE"), QString::number(timeScale));
    process.setProcessEnvironment(env);
    process.start(qEnvironmentVariable("NVR_BUILD_DIR") + QStringLiteral("/bin/nvrwizard"), arguments);
    process.write(input);
    process.closeWriteChannel();
    const bool ended = process.waitForFinished(waitMs);
    if (!ended)
        process.kill();
    process.waitForFinished();
    result.summary = QString::fromUtf8(process.readAllStandardOutput());
    result.errors = QString::fromUtf8(process.readAllStandardError());
    if (ended)
        result.exitCode = process.exitCode();
    return result;
}

QJsonObject HeadlessRun::summaryJson() const
{
    return QJsonDocument::fromJson(summary.toUtf8()).object();
}
