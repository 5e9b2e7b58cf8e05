#include "SetupWalk.h"

#include "steps/Setup_NimboraView.h"
#include "steps/Setup_PasswordView.h"
#include "steps/Setup_SearchCamView.h"
#include "steps/Setup_SearchNvrView.h"
#include "steps/Setup_TimeZoneView.h"

#include <QTest>

SetupWalk::SetupWalk(int waitMs)
    : m_waitMs(waitMs)
{
    // The shipped English texts: alerts and the zone list are the real ones.
    m_l10n
        = std::make_unique<HMLocalization>(qEnvironmentVariable("NVR_SOURCE_DIR") + QStringLiteral("/resources/lang"));
    m_l10n->setLanguage(QStringLiteral("EN"));
    const QString home = m_home.path();
    const UserFolders folders {home, home + QStringLiteral("/Desktop"), home + QStringLiteral("/Documents"),
        home + QStringLiteral("/Library/Application Support")};
    m_context.reset(new WizardContext {m_notifications, *m_l10n, m_modal, m_urls, folders});
    m_setup = std::make_unique<SetupView>(*m_context);
    m_setup->setDelegate(this);
}

SetupWalk::~SetupWalk() = default;

void SetupWalk::showSummaryView()
{
    // As the shell does it: the page shown, then the recorder asked.
    m_setup->setupBox().clear();
    m_summary = std::make_unique<SummaryView>(*m_context, nullptr, m_home.filePath(QStringLiteral("HRX260A.app")));
    m_summary->setSummary(m_setup->summary());
    m_summary->viewDidAppear();
    m_summary->setDelegate(this, m_setup->getSelectedDevice(), m_setup->getUserName(), m_setup->getPassword());
}

QString SetupWalk::currentStep() const
{
    if (m_summary)
        return m_summary->pageKey();
    PageController *step = m_setup->setupBox().current();
    return step ? step->pageKey() : QString();
}

bool SetupWalk::waitFor(const std::function<bool()> &cond, const QString &what)
{
    if (QTest::qWaitFor(cond, m_waitMs))
        return true;
    m_why = QStringLiteral("no %1 within %2 ms (on step \"%3\")").arg(what).arg(m_waitMs).arg(currentStep());
    return false;
}

bool SetupWalk::pickRecorder(const QString &mac)
{
    Setup_SearchNvrView &search = m_setup->searchNvrViewController();
    if (currentStep() != search.pageKey())
        m_setup->viewDidAppear();
    if (!waitFor([&] { return !search.isSearching(); }, QStringLiteral("end of the search")))
        return false;
    Setup_SelectNvrView &list = search.selectNvrView();
    for (int row = 0; row < list.deviceList().size(); ++row) {
        if (list.rowMac(row).compare(mac, Qt::CaseInsensitive) == 0) {
            list.selectRow(row);
            search.onNextClicked();
            return waitFor([&] { return currentStep() == QLatin1String("password"); }, QStringLiteral("password step"));
        }
    }
    m_why = QStringLiteral("the search did not find %1").arg(mac);
    return false;
}

bool SetupWalk::confirmPassword(const QString &password, bool toCameras)
{
    Setup_PasswordView &step = m_setup->passwordViewController();
    if (!waitFor([&] { return !step.overlayShown() && step.content() == Setup_PasswordView::Content::ConfirmForm; },
            QStringLiteral("confirm form")))
        return false;
    step.confirmForm().setPasswordText(password);
    if (toCameras)
        step.onGotoSearchCamera();
    else
        step.onNextClicked();
    const QString next = toCameras ? QStringLiteral("searchCAM") : QStringLiteral("timeZone");
    return waitFor([&] { return currentStep() == next; }, next + QStringLiteral(" step"));
}

bool SetupWalk::takeTimeZone()
{
    Setup_TimeZoneView &step = m_setup->timeZoneViewController();
    if (!waitFor([&] { return step.btNextEnabled(); }, QStringLiteral("zone read")))
        return false;
    step.onNextClicked();
    return waitFor([&] { return currentStep() == QLatin1String("hdd"); }, QStringLiteral("hard-disk step"));
}

bool SetupWalk::passCameras()
{
    Setup_SearchCamView &step = m_setup->searchCamViewController();
    if (!waitFor([&] { return step.btNextEnabled(); }, QStringLiteral("camera list")))
        return false;
    step.onNextClicked();
    return waitFor(
        [&] { return currentStep() != QLatin1String("searchCAM"); }, QStringLiteral("step after the cameras"));
}

bool SetupWalk::skipCloud()
{
    Setup_NimboraView &step = m_setup->nimboraViewController();
    if (!waitFor([&] { return step.formShown() && step.btNextEnabled(); }, QStringLiteral("cloud form")))
        return false;
    step.contentViewController().onSelectorChange(Setup_NimboraContentView::Pass);
    step.onNextClicked();
    return waitFor([&] { return currentStep() == QLatin1String("summary"); }, QStringLiteral("summary"));
}

bool SetupWalk::walkTo(const QString &step, const QString &mac, const QString &password)
{
    // Up to the disks by Next; past them the confirm form's camera link is the short way.
    const bool viaNext
        = step == QLatin1String("password") || step == QLatin1String("timeZone") || step == QLatin1String("hdd");
    const QList<std::function<bool()>> walks {[&] { return pickRecorder(mac); },
        [&] { return confirmPassword(password, !viaNext); }, [&] { return viaNext ? takeTimeZone() : passCameras(); },
        [&] { return skipCloud(); }};
    for (const auto &walk : walks) {
        if (currentStep() == step)
            return true;
        if (!walk())
            return false;
    }
    return currentStep() == step;
}
