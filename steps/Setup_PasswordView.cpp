#include "steps/Setup_PasswordView.h"

#include "core/ModalHost.h"
#include "core/TextFormat.h"
#include "platform/Durations.h"
#include "platform/Log.h"
#include "steps/PasswordMessages.h"
#include "steps/PasswordRules.h"
#include "steps/SetupStepDelegate.h"
#include "util/UdpError.h"
#include "webconfig/HttpConfig.h"
#include "webconfig/HttpError.h"
#include "webconfig/RecordParsers.h"

namespace {

constexpr int kPasswordProgressPos = 5;
constexpr int kLanRetries = 2;
constexpr int kResetCheckRetries = 5;
constexpr int kLanExchangeEnded = 5;
constexpr int kDefaultResetSeconds = 50;

} // namespace

Setup_PasswordView::Setup_PasswordView(WizardContext &context, QObject *parent)
    : SetupStep(context, parent)
    , m_setForm(context, this)
    , m_confirmForm(context, this)
    , landapConfig(this)
{
    progress.setProgressPos(kPasswordProgressPos);
    connect(&m_setForm, &Setup_SetPasswordView::nextRequested, this, &Setup_PasswordView::onNextClicked);
    connect(&m_confirmForm, &Setup_ConfirmPasswordView::nextRequested, this, &Setup_PasswordView::onNextClicked);
    connect(
        &m_confirmForm, &Setup_ConfirmPasswordView::gotoSearchCamera, this, &Setup_PasswordView::onGotoSearchCamera);
    connect(
        &m_confirmForm, &Setup_ConfirmPasswordView::forgotPassword, this, &Setup_PasswordView::onForgotPasswordClicked);
    connect(&m_confirmForm, &Setup_ConfirmPasswordView::resetNote, this, &Setup_PasswordView::onGotoResetCamera);
    connect(&countDownTimer, &QTimer::timeout, this, &Setup_PasswordView::onCountdownTick);
}

Setup_PasswordView::~Setup_PasswordView() = default;

void Setup_PasswordView::setDelegate(SetupStepDelegate *delegate, NvrRef device)
{
    theDelegate = delegate;
    selectedNvr = std::move(device);
    clearDiagnosis();
}

QString Setup_PasswordView::getUserName() const
{
    Log::line(QStringLiteral("Setup_PasswordView :: getUserName"));
    return userName;
}

QString Setup_PasswordView::getPassword() const
{
    Log::line(QStringLiteral("Setup_PasswordView :: getPassword"));
    return passWord;
}

QString Setup_PasswordView::lbTitle() const
{
    return text(QStringLiteral("SetupSetPwd_Title"));
}

void Setup_PasswordView::viewDidAppear()
{
    Log::line(QStringLiteral("Setup_PasswordView :: viewDidChangeBackingProperties"));
    countDownTimer.stop();
    m_setForm.clear();
    m_confirmForm.clear();
    m_resetVisible = false;
    showForm(Content::SetForm);
    m_subStep = CheckFactoryState;
    performReadyToCheckUser(userName, QString());
    postChangeReminder(kPageKey);
}

// --- LAN commands ---

void Setup_PasswordView::performReadyToCheckUser(const QString &user, const QString &password)
{
    retry_time = kLanRetries;
    performCheckUser(user, password, true);
}

void Setup_PasswordView::performCheckUser(const QString &user, const QString &password, bool lockReset)
{
    Log::line(QStringLiteral("Setup_PasswordView :: performCheckUser"));
    beginLanCommand(lockReset);
    landapConfig.verifyUser(user, password);
}

void Setup_PasswordView::performReadyToChangeUser()
{
    retry_time = kLanRetries;
    if (!m_setForm.checkPassword())
        return;
    passWord = m_setForm.getPassword();
    Log::line(QStringLiteral("Setup_PasswordView :: performChangeUser"));
    beginLanCommand(false);
    landapConfig.changeUser(userName, QString(), userName, passWord);
}

void Setup_PasswordView::performReadyToConfirmUser()
{
    retry_time = kLanRetries;
    performReadyToConfirmUser2();
}

void Setup_PasswordView::performReadyToConfirmUser2()
{
    if (m_confirmForm.getChangePasswordChecked()) {
        Log::line(QStringLiteral("Setup_PasswordView :: change for new password"));
        if (!m_confirmForm.checkNewPassword())
            return;
        passWord = m_confirmForm.getNewPassword();
        Log::line(QStringLiteral("Setup_PasswordView :: performConformUser"));
        beginLanCommand(false);
        landapConfig.verifyUser(userName, m_confirmForm.getPassword(), userName, passWord);
        return;
    }
    Log::line(QStringLiteral("Setup_PasswordView :: check password"));
    if (!m_confirmForm.checkPassword())
        return;
    passWord = m_confirmForm.getPassword();
    performCheckUser(userName, passWord, true);
}

void Setup_PasswordView::beginLanCommand(bool lockReset)
{
    m_backEnabled = false;
    m_nextEnabled = false;
    if (lockReset)
        m_resetEnabled = false;
    m_setForm.setInputsEnabled(false);
    m_confirmForm.setInputsEnabled(false);
    showOverlay(text(QStringLiteral("Waiting")));
    landapConfig.open(selectedNvr.get());
}

// --- Buttons ---

void Setup_PasswordView::onNextClicked()
{
    Log::line(QStringLiteral("Setup_PasswordView :: onNextClicked"));
    if (m_overlayShown || countDownTimer.isActive())
        return; // a command is running: Return in a field must not start a second one
    switch (m_subStep) {
    case SetPassword:
        performReadyToChangeUser();
        break;
    case ConfirmPassword:
    case ConfirmForCamera:
        m_subStep = ConfirmPassword;
        performReadyToConfirmUser();
        break;
    default:
        break;
    }
}

void Setup_PasswordView::onGotoSearchCamera()
{
    Log::line(QStringLiteral("Setup_PasswordView :: onGotoSearchCamera"));
    if (m_overlayShown)
        return;
    m_subStep = ConfirmForCamera;
    performReadyToConfirmUser();
}

void Setup_PasswordView::onBackClicked()
{
    Log::line(QStringLiteral("Setup_PasswordView :: onBackClicked"));
    countDownTimer.stop();
    landapConfig.close();
    removeOverlay();
    if (theDelegate)
        theDelegate->setupPasswordBack();
}

void Setup_PasswordView::onGotoResetCamera()
{
    Log::line(QStringLiteral("Setup_PasswordView :: onGotoResetCamera"));
    if (theDelegate)
        theDelegate->setupPasswordGotoSearchNvr();
}

void Setup_PasswordView::onForgotPasswordClicked()
{
    DiagReset help(context());
    help.setDelegate(this);
    context().modal.runModal(help);
}

// --- Results ---

void Setup_PasswordView::onLandapConfigEnd(LandapConfig *, int, int retCode, const UdpError &error)
{
    Log::format("%s", Q_FUNC_INFO);
    removeOverlay();
    landapConfig.close();
    m_backEnabled = true;
    m_resetEnabled = true;
    m_setForm.setInputsEnabled(true);
    m_confirmForm.setInputsEnabled(true);
    Log::format("Setup_PasswordView :: error code:%ld, ret :%d", long(error.code), retCode);
    if (error.code != kLanExchangeEnded) {
        Log::line(QStringLiteral("Setup_PasswordView :: code != 5 , newtwork error"));
        emit changed();
        showNetworkErrorMessageBox();
        return;
    }
    switch (m_subStep) {
    case CheckFactoryState:
        onFactoryCheckEnd(retCode);
        break;
    case SetPassword:
        onSetPasswordEnd(retCode);
        break;
    case ConfirmPassword:
    case ConfirmForCamera:
        onConfirmEnd(retCode);
        break;
    case CheckResetUser:
        onResetCheckEnd(retCode);
        break;
    default:
        break;
    }
    emit changed();
}

void Setup_PasswordView::onFactoryCheckEnd(int retCode)
{
    if (retCode == 0) {
        m_nextEnabled = true;
        m_resetVisible = false;
        m_subStep = SetPassword;
        showForm(Content::SetForm);
    } else if (retCode == 2) {
        m_nextEnabled = true;
        m_resetVisible = true;
        m_subStep = ConfirmPassword;
        showForm(Content::ConfirmForm);
    } else if (retry_time > 0) {
        --retry_time;
        performCheckUser(userName, QString(), true);
    } else {
        Log::line(QStringLiteral("Setup_PasswordView :: rest = -1 newtwork no response"));
        showNetworkErrorMessageBox();
    }
}

void Setup_PasswordView::onSetPasswordEnd(int retCode)
{
    Log::line(QStringLiteral("Setup_PasswordView :: enter PWD_SET_PASSWORD"));
    m_nextEnabled = true;
    if (retCode == 0) {
        Log::line(QStringLiteral("Setup_PasswordView :: enter PWD_SET_PASSWORD, ret = 0"));
        if (theDelegate)
            theDelegate->setupPasswordNext(m_setForm.getPassword());
    } else if (retCode == 2) {
        Log::line(QStringLiteral("Setup_PasswordView :: enter PWD_SET_PASSWORD, ret = 2"));
        showForm(Content::SetForm);
        m_setForm.showMessage(text(PasswordMessages::kNotSet));
    } else {
        Log::line(QStringLiteral("Setup_PasswordView :: enter PWD_SET_PASSWORD, ret = -1"));
        if (retry_time > 0) {
            // The change may have landed with its answer lost: ask whether the new password holds.
            --retry_time;
            performCheckUser(userName, passWord, false);
            return;
        }
        showForm(Content::SetForm);
        m_setForm.showMessage(text(PasswordMessages::kNotSet));
    }
}

void Setup_PasswordView::onConfirmEnd(int retCode)
{
    if (retCode == 0) {
        m_nextEnabled = true;
        // passWord is what the recorder holds now: the new one after a change.
        if (!theDelegate)
            return;
        if (m_subStep == ConfirmForCamera)
            theDelegate->setupPasswordGotoSearchCam(passWord);
        else
            theDelegate->setupPasswordNext(passWord);
    } else if (retCode == 2) {
        m_nextEnabled = true;
        showForm(Content::ConfirmForm);
        m_confirmForm.showCheckPasswordMsg(text(PasswordMessages::kInvalid));
    } else if (retry_time > 0) {
        --retry_time;
        performReadyToConfirmUser2();
    } else {
        Log::line(QStringLiteral("Setup_PasswordView :: PWD_CONFIRM_PASSWORD rest = -1 newtwork no response"));
        showNetworkErrorMessageBox();
    }
}

void Setup_PasswordView::onResetCheckEnd(int retCode)
{
    if (retCode == 0) {
        setControlsEnabled(false);
        correctPassword = true;
        startResetNVR(resetUsername, resetPassword);
    } else if (retCode == 2) {
        setControlsEnabled(false);
        correctPassword = false;
        openResetDialog();
    } else if (retry_time > 0) {
        --retry_time;
        performCheckUser(resetUsername, resetPassword, true);
    } else {
        Log::line(QStringLiteral("Setup_PasswordView :: rest = -1 newtwork no response"));
        // Staying in the reset phase would leave a Next that does nothing:
        // the user is back on the form Reset was pressed from.
        m_subStep = subStepPrime;
        m_nextEnabled = true;
        showNetworkErrorMessageBox();
    }
}

// --- Reset ---

void Setup_PasswordView::onResetClicked()
{
    Log::line(QStringLiteral("Setup_PasswordView :: onResetClicked"));
    if (m_overlayShown)
        return;
    subStepPrime = m_subStep;
    m_subStep = CheckResetUser;
    setControlsEnabled(false);
    correctPassword = true;
    openResetDialog();
}

void Setup_PasswordView::openResetDialog()
{
    emit changed();
    DiagResetNVR dialog(context(), *this, correctPassword);
    context().modal.runModal(dialog);
}

void Setup_PasswordView::performResetReadyToCheckUser(const QString &user, const QString &password)
{
    resetUsername = user;
    resetPassword = password;
    retry_time = kResetCheckRetries;
    if (!PasswordRules::fitsLanSlot(user) || !PasswordRules::fitsLanSlot(password)) {
        // Too long for the LAN command: the recorder could not hold it, so it is wrong.
        correctPassword = false;
        QTimer::singleShot(0, this, &Setup_PasswordView::openResetDialog);
        return;
    }
    performCheckUser(user, password, true);
}

void Setup_PasswordView::cancelResetNVR()
{
    m_subStep = subStepPrime;
    setControlsEnabled(true);
    if (m_overlayShown) {
        landapConfig.close();
        removeOverlay();
        m_subStep = ConfirmPassword;
        showForm(Content::ConfirmForm);
    }
    emit changed();
}

void Setup_PasswordView::startResetNVR(const QString &user, const QString &password)
{
    httpConfig = std::make_unique<HttpConfig>(static_cast<HttpConfigDelegate *>(this));
    clearDiagnosis();
    showOverlay(text(QStringLiteral("Waiting")));
    httpConfig->startResetNVR(*selectedNvr, user, password);
}

void Setup_PasswordView::onHttpConfigDidFinish(HttpConfig *, int)
{
    noteReached();
    Log::line(QStringLiteral("onHttpConfigDidFinish:"));
    startWaitCountdown();
}

void Setup_PasswordView::onHttpDidError(const HttpError &error)
{
    Log::line(QStringLiteral("Setup_PasswordView :: reset failed: ") + error.description);
    removeOverlay();
    if (error.domain == kHttpStatusErrorDomain && error.code == kHttpUnauthorized) {
        // The recorder refused the account over HTTPS: asked again, with the warning.
        correctPassword = false;
        emit changed();
        QTimer::singleShot(0, this, &Setup_PasswordView::openResetDialog);
        return;
    }
    // The recorder did not take the reset: the user is back where Reset was pressed.
    noteHttpFailure(error, *selectedNvr);
    m_subStep = subStepPrime;
    setControlsEnabled(true);
    emit changed();
    showNetworkErrorMessageBox();
}

void Setup_PasswordView::startWaitCountdown()
{
    // The recorder's number leads the value ("60s" is 60 seconds).
    const std::optional<QString> announced = httpConfig->getResetNVRWaitingTime();
    const int waitingTime = announced ? RecordParsers::leadingInt(announced->trimmed()) : 0;
    Log::format("[waitingTime intValue]=%d", waitingTime);
    timerCounter = waitingTime > 0 ? waitingTime : kDefaultResetSeconds;
    showOverlay(text(QStringLiteral("Waiting")));
    countDownTimer.start(durations().countdownTickMs);
    emit changed();
}

void Setup_PasswordView::onCountdownTick()
{
    --timerCounter;
    if (timerCounter > 0) {
        Log::format("timerCounter=%d", timerCounter);
        showOverlay(fillFormat(text(QStringLiteral("SetupSetPwd ResetNVR")), {QString::number(timerCounter)}));
        emit changed();
        return;
    }
    countDownTimer.stop();
    removeOverlay();
    setControlsEnabled(true);
    emit changed();
    if (theDelegate)
        theDelegate->setupPasswordBack();
}

// --- Presentation state ---

void Setup_PasswordView::showForm(Content content)
{
    m_content = content;
    emit changed();
}

void Setup_PasswordView::showOverlay(const QString &overlayText)
{
    m_overlayShown = true;
    m_overlayText = overlayText;
    emit changed();
}

void Setup_PasswordView::removeOverlay()
{
    m_overlayShown = false;
    m_overlayText.clear();
}

void Setup_PasswordView::setControlsEnabled(bool enabled)
{
    m_backEnabled = enabled;
    m_nextEnabled = enabled;
    m_resetEnabled = enabled;
    m_setForm.setInputsEnabled(enabled);
    m_confirmForm.setInputsEnabled(enabled);
}
