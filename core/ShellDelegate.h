#pragma once

#include <QString>

// What the top-level pages may ask of the application shell. Every operation
// is optional: the default does nothing.
class ShellDelegate
{
public:
    virtual ~ShellDelegate() = default;

    virtual void showWelcomeView() { }
    virtual void showInstallView() { }
    virtual void showSetupView() { }
    // The summary is what the setup page holds when it asks for the page.
    virtual void showSummaryView() { }
    virtual void switchLanguage(const QString &code) { Q_UNUSED(code); }
    virtual void finishWizard() { }
};
