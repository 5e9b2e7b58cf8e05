#include "app/SetupView.h"

#include "core/ShellDelegate.h"
#include "platform/Log.h"
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

SetupSummary SetupView::summary() const
{
    SetupSummary summary {m_nvrPassword, m_cloudEmail, m_cloudPassword, {}};
    SetupReport &facts = summary.facts;
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
    return summary;
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

void SetupView::setupSearchCamNext()
{
    markDone(QStringLiteral("SetupCam_Title"));
    showRecorderStep(*m_nimbora);
}

void SetupView::skipNimboraNext()
{
    markDone(QStringLiteral("SetupCam_Title"));
    m_cloudEmail.clear();
    m_cloudPassword.clear();
    if (theDelegate)
        theDelegate->showSummaryView();
}

void SetupView::setupSearchCamBack()
{
    showRecorderStep(*m_hdd);
}

void SetupView::setupNimboraNext(const QString &account)
{
    markDone(QStringLiteral("SetupNimbora_Title"));
    // An e-mail address holds no ":", a password may.
    const qsizetype colon = account.indexOf(QLatin1Char(':'));
    const auto given = [](const QString &field) { return field == SetupSummary::kNone ? QString() : field; };
    m_cloudEmail = given(account.left(colon));
    m_cloudPassword = given(colon < 0 ? QString() : account.mid(colon + 1));
    if (theDelegate)
        theDelegate->showSummaryView();
}

void SetupView::setupNimboraBack()
{
    showRecorderStep(*m_searchCam);
}
