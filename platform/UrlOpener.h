#pragma once

#include <QObject>
#include <QStringList>
#include <QUrl>

#include <functional>

// The one way the wizard hands web pages and documents to the user's browser
// or viewer. `failed` runs, possibly later, when nothing on the computer
// could take it.
class UrlOpener
{
public:
    using Failed = std::function<void()>;
    virtual ~UrlOpener() = default;
    virtual void openUrl(const QUrl &url, Failed failed = {}) = 0;
};

// Opens through xdg-open, whose exit status says whether anything took it:
// it can be started and still find no program for the address.
class DesktopUrlOpener : public UrlOpener
{
public:
    ~DesktopUrlOpener() override;
    void openUrl(const QUrl &url, Failed failed = {}) override;

private:
    // The openers still running; a browser they started outlives them.
    QObject m_running;
};

// Keeps what would have been opened; for tests and the headless mode.
class RecordingUrlOpener : public UrlOpener
{
public:
    void openUrl(const QUrl &url, Failed failed = {}) override;
    const QList<QUrl> &opened() const { return m_opened; }

private:
    QList<QUrl> m_opened;
};
