#pragma once

#include <QStringList>
#include <QUrl>

// The one way the wizard hands web pages and documents to the user's browser
// or viewer; the result is not examined.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    virtual void openUrl(const QUrl &url) = 0;
};

// Opens through the desktop (xdg-open).
class DesktopUrlOpener : public UrlOpener
{
public:
    void openUrl(const QUrl &url) override;
};

// Keeps what would have been opened; for tests and the headless mode.
class RecordingUrlOpener : public UrlOpener
{
public:
    void openUrl(const QUrl &url) override;
    const QList<QUrl> &opened() const { return m_opened; }

private:
    QList<QUrl> m_opened;
};
