#include "EmptyNetwork.h"

#include <QCoreApplication>
#include <QProcess>

namespace {

const char *const kMarker = "NVR_TEST_EMPTY_NETWORK";

} // namespace

namespace EmptyNetwork {

bool inside()
{
    return qEnvironmentVariableIsSet(kMarker);
}

bool run(const QString &testFunction, QString *output)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QLatin1String(kMarker), QStringLiteral("1"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(
        QStringLiteral("unshare"), {QStringLiteral("-n"), QCoreApplication::applicationFilePath(), testFunction});
    const bool finished = process.waitForFinished(60000);
    *output = QString::fromLocal8Bit(process.readAll());
    if (!finished)
        process.kill();
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace EmptyNetwork
