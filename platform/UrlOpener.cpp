#include "platform/UrlOpener.h"

#include "platform/Log.h"

#include <QDesktopServices>

void DesktopUrlOpener::openUrl(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}

void RecordingUrlOpener::openUrl(const QUrl &url)
{
    Log::line(QStringLiteral("open %1").arg(url.toString()));
    m_opened.append(url);
}
