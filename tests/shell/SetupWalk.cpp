#include "SetupWalk.h"

#include "steps/Setup_HddView.h"
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
    m_context.reset(new WizardContext {m_notifications, *m_l10n, m_modal, m_urls, {}});
    m_setup = std::make_unique<SetupView>(*m_context);
}

SetupWalk::~SetupWalk() = default;

QString SetupWalk::currentStep() const
{
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

bool SetupWalk::confirmPassword(const QString &password)
{
    Setup_PasswordView &step = m_setup->passwordViewController();
    if (!waitFor([&] { return !step.overlayShown() && step.content() == Setup_PasswordView::Content::ConfirmForm; },
            QStringLiteral("confirm form")))
        return false;
    step.confirmForm().setPasswordText(password);
    step.onNextClicked();
    return waitFor([&] { return currentStep() == QLatin1String("timeZone"); }, QStringLiteral("time zone step"));
}

bool SetupWalk::takeTimeZone()
{
    Setup_TimeZoneView &step = m_setup->timeZoneViewController();
    if (!waitFor([&] { return step.btNextEnabled(); }, QStringLiteral("zone read")))
        return false;
    step.onNextClicked();
    return waitFor([&] { return currentStep() == QLatin1String("hdd"); }, QStringLiteral("hard-disk step"));
}

bool SetupWalk::skipDisks()
{
    Setup_HddView &step = m_setup->hddViewController();
    if (!waitFor([&] { return step.btSkipEnabled(); }, QStringLiteral("disk result")))
        return false;
    step.onSkipClicked();
    return waitFor([&] { return currentStep() == QLatin1String("searchCAM"); }, QStringLiteral("camera step"));
}

bool SetupWalk::passCameras()
{
    m_setup->searchCamViewController().onNextClicked();
    return waitFor(
        [&] { return currentStep() != QLatin1String("searchCAM"); }, QStringLiteral("step after the cameras"));
}

bool SetupWalk::walkTo(const QString &step, const QString &mac, const QString &password)
{
    const QList<std::function<bool()>> walks {[&] { return pickRecorder(mac); },
        [&] { return confirmPassword(password); }, [&] { return takeTimeZone(); }, [&] { return skipDisks(); },
        [&] { return passCameras(); }};
    for (const auto &walk : walks) {
        if (currentStep() == step)
            return true;
        if (!walk())
            return false;
    }
    return currentStep() == step;
}
