#pragma once

#include "netcheck/InternetCheck.h"
#include "steps/SetupProgressView.h"
#include "steps/SetupStep.h"
#include "steps/Setup_MessageView.h"
#include "steps/Setup_NimboraContentView.h"
#include "webconfig/HttpConfigDelegate.h"
#include "webconfig/records/TNimboraInfo.h"
#include "webconfig/records/TNimboraRegInfo.h"

#include <QTimer>

#include <memory>

class HttpConfig;

// Registers the recorder with the cloud portal: reads the recorder's cloud
// state, and when it is online and not yet registered (and so is the
// computer) offers the form; then signs in or up, adds the recorder, marks it
// registered and stores the account in it. Leaves with "e-mail:password".
class Setup_NimboraView : public RecorderStep, private HttpConfigDelegate, private Setup_NimboraContentViewDelegate
{
    Q_OBJECT
public:
    static inline const QString kPageKey = QStringLiteral("nimbora");
    // What the step is doing, as the user sees it.
    enum class Phase {
        ReadingInfo,
        ReadingRegistration,
        Form,
        SigningIn,
        Creating,
        AddingDevice,
        MarkingRegistered,
        StoringAccount,
        Done
    };
    // internetAval: the computer's internet as last reported.
    enum Internet { NotKnown = 0, Reachable = 1, Unreachable = 2 };

    explicit Setup_NimboraView(WizardContext &context, QObject *parent = nullptr);
    ~Setup_NimboraView() override;

    QString pageKey() const override { return kPageKey; }
    // Starts the computer's internet check at once, before the step is shown.
    void setDelegate(SetupStepDelegate *delegate, NvrRef device, const QString &user, const QString &password) override;
    void viewDidAppear() override;

    void onNextClicked();
    void onBackClicked();

    Setup_NimboraContentView &contentViewController() { return m_form; }
    const Setup_MessageView &messageViewController() const { return messageView; }
    const SetupProgressView &progressView() const { return progress; }
    Phase phase() const { return m_phase; }
    int internetAval() const { return m_internet; }
    // The recorder's answer to the cloud query, once read.
    std::shared_ptr<const TNimboraInfo> nimboraInfo() const { return m_nimboraInfo; }
    // The "e-mail:password" the step last left with.
    const QString &leftWith() const { return m_leftWith; }
    // The form stands in boxContent (otherwise the busy panel or nothing).
    bool formShown() const { return m_formShown && !messageView.isVisible(); }
    bool btBackEnabled() const { return m_backEnabled && !messageView.isVisible(); }
    bool btNextEnabled() const { return m_nextEnabled && !messageView.isVisible(); }
    QString lbTitle() const { return text(QStringLiteral("SetupNimbora_Title")); }
    QString btBackTitle() const { return text(QStringLiteral("APP_Back")); }
    QString btNextTitle() const { return text(QStringLiteral("APP_Next2")); }

private:
    // HttpConfigDelegate
    void onHttpConfigDidFinish(HttpConfig *config, int cmd) override;
    void onHttpDidError(const HttpError &error) override;
    // Setup_NimboraContentViewDelegate
    void enableNext(bool enabled) override;
    void enableNextButton(bool checked) override;
    // A failed reading of the recorder's cloud settings is read again; a
    // failed write after the portal is repeated by Next on the form.
    bool canTryAgain() const override;
    void tryAgain() override;

    void isInternetAvail();
    void performReadyGetNimboraInformation();
    void performReadyGetNimboraRegInformation();
    void showBusy(Phase phase);
    void onNimboraInfo();
    void onNimboraRegInfo();
    void onPortalAnswer();
    void forgetAccount();
    void onAccountStored();
    void showForm(bool enabled);
    void leave(const QString &account);

    std::unique_ptr<HttpConfig> httpConfig;
    InternetCheck internetReachableFoo;
    QTimer m_queryTimer;
    Setup_NimboraContentView m_form;
    Setup_MessageView messageView;
    SetupProgressView progress;
    std::shared_ptr<TNimboraInfo> m_nimboraInfo;
    std::shared_ptr<TNimboraRegInfo> m_nimboraRegInfo;
    QString nimboraAccount;
    QString nimboraPwd;
    QString nimboraPwdVerify;
    QString nimboraFirstName;
    QString nimboraLastName;
    QString nimboraRespKey;
    QString m_leftWith;
    int m_internet = NotKnown;
    Phase m_phase = Phase::ReadingInfo;
    // The phase the last failed request was sent in.
    Phase m_failedIn = Phase::ReadingInfo;
    bool m_formShown = false;
    bool m_backEnabled = false;
    bool m_nextEnabled = false;
};
