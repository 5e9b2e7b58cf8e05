#pragma once

#include "core/PageController.h"
#include "netcheck/ReachDiagnosis.h"
#include "protocol/TVexorReply.h"

#include <memory>

// The selected recorder: one copy made when the user picks it, shared by the
// setup page and every later step.
using NvrRef = std::shared_ptr<const TVexorReply>;

class SetupStepDelegate;
struct HttpError;

// A step of the setup page. theDelegate is the setup page.
class SetupStep : public PageController
{
    Q_OBJECT
public:
    using PageController::PageController;

    // Why the recorder's web interface could not be reached, when the step's
    // last request to it found no server; shown under the step's content.
    const ReachDiagnosis &diagnosis() const { return m_diagnosis; }
    QString diagnosisText() const;
    // "Try again" beside the diagnosis: the step's last request once more.
    bool btTryAgainVisible() const { return m_diagnosis && canTryAgain(); }
    QString btTryAgainTitle() const { return text(QStringLiteral("Reach_TryAgain")); }
    void onTryAgainClicked();

signals:
    // The recorder answered a request: what was said about reaching it no longer holds.
    void recorderReached();

protected:
    // A modal alert with the text of key and one "Button Close".
    void showAlert(const QString &key);
    // The alert every step shows when the recorder cannot be reached.
    void showNetworkErrorMessageBox() { showAlert(QStringLiteral("Check network Failed")); }
    // A request to the recorder failed: when it found no server, the
    // diagnosis says why.
    void noteHttpFailure(const HttpError &error, const TVexorReply &recorder);
    void noteReached();
    void clearDiagnosis() { m_diagnosis = {}; }
    // Steps whose failed request can simply be sent again say so and send it.
    virtual bool canTryAgain() const { return false; }
    virtual void tryAgain() { }

    SetupStepDelegate *theDelegate = nullptr;

private:
    ReachDiagnosis m_diagnosis;
};

// A step that works on the selected recorder with the administrator login.
class RecorderStep : public SetupStep
{
    Q_OBJECT
public:
    using SetupStep::SetupStep;

    virtual void setDelegate(SetupStepDelegate *delegate, NvrRef device, const QString &user, const QString &password);

    NvrRef device() const { return m_device; }
    QString user() const { return m_user; }
    QString password() const { return m_password; }

protected:
    void noteHttpFailure(const HttpError &error) { SetupStep::noteHttpFailure(error, *m_device); }

private:
    NvrRef m_device;
    QString m_user;
    QString m_password;
};
