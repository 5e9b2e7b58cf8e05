#include "app/SetupView.h"

#include "core/ShellDelegate.h"
#include "platform/Log.h"
#include "platform/ModelName.h"
#include "steps/Setup_HddView.h"
#include "steps/Setup_NimboraView.h"
#include "steps/Setup_PasswordView.h"
#include "steps/Setup_SearchCamView.h"
#include "steps/Setup_SearchNvrView.h"
#include "steps/Setup_TimeZoneView.h"

namespace {
// The steps that change the recorder, by their titles, in their order.
const char *const kStepTitles[]
    = {"SetupSetPwd_Title", "SetupTimeZone_Title", "SetupHdd_Title_260A", "SetupCam_Title", "SetupNimbora_Title"};
} // namespace

SetupView::SetupView(WizardContext &context, QObject *parent)
    : PageController(context, parent)
    , m_userName(QStringLiteral("admin"))
    , m_search(new Setup_SearchNvrView(context, this))
    , m_password(new Setup_PasswordView(context, this))
    , m_timeZone(new Setup_TimeZoneView(context, this))
    , m_hdd(new Setup_HddView(context, this))
    , m_searchCam(new Setup_SearchCamView(context, this))
    , m_nimbora(new Setup_NimboraView(context, this))
{
    for (int i = 0; i < ModelName::kCameraChannels; ++i)
        m_selectedCams.append(QString());
    m_leftStep.setStepIndex(1);
}

SetupView::~SetupView() = default;

void SetupView::viewDidAppear()
{
    Log::line(QStringLiteral("setupview::viewDidChangeBackingProperties"));
    // Whichever step was left, the page starts over at the search.
    showSearchStep();
}

NvrRef SetupView::getSelectedDevice() const
{
    Log::line(QStringLiteral("setupview::getSelectedDevice"));
    return m_selectedNvr;
}

QString SetupView::getUserName() const
{
    Log::line(QStringLiteral("setupview::getUserName"));
    return m_userName;
}

QString SetupView::getPassword() const
{
    Log::line(QStringLiteral("setupview::getPassword"));
    return m_passWord;
}

void SetupView::getAllSelectedCams(const QString &cams)
{
    if (cams.isEmpty()) {
        for (QString &slot : m_selectedCams)
            slot = kSummaryNone;
        return;
    }
    const QStringList fields = cams.split(QLatin1Char(':'));
    if (fields.size() > ModelName::kCameraChannels)
        return;
    for (int i = 0; i < fields.size(); ++i)
        m_selectedCams[i] = fields.at(i);
}

QStringList SetupView::summaryInfo() const
{
    return summaryWith(m_nimboraEmail, m_nimboraPassword);
}

SetupReport SetupView::reportFacts() const
{
    SetupReport facts;
    facts.administrator = m_userName;
    facts.timeZone = m_timeZone->zoneSet();
    Setup_HddInformationView &table = m_hdd->hddInformationViewController();
    for (int row = 0; row < table.rowCount(); ++row)
        facts.disks.append(
            {row + 1, table.rowProduct(row), table.rowCapacity(row), m_hdd->formattedBays().contains(row + 1)});
    const TCameraInfoList &channels = m_searchCam->selectedList();
    for (int channel = 0; channel < channels.size(); ++channel) {
        const TCameraInfo &camera = *channels.at(channel);
        if (isPicked(camera))
            facts.cameras.append({channel + 1, camera.modelName().value_or(QString()), camera.ip().value_or(QString()),
                camera.mac().value_or(QString())});
    }
    return facts;
}

QStringList SetupView::stepsDone() const
{
    QStringList done;
    for (const char *key : kStepTitles) {
        if (m_doneTitleKeys.contains(QLatin1String(key)))
            done << text(QString::fromLatin1(key));
    }
    return done;
}

void SetupView::markDone(const QString &titleKey)
{
    if (!m_doneTitleKeys.contains(titleKey))
        m_doneTitleKeys << titleKey;
}

// The list ends at the first field without a value.
QStringList SetupView::summaryWith(const QString &email, const QString &password) const
{
    QStringList fields = {m_nvrPassword, email, password};
    fields.append(m_selectedCams);
    QStringList list;
    for (const QString &field : fields) {
        if (field.isNull())
            break;
        list.append(field);
    }
    return list;
}

void SetupView::showSearchStep()
{
    m_search->setDelegate(this);
    m_setupBox.show(m_search);
}

void SetupView::showPasswordStep()
{
    m_password->setDelegate(this, m_selectedNvr);
    m_setupBox.show(m_password);
}

void SetupView::showRecorderStep(RecorderStep &step)
{
    step.setDelegate(this, m_selectedNvr, m_userName, m_passWord);
    m_setupBox.show(&step);
}

void SetupView::takePasswordStepLogin(const QString &nvrPassword)
{
    m_nvrPassword = nvrPassword;
    markDone(QStringLiteral("SetupSetPwd_Title"));
    m_userName = m_password->getUserName();
    m_passWord = m_password->getPassword();
}

void SetupView::setupSearchNvrNext()
{
    m_selectedNvr = m_search->getSelectedDevice();
    showPasswordStep();
}

void SetupView::setupSearchNvrBack()
{
    if (theDelegate)
        theDelegate->showInstallView();
}

void SetupView::setupPasswordNext(const QString &nvrPassword)
{
    takePasswordStepLogin(nvrPassword);
    showRecorderStep(*m_timeZone);
}

void SetupView::setupPasswordGotoSearchCam(const QString &nvrPassword)
{
    takePasswordStepLogin(nvrPassword);
    showRecorderStep(*m_searchCam);
}

void SetupView::setupPasswordBack()
{
    showSearchStep();
}

void SetupView::setupPasswordGotoSearchNvr()
{
    if (theDelegate)
        theDelegate->showWelcomeView();
}

void SetupView::setupTimeZoneNext()
{
    markDone(QStringLiteral("SetupTimeZone_Title"));
    showRecorderStep(*m_hdd);
}

void SetupView::setupTimeZoneBack()
{
    showPasswordStep();
}

void SetupView::setupHddNext()
{
    Log::format("%s", "-[SetupView SetupHddNext]");
    // Skipped, the disks are as they were.
    if (!m_hdd->formattedBays().isEmpty())
        markDone(QStringLiteral("SetupHdd_Title_260A"));
    m_setupBox.clear();
    showRecorderStep(*m_searchCam);
}

void SetupView::setupHddBack()
{
    Log::format("%s", "-[SetupView SetupHddBack]");
    m_setupBox.clear();
    showRecorderStep(*m_timeZone);
}

void SetupView::setupSearchCamNext(const QString &selectedCams)
{
    markDone(QStringLiteral("SetupCam_Title"));
    getAllSelectedCams(selectedCams);
    showRecorderStep(*m_nimbora);
}

void SetupView::skipNimboraNext(const QString &selectedCams)
{
    markDone(QStringLiteral("SetupCam_Title"));
    getAllSelectedCams(selectedCams);
    if (theDelegate)
        theDelegate->showSummaryView(summaryWith(kSummaryNone, kSummaryNone));
}

void SetupView::setupSearchCamBack()
{
    showRecorderStep(*m_hdd);
}

void SetupView::setupNimboraNext(const QString &account)
{
    markDone(QStringLiteral("SetupNimbora_Title"));
    const QStringList fields = account.split(QLatin1Char(':'));
    m_nimboraEmail = fields.value(0);
    m_nimboraPassword = fields.value(1);
    if (theDelegate)
        theDelegate->showSummaryView(summaryInfo());
}

void SetupView::setupNimboraBack()
{
    showRecorderStep(*m_searchCam);
}
