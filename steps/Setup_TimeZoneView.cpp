#include "steps/Setup_TimeZoneView.h"

#include "core/HMLocalization.h"
#include "platform/Log.h"
#include "steps/SetupStepDelegate.h"
#include "webconfig/HttpCommand.h"
#include "webconfig/HttpConfig.h"
#include "webconfig/HttpError.h"

namespace {

constexpr int kBusySteps = 3;
constexpr int kTimeZoneProgressPos = 6;

} // namespace

Setup_TimeZoneView::Setup_TimeZoneView(WizardContext &context, QObject *parent)
    : RecorderStep(context, parent)
    , picker(context, this)
    , messageView(context.localization)
{
    progress.setProgressPos(kTimeZoneProgressPos);
    m_observer = context.notifications.addObserver(
        Notifications::getLocalTimeZoneFromUserComputer, [this](const QObject *, const QVariantMap &) {
            getLocalTimeZoneFromUserComputer();
            emit changed();
        });
}

Setup_TimeZoneView::~Setup_TimeZoneView()
{
    context().notifications.removeObserver(m_observer);
}

void Setup_TimeZoneView::setDelegate(
    SetupStepDelegate *delegate, NvrRef device, const QString &user, const QString &password)
{
    RecorderStep::setDelegate(delegate, std::move(device), user, password);
    // Entered afresh: nothing of an earlier visit counts.
    httpConfig.reset();
    timeZoneListInfos.reset();
    dateInfos.reset();
    m_recorderRead = false;
    m_recorderZone = -1;
    m_backEnabled = false;
    m_nextEnabled = false;
    messageView.hideMessage();
    picker.setTexts();
    picker.setTimezone(QString());
    picker.setTimeZoneListFromNVR({});
    picker.refresh();
    getLocalTimeZoneFromUserComputer();
    readRecorder();
    emit changed();
}

void Setup_TimeZoneView::getLocalTimeZoneFromUserComputer()
{
    const ComputerTimeZone computer = computerTimeZone();
    Log::line(QStringLiteral("GMT  %1").arg(computer.gmtText()));
    const TimeZoneMatch::Proposal proposal = TimeZoneMatch::propose(picker.timeZoneList(), computer);
    m_proposedBy = proposal.by;
    if (proposal.by == TimeZoneMatch::By::Location)
        Log::line(QStringLiteral("Time Zone From Computer = %1 (location matched)").arg(proposal.zone));
    else if (proposal.by == TimeZoneMatch::By::Gmt)
        Log::line(QStringLiteral("Time Zone From Computer = %1 (GMT Matched)").arg(proposal.zone));
    const bool found = proposal.by != TimeZoneMatch::By::Nothing;
    picker.setComputerZone(proposal.zone);
    if (found) {
        picker.setTimezone(proposal.zone);
        picker.refresh();
    }
    m_backEnabled = true;
    // Once the recorder's zone is shown there is always a zone to take.
    m_nextEnabled = found || m_recorderRead;
}

QStringList Setup_TimeZoneView::indexList() const
{
    const RecordText list = timeZoneListInfos ? timeZoneListInfos->timezonelist() : RecordText();
    if (list && list->contains(QLatin1String("Access Error")))
        return picker.timeZoneList();
    // Positions are only ever counted in the recorder's own list.
    if (!list || list->trimmed().isEmpty())
        return {};
    return list->split(QLatin1Char(';'));
}

void Setup_TimeZoneView::readRecorder()
{
    if (!device())
        return; // no recorder chosen: nothing to read
    httpConfig = std::make_unique<HttpConfig>(static_cast<HttpConfigDelegate *>(this));
    m_dateStep = ReadList;
    showBusy();
    httpConfig->performGetTimeZoneListInformation(
        *device(), user(), password(), context().localization.activeLanguage());
}

void Setup_TimeZoneView::onNextClicked()
{
    Log::format("%s", Q_FUNC_INFO);
    if (!btNextEnabled())
        return;
    const QString title = picker.btTimeZoneTitle();
    const qsizetype position = indexList().lastIndexOf(title);
    if (position < 0) {
        picker.openDropDown();
        return;
    }
    if (position == m_recorderZone) {
        // Already the recorder's zone: writing it again would change nothing.
        Log::line(QStringLiteral("Setup_TimeZoneView :: the recorder has this zone already"));
        leaveWithZone(title);
        return;
    }
    m_dateStep = SetZone;
    clearDiagnosis();
    m_backEnabled = false;
    m_nextEnabled = false;
    showBusy();
    emit changed();
    httpConfig->performSetDateInformation(*device(), user(), password(), QString::number(position));
}

void Setup_TimeZoneView::tryAgain()
{
    if (m_dateStep == SetZone)
        onNextClicked();
    else
        readRecorder();
}

void Setup_TimeZoneView::onBackClicked()
{
    Log::format("%s", Q_FUNC_INFO);
    // A reading still in flight must not answer on another step.
    httpConfig.reset();
    m_recorderRead = false;
    messageView.hideMessage();
    emit changed();
    if (theDelegate)
        theDelegate->setupTimeZoneBack();
}

void Setup_TimeZoneView::onHttpConfigDidFinish(HttpConfig *config, int cmd)
{
    noteReached();
    Log::format("%s", Q_FUNC_INFO);
    Log::line(QStringLiteral("getErrorInfo =%1").arg(config->getErrorInfo().value_or(QStringLiteral("(null)"))));
    Log::format("Cmd %d", cmd);
    switch (cmd) {
    case HttpCmd::GetTimeZoneListInformation:
        onListRead();
        break;
    case HttpCmd::GetDateInformation:
        onSettingsRead();
        break;
    case HttpCmd::SetDateInformation:
        onZoneSet();
        break;
    default:
        break;
    }
}

void Setup_TimeZoneView::onListRead()
{
    timeZoneListInfos = httpConfig->getTimeZoneListInfoList();
    if (indexList().isEmpty()) {
        // No list to count a position in: a position from any other list
        // would set a wrong zone, so nothing is written.
        Log::line(QStringLiteral("Setup_TimeZoneView :: the recorder sent no time zone list"));
        m_backEnabled = true;
        m_nextEnabled = false;
        messageView.hideMessage();
        emit changed();
        showNetworkErrorMessageBox();
        return;
    }
    m_dateStep = ReadSettings;
    httpConfig->performGetDateInformation(*device(), user(), password());
}

void Setup_TimeZoneView::onSettingsRead()
{
    dateInfos = httpConfig->getDateInfoList();
    messageView.hideMessage();
    const QStringList zones = indexList();
    bool isNumber = false;
    const int current = dateInfos && dateInfos->timezone() ? dateInfos->timezone()->toInt(&isNumber) : -1;
    if (isNumber && current >= 0 && current < zones.size()) {
        m_recorderZone = current;
        picker.setTimezone(zones.at(current));
    } else {
        Log::line(QStringLiteral("the recorder's zone is not in its list; the proposal stays"));
    }
    picker.setTimeZoneListFromNVR(zones);
    picker.refresh();
    m_recorderRead = true;
    m_nextEnabled = true;
    emit changed();
}

void Setup_TimeZoneView::onZoneSet()
{
    messageView.hideMessage();
    if (httpConfig->getErrorInfo()) {
        m_backEnabled = true;
        m_nextEnabled = true;
        emit changed();
        showNetworkErrorMessageBox();
        return;
    }
    m_recorderZone = int(indexList().lastIndexOf(picker.btTimeZoneTitle()));
    leaveWithZone(picker.btTimeZoneTitle());
}

void Setup_TimeZoneView::leaveWithZone(const QString &zone)
{
    m_zoneSet = zone;
    emit changed();
    if (theDelegate)
        theDelegate->setupTimeZoneNext();
}

void Setup_TimeZoneView::onHttpDidError(const HttpError &error)
{
    Log::line(QStringLiteral("Setup_TimeZoneView :: request failed: ") + error.description);
    noteHttpFailure(error);
    m_backEnabled = true;
    // Only the write can be tried again: without the recorder's list nothing can be indexed.
    m_nextEnabled = m_dateStep == SetZone;
    messageView.hideMessage();
    emit changed();
    showNetworkErrorMessageBox();
}

void Setup_TimeZoneView::showBusy()
{
    messageView.setSteps(kBusySteps);
    messageView.showMessage(QString());
    emit changed();
}
