#pragma once

#include <QStringList>
#include <QUrl>

// The one way the wizard hands web pages and documents to the user's browser
// or viewer. False when nothing on the computer could take it.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    virtual bool openUrl(const QUrl &url) = 0;
};

// Opens through the desktop (xdg-open).
class DesktopUrlOpener : public UrlOpener
{
public:
    bool openUrl(const QUrl &url) override;
};

// Keeps what would have been opened; for tests and the headless mode.
class RecordingUrlOpener : public UrlOpener
{
public:
    bool openUrl(const QUrl &url) override;
    const QList<QUrl> &opened() const { return m_opened; }
    // A computer without a browser or viewer: every open fails.
    void setNothingOpens(bool nothing) { m_nothingOpens = nothing; }

private:
    QList<QUrl> m_opened;
    bool m_nothingOpens = false;
};
