#include "EmptyNetwork.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

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

bool rerunCurrentTest()
{
    if (inside())
        return false;
    QString output;
    if (!run(QString::fromLatin1(QTest::currentTestFunction()), &output))
        QTest::qFail(qPrintable(output), __FILE__, __LINE__);
    return true;
}

} // namespace EmptyNetwork
