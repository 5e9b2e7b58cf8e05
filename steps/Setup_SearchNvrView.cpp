#include "steps/Setup_SearchNvrView.h"

#include "core/HMLocalization.h"
#include "core/ModalHost.h"
#include "platform/Log.h"
#include "platform/ModelName.h"
#include "steps/DiagUnreachable.h"
#include "steps/ReachCheck.h"
#include "steps/SetupStepDelegate.h"
#include "util/UdpError.h"

Setup_SearchNvrView::Setup_SearchNvrView(WizardContext &context, QObject *parent)
    : SetupStep(context, parent)
    , searchDevice(this)
    , selectView(context)
    , message(context.localization)
{
    selectView.setDelegate(this);
    searchDevice.setFilterName(ModelName::kNvr);
    progress.setProgressPos(4);
}

void Setup_SearchNvrView::viewDidAppear()
{
    search_retry = 2;
    if (!searching) {
        title = text(QStringLiteral("SetupSearch_Title"));
        if (context().searchesLan)
            performReadyToSearch();
        postChangeReminder(kPageKey);
    }
    emit changed();
}

NvrRef Setup_SearchNvrView::getSelectedDevice() const
{
    Log::line(QStringLiteral("Setup_SearchNvrView ::getSelectedDevice"));
    return selectedNvr;
}

QString Setup_SearchNvrView::noDeviceText() const
{
    return text(QStringLiteral("APP_NODevice"));
}

QString Setup_SearchNvrView::noDeviceDiagnosisText() const
{
    return ReachCheck::text(context(), noDevice);
}

void Setup_SearchNvrView::performReadyToSearch()
{
    Log::line(QStringLiteral("Setup_SearchNvrView ::performReadyToSearch"));
    selectView.setSearchDeviceList({});
    searching = true;
    listEnabled = false;
    message.setSteps(1);
    message.showMessage(text(QStringLiteral("APP_SearchingDevices")));
    performStartSearch();
}

void Setup_SearchNvrView::performStartSearch()
{
    Log::line(QStringLiteral("Setup_SearchNvrView ::performStartSearch"));
    searching = true;
    noDevice = {};
    setButtons(false);
    listEnabled = false;
    // Its result is not looked at: a failed send ends the search with an error.
    searchDevice.startSearch();
    emit changed();
}

void Setup_SearchNvrView::onSearchEnd(SearchDevice *, const UdpError &error)
{
    Log::line(QStringLiteral("Setup_SearchNvrView ::onSearchEnd error=%1").arg(error.code));
    searchDevice.endSearch();
    const QList<TVexorReply> found = searchDevice.getReplyArray();
    networkError = error.code != kUdpExchangeEndedCode;
    // Every search starts with an empty list, so only a found one is handed on.
    if (networkError) {
        message.hideMessage();
        Log::line(QStringLiteral("Setup_SearchNvrView:: code != 5 , newtwork error"));
        emit changed();
        showNetworkErrorMessageBox();
        noDeviceVisible = true;
        diagnoseNoAnswer();
    } else if (!found.isEmpty()) {
        message.hideMessage();
        selectView.setSearchDeviceList(found);
        setButtons(true);
    } else if (search_retry > 0) {
        performStartSearch();
        Log::line(QStringLiteral("retry Device search-----"));
        --search_retry;
        return;
    } else {
        message.hideMessage();
        nextEnabled = false;
        noDeviceVisible = true;
        diagnoseNoAnswer();
    }
    backEnabled = true;
    searching = false;
    listEnabled = true;
    rescanEnabled = true;
    emit changed();
}

void Setup_SearchNvrView::diagnoseNoAnswer()
{
    noDevice = ReachCheck::ofNoAnswer(context());
    Log::line(QStringLiteral("Setup_SearchNvrView :: no answer, diagnosis ") + noDevice.code());
}

void Setup_SearchNvrView::setButtons(bool enabled)
{
    backEnabled = enabled;
    nextEnabled = enabled;
    rescanEnabled = enabled;
}

void Setup_SearchNvrView::onRescanClicked()
{
    Log::line(QStringLiteral("-[Setup_SearchNvrView onRescanClicked:]"));
    noDeviceVisible = false;
    noDevice = {};
    if (searching) {
        emit changed();
        return;
    }
    selectView.setSearchDeviceList({});
    searching = true;
    message.setSteps(1);
    message.showMessage(message.message());
    search_retry = 2;
    performStartSearch();
}

void Setup_SearchNvrView::onBackClicked()
{
    noDeviceVisible = false;
    noDevice = {};
    emit changed();
    if (theDelegate)
        theDelegate->setupSearchNvrBack();
}

void Setup_SearchNvrView::onNextClicked()
{
    Log::line(QStringLiteral("-[Setup_SearchNvrView onNextClicked:]"));
    TVexorReply chosen;
    // Next is only enabled with rows, so a row is always selected here.
    if (!selectView.getSelcetedNvr(chosen))
        return;
    // Changing a recorder the computer cannot reach would stop halfway: ask first.
    const ReachDiagnosis &reach = selectView.rowDiagnosis(selectView.selectedRow());
    if (reach.cannotReach()) {
        DiagUnreachable ask(context(), selectView.rowDiagnosisText(selectView.selectedRow()));
        context().modal.runModal(ask);
        if (!ask.wentOn())
            return;
        Log::line(QStringLiteral("Setup_SearchNvrView :: going on with an unreachable recorder"));
    }
    selectedNvr = std::make_shared<const TVexorReply>(chosen);
    if (theDelegate)
        theDelegate->setupSearchNvrNext();
}
