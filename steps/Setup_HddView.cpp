#include "steps/Setup_HddView.h"

#include "core/ModalHost.h"
#include "platform/Durations.h"
#include "platform/Log.h"
#include "steps/SetupStepDelegate.h"
#include "webconfig/HttpCommand.h"
#include "webconfig/HttpConfig.h"
#include "webconfig/HttpError.h"

#include <algorithm>

namespace {

constexpr int kHddProgressPos = 6;
constexpr int kCheckPanelSteps = 5;
constexpr int kFormatPanelSteps = 4;

// The same drive in the same bay, across queries.
QString markKey(const THddInfo &disk)
{
    return QStringList {disk.storageid().value_or(QString()), disk.deviceName().value_or(QString()),
        disk.modelName().value_or(QString()), disk.product().value_or(QString())}
        .join(QLatin1Char('\n'));
}

} // namespace

Setup_HddView::Setup_HddView(WizardContext &context, QObject *parent)
    : RecorderStep(context, parent)
    , httpConfig(std::make_unique<HttpConfig>(static_cast<HttpConfigDelegate *>(this)))
    , m_table(context, this)
    , m_message(context.localization)
{
    progress.setProgressPos(kHddProgressPos);
    m_formatDialogTimer.setSingleShot(true);
    connect(&m_formatDialogTimer, &QTimer::timeout, this, &Setup_HddView::openFormatDialog);
    m_pacing.setSingleShot(true);
    connect(&m_pacing, &QTimer::timeout, this, &Setup_HddView::startQuery);
    connect(&m_table, &Setup_HddInformationView::nextRequested, this, &Setup_HddView::onNextClicked);
    connect(&m_table, &Setup_HddInformationView::markChanged, this, &Setup_HddView::rememberMark);
}

Setup_HddView::~Setup_HddView() = default;

void Setup_HddView::setDelegate(
    SetupStepDelegate *delegate, NvrRef device, const QString &user, const QString &password)
{
    RecorderStep::setDelegate(delegate, std::move(device), user, password);
    setButtonsEnabled(false);
    nextClicked = false;
    backClicked = false;
}

const THddInfoList &Setup_HddView::hddInfos() const
{
    return m_table.hddList();
}

void Setup_HddView::viewDidAppear()
{
    m_tableShown = true;
    postChangeReminder(kPageKey);
    nextClicked = false;
    skipClicked = false;
    backClicked = false;
    m_userMarks.clear();
    m_textField.clear();
    performFirstQuery();
}

// --- Queries ---

void Setup_HddView::performFirstQuery()
{
    Log::format("%s", Q_FUNC_INFO);
    m_hddStep = Browsing;
    setButtonsEnabled(false);
    removeBusyPanel();
    showBusyPanel(QStringLiteral("SetupHdd_Check"), kCheckPanelSteps);
    emit changed();
    performQuery();
}

void Setup_HddView::performRefreshQuery()
{
    m_hddStep = Browsing;
    performQuery();
}

void Setup_HddView::performQuery()
{
    if (!device())
        return; // no recorder chosen: nothing to ask
    m_hddInfoRetrieved = false;
    m_queryInFlight = true; // asked now or once the pause is over
    const qint64 since = m_lastRound.isValid() ? m_lastRound.elapsed() : durations().hddRefreshMs;
    if (since >= durations().hddRefreshMs)
        startQuery();
    else
        m_pacing.start(int(durations().hddRefreshMs - since));
}

void Setup_HddView::startQuery()
{
    m_pacing.stop();
    m_lastRound.start();
    clearDiagnosis();
    httpConfig->startGetHddInfo(*device(), user(), password());
}

void Setup_HddView::onHttpConfigDidFinish(HttpConfig *, int cmd)
{
    noteReached();
    if (cmd == HttpCmd::GetHddInfo)
        onHddInfo();
    else if (cmd == HttpCmd::FormatHdd || cmd == HttpCmd::FormatPoll)
        onFormatEnd();
}

void Setup_HddView::onHddInfo()
{
    m_queryInFlight = false;
    m_hddInfoRetrieved = true;
    if (skipClicked || backClicked) {
        removeBusyPanel();
        m_tableShown = false;
        emit changed();
        if (skipClicked && theDelegate)
            theDelegate->setupHddNext();
        return;
    }
    const THddInfoList list = *httpConfig->getHddInfoList();
    setMarks(list);
    int detected = 0;
    int plugged = 0;
    for (const auto &disk : list) {
        if (!disk->deviceName().value_or(QString()).isEmpty())
            ++detected;
        if (disk->plug().value_or(QString()) == QLatin1String("1"))
            ++plugged;
    }
    removeBusyPanel();
    m_table.setHddList(list);
    m_tableShown = true;
    setButtonsEnabled(true);
    emit changed();

    if (!nextClicked)
        performRefreshQuery(); // paced while the user looks
    else if (detected > 0)
        checkForFormatting();
    else if (plugged == 0)
        openNoDiskDialog();
    else
        performFirstQuery(); // a drive is plugged in but not up yet: look again
}

void Setup_HddView::setMarks(const THddInfoList &list) const
{
    for (const auto &disk : list) {
        const auto mark = m_userMarks.constFind(markKey(*disk));
        if (mark != m_userMarks.constEnd())
            disk->setChecked(*mark);
        else if (diskInUse(*disk)) // the user alone may mark it
            disk->setChecked(false);
    }
}

void Setup_HddView::rememberMark(const std::shared_ptr<THddInfo> &disk)
{
    m_userMarks.insert(markKey(*disk), disk->checked());
}

// --- Buttons ---

void Setup_HddView::onNextClicked()
{
    if (m_hddStep != Browsing || m_formatDialogTimer.isActive())
        return;
    nextClicked = true;
    m_nextEnabled = false;
    showBusyPanel(QStringLiteral("SetupHdd_Check"), kCheckPanelSteps);
    emit changed();
    // After a transport failure nothing is in flight to decide on.
    if (!m_queryInFlight)
        performQuery();
}

void Setup_HddView::onBackClicked()
{
    backClicked = true;
    m_formatDialogTimer.stop();
    if (m_pacing.isActive()) {
        // Nothing was asked yet: clean up now, as the answer would have.
        m_pacing.stop();
        m_queryInFlight = false;
        removeBusyPanel();
        m_tableShown = false;
        emit changed();
    }
    if (theDelegate)
        theDelegate->setupHddBack();
}

void Setup_HddView::onSkipClicked()
{
    skipClicked = true;
    if (!m_queryInFlight && m_hddStep == Browsing)
        performQuery();
}

// --- Formatting ---

void Setup_HddView::checkForFormatting()
{
    const auto marked = std::count_if(
        hddInfos().cbegin(), hddInfos().cend(), [](const std::shared_ptr<THddInfo> &disk) { return disk->checked(); });
    if (marked > 0) {
        m_formatDialogTimer.start(durations().formatDialogMs);
        return;
    }
    // Nothing to format: keep looking, so a later Next has a result to act on.
    nextClicked = false;
    performRefreshQuery();
}

void Setup_HddView::openFormatDialog()
{
    if (backClicked || skipClicked)
        return;
    DiagHddFormat dialog(context(), *this, hddInfos());
    context().modal.runModal(dialog);
}

void Setup_HddView::toFormat()
{
    m_hddStep = Formatting;
    startFormatting();
}

void Setup_HddView::notToFormat()
{
    nextClicked = false;
    performRefreshQuery();
}

void Setup_HddView::openNoDiskDialog()
{
    DiagHddConfirm dialog(context(), *this);
    context().modal.runModal(dialog);
}

void Setup_HddView::toRescan()
{
    nextClicked = false;
    performRefreshQuery();
    setButtonsEnabled(true);
    emit changed();
}

void Setup_HddView::startFormatting()
{
    setButtonsEnabled(false);
    clearDiagnosis();
    showBusyPanel(QStringLiteral("SetupHdd_Format"), kFormatPanelSteps);
    m_formattingBays.clear();
    for (int row = 0; row < hddInfos().size(); ++row) {
        if (hddInfos().at(row)->checked())
            m_formattingBays << row + 1;
    }
    emit changed();
    httpConfig->startFormatHdd(std::make_shared<THddInfoList>(hddInfos()), *device(), user(), password());
}

void Setup_HddView::onHttpUpdateFormatStatus(HttpConfig *, int cmd, int, const QString &format)
{
    if (cmd != HttpCmd::FormatPoll)
        return;
    if (format == QLatin1String("-1")) {
        showAlert(QStringLiteral("SetupHdd fail"));
        setButtonsEnabled(true);
        hddFormatErrorHappened = true;
    } else {
        m_message.showMessage(text(QStringLiteral("SetupHdd_Format")));
        m_textField = m_message.message();
    }
    emit changed();
}

void Setup_HddView::onFormatEnd()
{
    removeBusyPanel();
    m_message.showTitle(text(QStringLiteral("SetupHdd successful")));
    setButtonsEnabled(true);
    emit changed();
    if (hddFormatErrorHappened) {
        hddFormatErrorHappened = false;
        nextClicked = false;
        performRefreshQuery();
        return;
    }
    for (const int bay : std::as_const(m_formattingBays)) {
        if (!m_formattedBays.contains(bay))
            m_formattedBays << bay;
    }
    if (theDelegate)
        theDelegate->setupHddNext();
}

void Setup_HddView::onHttpDidError(const HttpError &error)
{
    Log::line(QStringLiteral("Setup_HddView :: the recorder did not answer: ") + error.description);
    m_queryInFlight = false;
    if (backClicked)
        return; // the step was left; the query only had to end
    noteHttpFailure(error);
    m_backEnabled = true;
    removeBusyPanel();
    emit changed();
    showNetworkErrorMessageBox();
}

// --- Presentation state ---

void Setup_HddView::showBusyPanel(const QString &key, int steps)
{
    m_message.setSteps(steps);
    m_message.showMessage(text(key));
}

void Setup_HddView::removeBusyPanel()
{
    m_message.hideMessage();
}

void Setup_HddView::setButtonsEnabled(bool enabled)
{
    m_backEnabled = enabled;
    m_nextEnabled = enabled;
    m_skipEnabled = enabled;
}
