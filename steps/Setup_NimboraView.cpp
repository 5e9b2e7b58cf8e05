#include "steps/Setup_NimboraView.h"

#include "platform/Durations.h"
#include "platform/Log.h"
#include "steps/SetupStepDelegate.h"
#include "webconfig/HttpCommand.h"
#include "webconfig/HttpConfig.h"
#include "webconfig/HttpError.h"

namespace {

constexpr int kBusySteps = 6;
constexpr int kNimboraProgressPos = 9;
// The portal is told these whatever the interface language is.
const QString kWizardVersion = QStringLiteral("2.00.01");
const QString kPortalLanguage = QStringLiteral("en");
const QString kNone = QStringLiteral("none");

QString orNone(const QString &value)
{
    return value.isEmpty() ? kNone : value;
}

} // namespace

Setup_NimboraView::Setup_NimboraView(WizardContext &context, QObject *parent)
    : RecorderStep(context, parent)
    , m_form(context, this)
    , messageView(context.localization)
{
    progress.setProgressPos(kNimboraProgressPos);
    m_form.setDelegate(this);
    m_queryTimer.setSingleShot(true);
}

Setup_NimboraView::~Setup_NimboraView() = default;

void Setup_NimboraView::setDelegate(
    SetupStepDelegate *delegate, NvrRef device, const QString &user, const QString &password)
{
    RecorderStep::setDelegate(delegate, std::move(device), user, password);
    isInternetAvail();
}

void Setup_NimboraView::isInternetAvail()
{
    m_internet = NotKnown;
    internetReachableFoo.start([this](bool reachable) { m_internet = reachable ? Reachable : Unreachable; });
}

void Setup_NimboraView::viewDidAppear()
{
    postChangeReminder(kPageKey);
    emit changed();
    performReadyGetNimboraInformation();
}

// --- Reading the recorder ---

void Setup_NimboraView::showBusy(Phase phase)
{
    m_phase = phase;
    clearDiagnosis();
    m_backEnabled = false;
    m_nextEnabled = false;
    m_form.setInputsEnabled(false);
    messageView.setSteps(kBusySteps);
    messageView.showMessage(QString());
    emit changed();
}

void Setup_NimboraView::performReadyGetNimboraInformation()
{
    m_formShown = false;
    showBusy(Phase::ReadingInfo);
    // A fresh transport: nothing of an earlier visit may answer here.
    httpConfig = std::make_unique<HttpConfig>(static_cast<HttpConfigDelegate *>(this));
    m_queryTimer.disconnect();
    connect(&m_queryTimer, &QTimer::timeout, this, [this] {
        if (device())
            httpConfig->startGetNimboraInfo(*device(), user(), password());
    });
    m_queryTimer.start(durations().cloudQueryDelayMs);
}

void Setup_NimboraView::performReadyGetNimboraRegInformation()
{
    showBusy(Phase::ReadingRegistration);
    m_queryTimer.disconnect();
    connect(&m_queryTimer, &QTimer::timeout, this,
        [this] { httpConfig->startGetNimboraRegInfo(*device(), user(), password()); });
    m_queryTimer.start(durations().cloudQueryDelayMs);
}

void Setup_NimboraView::onHttpConfigDidFinish(HttpConfig *, int cmd)
{
    noteReached();
    messageView.hideMessage();
    switch (cmd) {
    case HttpCmd::GetNimboraInfo:
        onNimboraInfo();
        break;
    case HttpCmd::GetNimboraRegInfo:
        onNimboraRegInfo();
        break;
    case HttpCmd::NimboraSignin:
    case HttpCmd::NimboraNewAccount:
    case HttpCmd::NimboraAdd:
        onPortalAnswer();
        break;
    case HttpCmd::SetRegistStatus:
        m_phase = Phase::StoringAccount;
        messageView.showMessage(QString());
        httpConfig->startSetNimboraAccount(*device(), user(), password(), nimboraAccount, nimboraPwd);
        break;
    case HttpCmd::SetNimboraAccount:
        onAccountStored();
        break;
    default:
        break;
    }
    emit changed();
}

void Setup_NimboraView::onNimboraInfo()
{
    m_nimboraInfo = httpConfig->getNimboraInfo();
    const bool registered = isTrue(m_nimboraInfo->status());
    const bool access = isTrue(m_nimboraInfo->access());
    Log::line(registered ? QStringLiteral("Device already registered ") : QStringLiteral("Device not registered yet"));
    Log::line(access ? QStringLiteral("Device has internet ") : QStringLiteral("Device no internet"));
    // A computer whose check has not reported yet counts as offline.
    if (access && !registered && m_internet == Reachable) {
        showForm(true);
        return;
    }
    performReadyGetNimboraRegInformation();
}

void Setup_NimboraView::onNimboraRegInfo()
{
    m_nimboraRegInfo = httpConfig->getNimboraRegInfo();
    const QString email = m_nimboraRegInfo->email().value_or(QString());
    // A recorder that answered "400 Bad Request" holds no account either.
    if (email.isEmpty())
        leave(kNone + QLatin1Char(':') + kNone);
    else
        leave(email + QLatin1Char(':') + m_nimboraRegInfo->password().value_or(kNone));
}

// --- The form ---

void Setup_NimboraView::showForm(bool enabled)
{
    m_phase = Phase::Form;
    m_formShown = true;
    m_backEnabled = enabled;
    // Next follows the form's own rule: on, unless a new account waits for the terms.
    m_nextEnabled
        = enabled && (m_form.getSelectedIndex() != Setup_NimboraContentView::CreateOne || m_form.termsChecked());
    m_form.setInputsEnabled(enabled);
    emit changed();
}

void Setup_NimboraView::enableNext(bool enabled)
{
    m_nextEnabled = enabled;
    emit changed();
}

void Setup_NimboraView::enableNextButton(bool checked)
{
    m_nextEnabled = checked;
    emit changed();
}

void Setup_NimboraView::onNextClicked()
{
    Log::format("%s", Q_FUNC_INFO);
    if (!btNextEnabled() || m_phase != Phase::Form || !m_form.chkAccount())
        return;
    // After a failed reading the record is empty: the portal call then fails
    // as a network error, and the user can skip.
    const TNimboraInfo portal = m_nimboraInfo ? *m_nimboraInfo : TNimboraInfo();
    switch (m_form.getSelectedIndex()) {
    case Setup_NimboraContentView::AlreadyHave:
        nimboraAccount = m_form.getMail();
        nimboraPwd = m_form.getPassword();
        showBusy(Phase::SigningIn);
        httpConfig->startNimboraSignin(portal, kWizardVersion, kPortalLanguage, nimboraAccount, nimboraPwd);
        break;
    case Setup_NimboraContentView::CreateOne:
        nimboraAccount = m_form.getMail();
        nimboraPwd = m_form.getPassword();
        nimboraPwdVerify = m_form.getverifyPassword();
        nimboraFirstName = m_form.getFirstName();
        nimboraLastName = m_form.getLastName();
        showBusy(Phase::Creating);
        httpConfig->startNimboraNewAccount(portal, kWizardVersion, kPortalLanguage, nimboraAccount, nimboraPwd,
            nimboraPwdVerify, nimboraFirstName, nimboraLastName);
        break;
    default:
        leave(orNone(nimboraAccount) + QLatin1Char(':') + orNone(nimboraPwd));
        break;
    }
}

void Setup_NimboraView::onBackClicked()
{
    Log::format("%s", Q_FUNC_INFO);
    // Nothing in flight may answer on another step.
    m_queryTimer.stop();
    httpConfig.reset();
    m_phase = Phase::ReadingInfo;
    m_formShown = false;
    messageView.hideMessage();
    m_form.clearFields();
    emit changed();
    if (theDelegate)
        theDelegate->setupNimboraBack();
}

// --- Registration ---

void Setup_NimboraView::onPortalAnswer()
{
    if (!httpConfig->getNimboraRespStatus()) {
        forgetAccount();
        showForm(true);
        const QString reason = httpConfig->getNimboraRespKey();
        // A portal that says nothing gives the user nothing to act on: it is
        // the same failure as one that cannot be reached.
        if (reason.trimmed().isEmpty())
            showNetworkErrorMessageBox();
        else
            m_form.showErrorMessage(reason);
        return;
    }
    if (httpConfig->command() == HttpCmd::NimboraAdd) {
        m_phase = Phase::MarkingRegistered;
        messageView.showMessage(QString());
        emit changed();
        httpConfig->startSetRegistStatus(*device(), user(), password());
        return;
    }
    nimboraRespKey = httpConfig->getNimboraRespKey();
    m_phase = Phase::AddingDevice;
    messageView.showMessage(QString());
    emit changed();
    httpConfig->startNimboraAdd(*m_nimboraInfo, kWizardVersion, kPortalLanguage, password(), nimboraRespKey);
}

void Setup_NimboraView::forgetAccount()
{
    // Refused or never answered: a later Skip must not hand it on.
    nimboraAccount.clear();
    nimboraPwd.clear();
}

void Setup_NimboraView::onAccountStored()
{
    m_backEnabled = true;
    m_nextEnabled = true;
    m_form.setInputsEnabled(true);
    leave(orNone(m_form.getMail()) + QLatin1Char(':') + orNone(m_form.getPassword()));
}

void Setup_NimboraView::leave(const QString &account)
{
    m_phase = Phase::Done;
    m_leftWith = account;
    emit changed();
    if (theDelegate)
        theDelegate->setupNimboraNext(account);
}

void Setup_NimboraView::onHttpDidError(const HttpError &error)
{
    Log::line(QStringLiteral("Setup_NimboraView::onHttpDidError"));
    // The portal is another server: only the recorder's failures say the recorder is out of reach.
    if (!HttpCmd::isPortalCall(httpConfig->command()))
        noteHttpFailure(error);
    m_failedIn = m_phase;
    forgetAccount();
    messageView.hideMessage();
    showForm(true);
    showNetworkErrorMessageBox();
    m_form.setInputsEnabled(true);
}

bool Setup_NimboraView::canTryAgain() const
{
    return m_phase == Phase::Form && (m_failedIn == Phase::ReadingInfo || m_failedIn == Phase::ReadingRegistration);
}

void Setup_NimboraView::tryAgain()
{
    if (m_failedIn == Phase::ReadingInfo)
        performReadyGetNimboraInformation();
    else
        performReadyGetNimboraRegInformation();
}
