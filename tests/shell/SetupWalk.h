#pragma once

#include "app/SetupView.h"
#include "app/SummaryView.h"
#include "core/HMLocalization.h"
#include "core/ScriptedModalHost.h"
#include "core/ShellDelegate.h"
#include "core/WizardContext.h"
#include "platform/NotificationCenter.h"
#include "platform/UrlOpener.h"

#include <QTemporaryDir>

#include <memory>

// A real setup page, then the summary, walked as a user would against the
// lab's recorders (home in a temporary folder); false, with why(), when stuck.
class SetupWalk : private ShellDelegate
{
public:
    explicit SetupWalk(int waitMs);
    ~SetupWalk() override;

    SetupView &setup() { return *m_setup; }
    // Once shown (currentStep() "summary").
    SummaryView &summary() { return *m_summary; }
    ScriptedModalHost &modal() { return m_modal; }
    HMLocalization &localization() { return *m_l10n; }
    WizardContext &context() { return *m_context; }
    const RecordingUrlOpener &urls() const { return m_urls; }
    QString currentStep() const;
    const QString &why() const { return m_why; }

    // Shows the setup page and picks the recorder with this MAC once the search has ended.
    bool pickRecorder(const QString &mac);
    // The password step: the recorder holds this password; Next to the time
    // zone step, or the form's camera link to the camera step.
    bool confirmPassword(const QString &password, bool toCameras = false);
    // The time zone step: the recorder's reading, then Next to the hard-disk step.
    bool takeTimeZone();
    // The camera step: Next with no camera picked.
    bool passCameras();
    // The cloud step: Skip once the form is there.
    bool skipCloud();
    // From the search to the step with this page key, the recorder holding password.
    bool walkTo(const QString &step, const QString &mac, const QString &password);

    // Waits for cond; false with why() set to what after the wait.
    bool waitFor(const std::function<bool()> &cond, const QString &what);

private:
    void showSummaryView() override;

    int m_waitMs;
    QString m_why;
    NotificationCenter m_notifications;
    std::unique_ptr<HMLocalization> m_l10n;
    ScriptedModalHost m_modal;
    RecordingUrlOpener m_urls;
    std::unique_ptr<WizardContext> m_context;
    QTemporaryDir m_home;
    std::unique_ptr<SetupView> m_setup;
    std::unique_ptr<SummaryView> m_summary;
};
