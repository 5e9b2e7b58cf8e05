#include "platform/UrlOpener.h"

#include "platform/Log.h"

#include <QProcess>

DesktopUrlOpener::~DesktopUrlOpener()
{
    // Quitting is no failure to tell anyone about.
    for (QProcess *opener : m_running.findChildren<QProcess *>())
        opener->disconnect();
}

void DesktopUrlOpener::openUrl(const QUrl &url, Failed failed)
{
    const QString address = url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded);
    auto *opener = new QProcess(&m_running);
    opener->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardInputFile(QProcess::nullDevice());
    const auto fail = [opener, address, failed](const QString &why) {
        Log::line(QStringLiteral("nothing could open %1: %2").arg(address, why));
        opener->deleteLater();
        if (failed)
            failed();
    };
    QObject::connect(opener, &QProcess::errorOccurred, opener, [opener, fail](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            fail(opener->errorString());
    });
    QObject::connect(opener, &QProcess::finished, opener, [opener, fail](int code, QProcess::ExitStatus status) {
        if (status == QProcess::NormalExit && code == 0)
            opener->deleteLater();
        else
            fail(QStringLiteral("xdg-open ended with %1").arg(code));
    });
    opener->start(QStringLiteral("xdg-open"), {address});
}

void RecordingUrlOpener::openUrl(const QUrl &url, Failed)
{
    Log::line(QStringLiteral("open %1").arg(url.toString()));
    m_opened.append(url);
}
