#include "steps/Setup_SearchCamView.h"

#include "platform/Log.h"
#include "platform/ModelName.h"
#include "steps/SetupStepDelegate.h"
#include "webconfig/HttpCommand.h"
#include "webconfig/HttpConfig.h"
#include "webconfig/HttpError.h"

#include <algorithm>

namespace {

// Busy panel layouts of the search step's waiting overlay.
constexpr int kSearchPanelSteps = 2;
constexpr int kWritePanelSteps = 7;
constexpr int kCameraProgressPos = 8;

bool sameMac(const TCameraInfo &a, const TCameraInfo &b)
{
    return a.mac() && !a.mac()->isEmpty() && a.mac() == b.mac();
}

} // namespace

Setup_SearchCamView::Setup_SearchCamView(WizardContext &context, QObject *parent)
    : RecorderStep(context, parent)
    , httpConfig(std::make_unique<HttpConfig>(static_cast<HttpConfigDelegate *>(this)))
    , m_list(context, this)
    , m_message(context.localization)
{
    progress.setProgressPos(kCameraProgressPos);
    m_list.setDelegate(this);
    // What the list shows is part of the step's state.
    connect(&m_list, &StepForm::changed, this, &PageController::changed);
}

Setup_SearchCamView::~Setup_SearchCamView() = default;

void Setup_SearchCamView::viewDidAppear()
{
    skipnimbora = false;
    postChangeReminder(kPageKey);
    performReadyToSearch();
}

// --- Search ---

void Setup_SearchCamView::performReadyToSearch()
{
    m_phase = Phase::Searching;
    m_textFieldShown = false;
    clearDiagnosis();
    internetReachableFoo.stop();
    showBusyPanel(kSearchPanelSteps, text(QStringLiteral("APP_SearchingDevices")));
    setButtonsEnabled(false, false, false);
    m_list.setInputsEnabled(false);
    emit changed();
    performStartSearch();
}

void Setup_SearchCamView::performStartSearch()
{
    if (!device())
        return; // no recorder chosen: nothing to ask
    httpConfig->startCameraDiscovery(*device(), user(), password());
}

void Setup_SearchCamView::onDiscovery()
{
    cameraList = httpConfig->getCameraInfoList();
    m_list.setCameraMutableList(cameraList);
    if (!cameraList2.isEmpty())
        restorePassword();
    else
        showList(true);
}

void Setup_SearchCamView::showList(bool noDeviceTest)
{
    m_phase = Phase::Listing;
    m_message.hideMessage();
    m_listShown = true;
    setButtonsEnabled(true, true, true);
    m_list.setRescanEnabled(true);
    m_list.setInputsEnabled(true);
    if (noDeviceTest && m_list.rowCount() == 0)
        m_textFieldShown = true;
    emit changed();
}

void Setup_SearchCamView::onRescanClicked()
{
    // A password dialog is open, or a request is in flight that the search would cut off.
    if (m_list.isOpenDiag() || m_message.isVisible())
        return;
    cameraList2 = m_list.storePassword();
    cameraList3.clear();
    performReadyToSearch();
}

// --- Credentials carried over a rescan ---

void Setup_SearchCamView::restorePassword()
{
    m_phase = Phase::Restoring;
    cameraList3.clear();
    for (const std::shared_ptr<TCameraInfo> &old : std::as_const(cameraList2)) {
        if (old->passWord().value_or(QString()).isEmpty())
            continue;
        for (const std::shared_ptr<TCameraInfo> &found : std::as_const(*cameraList)) {
            if (!sameMac(*old, *found))
                continue;
            auto check = std::make_unique<verifyIPCamPassword>();
            check->setDelegate(this);
            cameraList3.push_back({std::move(check), old});
        }
    }
    if (!startNextCheck())
        showList(false);
}

bool Setup_SearchCamView::startNextCheck()
{
    // One camera at a time: the next check starts once the one before has reported.
    const auto next = std::find_if(cameraList3.begin(), cameraList3.end(),
        [](const CarriedOver &carried) { return carried.check->authPass().isEmpty(); });
    if (next == cameraList3.end())
        return false;
    next->check->verifyPassword(*next->old, next->old->passWord().value_or(QString()));
    return true;
}

void Setup_SearchCamView::didVerifyPassword(verifyIPCamPassword *check)
{
    const auto carried = std::find_if(
        cameraList3.cbegin(), cameraList3.cend(), [check](const CarriedOver &c) { return c.check.get() == check; });
    if (carried != cameraList3.cend() && check->authPass() == verifyIPCamPassword::authPass_succ) {
        for (const std::shared_ptr<TCameraInfo> &found : std::as_const(*cameraList)) {
            if (found->mac() != check->ipcamMAC())
                continue;
            found->setUserName(carried->old->userName());
            found->setPassWord(carried->old->passWord());
            found->setIsAdded(carried->old->isAdded());
            break;
        }
    }
    m_list.reloadData();
    if (!startNextCheck() && m_phase == Phase::Restoring)
        showList(false);
}

// --- Next: internet check, then the channels ---

void Setup_SearchCamView::onNextClicked()
{
    cameraList2.clear();
    if (m_list.isOpenDiag() || !m_nextEnabled)
        return;
    const std::optional<TCameraInfoList> picked = m_list.getCameraSelectedList();
    if (!picked)
        return;
    selectList = *picked;
    checkInternet();
}

void Setup_SearchCamView::checkInternet()
{
    m_phase = Phase::CheckingInternet;
    skipnimbora = false;
    showBusyPanel(kWritePanelSteps, QString());
    // Rescan too: a search now would cut off the writing that follows.
    setButtonsEnabled(false, false, false);
    m_list.setRescanEnabled(false);
    emit changed();
    if (!internetReachableFoo.start([this](bool reachable) { onInternetReport(reachable); })) {
        Log::line(QStringLiteral("Setup_SearchCamView :: no reachability monitor: offline"));
        toSkip();
    }
}

void Setup_SearchCamView::onInternetReport(bool reachable)
{
    // One report decides: a later one must not start the writing again.
    internetReachableFoo.stop();
    if (!reachable) {
        toSkip();
        return;
    }
    m_message.hideMessage();
    performReadyToAddCamera();
}

void Setup_SearchCamView::toSkip()
{
    skipnimbora = true;
    performReadyToAddCamera();
}

void Setup_SearchCamView::performReadyToAddCamera()
{
    m_phase = Phase::Writing;
    clearDiagnosis();
    showBusyPanel(kWritePanelSteps, QString());
    m_list.setInputsEnabled(false);
    setButtonsEnabled(false, false, false);
    m_addProgress = 0;
    emit changed();
    performAddCamera();
}

void Setup_SearchCamView::performAddCamera()
{
    const int channel = m_addProgress;
    if (channel >= selectList.size() || selectList.at(channel)->isAdded() == kCameraNotPicked)
        httpConfig->startDelCamera(*device(), channel, user(), password());
    else
        httpConfig->startAddCamera(*device(), *selectList.at(channel), channel, user(), password());
}

void Setup_SearchCamView::onChannelWritten()
{
    if (++m_addProgress < ModelName::kCameraChannels) {
        performAddCamera();
        return;
    }
    m_phase = Phase::Done;
    m_message.hideMessage();
    m_list.setInputsEnabled(true);
    emit changed();
    if (!theDelegate)
        return;
    if (skipnimbora)
        theDelegate->skipNimboraNext();
    else
        theDelegate->setupSearchCamNext();
}

void Setup_SearchCamView::onHttpConfigDidFinish(HttpConfig *, int cmd)
{
    noteReached();
    if (cmd == HttpCmd::CameraDiscovery && m_phase == Phase::Searching)
        onDiscovery();
    else if ((cmd == HttpCmd::AddCamera || cmd == HttpCmd::DelCamera) && m_phase == Phase::Writing)
        onChannelWritten();
}

void Setup_SearchCamView::onHttpDidError(const HttpError &error)
{
    Log::line(QStringLiteral("Setup_SearchCamView::onHttpDidError"));
    noteHttpFailure(error);
    m_failedIn = m_phase;
    m_phase = Phase::Error;
    m_backEnabled = true;
    m_list.setRescanEnabled(true);
    m_list.setInputsEnabled(true);
    m_message.hideMessage();
    // The list's own rescan control is the way on.
    m_listShown = true;
    emit changed();
    showNetworkErrorMessageBox();
}

void Setup_SearchCamView::tryAgain()
{
    // The channels are written from the first again: a half-written set is
    // rewritten whole rather than trusted.
    if (m_failedIn == Phase::Writing)
        performReadyToAddCamera();
    else
        onRescanClicked();
}

// --- Buttons ---

void Setup_SearchCamView::onBackClicked()
{
    if (m_list.isOpenDiag() || !m_backEnabled)
        return;
    cameraList2.clear();
    m_list.forgetSharedPassword();
    internetReachableFoo.stop();
    if (theDelegate)
        theDelegate->setupSearchCamBack();
}

// --- Presentation state ---

void Setup_SearchCamView::showBusyPanel(int steps, const QString &message)
{
    m_message.setSteps(steps);
    m_message.showMessage(message);
}

void Setup_SearchCamView::setButtonsEnabled(bool back, bool next, bool rescan)
{
    m_backEnabled = back;
    m_nextEnabled = next;
    m_rescanEnabled = rescan;
}
