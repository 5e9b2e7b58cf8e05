#include "platform/UrlOpener.h"

#include "platform/Log.h"

#include <QDesktopServices>

bool DesktopUrlOpener::openUrl(const QUrl &url)
{
    const bool handedOver = QDesktopServices::openUrl(url);
    if (!handedOver)
        Log::line(QStringLiteral("nothing could open %1").arg(url.toString()));
    return handedOver;
}

bool RecordingUrlOpener::openUrl(const QUrl &url)
{
    Log::line(QStringLiteral("open %1").arg(url.toString()));
    m_opened.append(url);
    return !m_nothingOpens;
}
