#pragma once

#include "guide/DiagReset.h"
#include "protocol/LandapConfig.h"
#include "protocol/LandapConfigDelegate.h"
#include "steps/DiagResetNVR.h"
#include "steps/SetupProgressView.h"
#include "steps/SetupStep.h"
#include "steps/Setup_ConfirmPasswordView.h"
#include "steps/Setup_SetPasswordView.h"
#include "webconfig/HttpConfigDelegate.h"

#include <QTimer>

#include <memory>

class HttpConfig;

// Verifies or sets the recorder's administrator password over the LAN, or
// resets a recorder whose password was forgotten.
class Setup_PasswordView : public SetupStep,
                           private LandapConfigDelegate,
                           private DiagResetNVRDelegate,
                           private DiagResetDelegate,
                           private HttpConfigDelegate
{
    Q_OBJECT
public:
    static inline const QString kPageKey = QStringLiteral("password");

    // What answer the step waits for (subStep).
    enum Phase {
        CheckFactoryState = 0,
        SetPassword = 1, // PWD_SET_PASSWORD
        ConfirmPassword = 2, // PWD_CONFIRM_PASSWORD, then the time zone step
        ConfirmForCamera = 3, // PWD_CONFIRM_PASSWORD, then the camera step
        CheckResetUser = 4,
    };
    enum class Content { SetForm, ConfirmForm };

    explicit Setup_PasswordView(WizardContext &context, QObject *parent = nullptr);
    ~Setup_PasswordView() override;

    QString pageKey() const override { return kPageKey; }
    void viewDidAppear() override;

    void setDelegate(SetupStepDelegate *delegate, NvrRef device);
    QString getUserName() const;
    QString getPassword() const;

    // Buttons and links.
    void onNextClicked();
    void onBackClicked();
    void onResetClicked();
    void onGotoSearchCamera();
    void onGotoResetCamera();
    void onForgotPasswordClicked();

    Setup_SetPasswordView &setForm() { return m_setForm; }
    Setup_ConfirmPasswordView &confirmForm() { return m_confirmForm; }

    int subStep() const { return m_subStep; }
    int retryTime() const { return retry_time; }
    int secondsLeft() const { return timerCounter; }
    Content content() const { return m_content; }
    bool btBackEnabled() const { return m_backEnabled; }
    bool btNextEnabled() const { return m_nextEnabled; }
    bool btResetEnabled() const { return m_resetEnabled; }
    bool btResetVisible() const { return m_resetVisible; }
    // The waiting overlay over the form and its text.
    bool overlayShown() const { return m_overlayShown; }
    QString overlayText() const { return m_overlayText; }
    const SetupProgressView &progressView() const { return progress; }
    QString lbTitle() const;
    QString btBackTitle() const { return text(QStringLiteral("APP_Back")); }
    QString btNextTitle() const { return text(QStringLiteral("APP_Next2")); }
    QString btResetTitle() const { return text(QStringLiteral("APP_Reset")); }

private:
    SetupProgressView progress;
    // DiagResetNVRDelegate
    void performResetReadyToCheckUser(const QString &user, const QString &password) override;
    void cancelResetNVR() override;
    // DiagResetDelegate
    void noteResettingClicked() override { onGotoResetCamera(); }
    // LandapConfigDelegate
    void onLandapConfigEnd(LandapConfig *, int opCode, int retCode, const UdpError &error) override;
    // HttpConfigDelegate
    void onHttpConfigDidFinish(HttpConfig *, int cmd) override;
    void onHttpDidError(const HttpError &error) override;

    void performReadyToCheckUser(const QString &user, const QString &password);
    void performCheckUser(const QString &user, const QString &password, bool lockReset);
    void performReadyToChangeUser();
    void performReadyToConfirmUser();
    void performReadyToConfirmUser2();
    void beginLanCommand(bool lockReset);

    void onFactoryCheckEnd(int retCode);
    void onSetPasswordEnd(int retCode);
    void onConfirmEnd(int retCode);
    void onResetCheckEnd(int retCode);

    void openResetDialog();
    void startResetNVR(const QString &user, const QString &password);
    void startWaitCountdown();
    void onCountdownTick();

    void showForm(Content content);
    void showOverlay(const QString &text);
    void removeOverlay();
    void setControlsEnabled(bool enabled);

    NvrRef selectedNvr;
    const QString userName = QStringLiteral("admin");
    QString passWord;
    Setup_SetPasswordView m_setForm;
    Setup_ConfirmPasswordView m_confirmForm;
    LandapConfig landapConfig;
    std::unique_ptr<HttpConfig> httpConfig;
    QTimer countDownTimer;

    int m_subStep = CheckFactoryState;
    int subStepPrime = CheckFactoryState;
    int retry_time = 0;
    bool correctPassword = true;
    QString resetUsername;
    QString resetPassword;
    int timerCounter = 0;

    Content m_content = Content::SetForm;
    bool m_backEnabled = true;
    bool m_nextEnabled = false;
    bool m_resetEnabled = true;
    bool m_resetVisible = false;
    bool m_overlayShown = false;
    QString m_overlayText;
};
