#include "app/AppDelegate.h"

#include "app/DiagAbout.h"
#include "app/DiagExit.h"
#include "app/SetupView.h"
#include "app/SummaryView.h"
#include "app/WelcomeView.h"
#include "core/HMLocalization.h"
#include "core/ModalHost.h"
#include "core/OpenOrTell.h"
#include "guide/InstallView.h"
#include "platform/DeploymentSettings.h"
#include "platform/Log.h"
#include "platform/ModelName.h"
#include "platform/Resources.h"
#include "steps/Setup_HddView.h"
#include "steps/Setup_NimboraView.h"
#include "steps/Setup_PasswordView.h"
#include "steps/Setup_SearchCamView.h"
#include "steps/Setup_SearchNvrView.h"

#include <QHash>
#include <QUrl>

namespace {

const QString kManual = QStringLiteral("HRX-260A_A2_Manual_v1.20(WW).pdf");
const QString kQuickGuide = QStringLiteral("HRX-260A_A2_QIG_v1.40(DI)_90x130.pdf");

QString counterFor(const QString &steps)
{
    static const QHash<QString, QString> counters = {
        {InstallView::subPageKey(0), QStringLiteral("0/10")},
        {InstallView::subPageKey(1), QStringLiteral("1/10")},
        {InstallView::subPageKey(2), QStringLiteral("2/10")},
        {InstallView::subPageKey(3), QStringLiteral("3/10")},
        {Setup_SearchNvrView::kPageKey, QStringLiteral("4/10")},
        {Setup_PasswordView::kPageKey, QStringLiteral("5/10")},
        {Setup_HddView::kPageKey, QStringLiteral("6/10")},
        {Setup_SearchCamView::kPageKey, QStringLiteral("8/10")},
        {Setup_NimboraView::kPageKey, QStringLiteral("9/10")},
        {SummaryView::kPageKey, QStringLiteral("10/10")},
    };
    return counters.value(steps);
}

} // namespace

AppDelegate::AppDelegate(WizardContext &context, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_welcome(new WelcomeView(context, this))
    , m_install(new InstallView(context, this))
    , m_setup(new SetupView(context, this))
    , m_summary(new SummaryView(context, this))
{
}

AppDelegate::~AppDelegate()
{
    for (NotificationCenter::Token token : m_observers)
        m_context.notifications.removeObserver(token);
    if (!m_observers.isEmpty())
        m_context.modal.setDimmingListener({});
}

void AppDelegate::awakeFromNib()
{
    Log::line(QStringLiteral("-[AppDelegate awakeFromNib]"));
    m_headerGrey = false;
    emit raiseRequested();
    // Listening before the welcome page is shown: its own notification is what
    // puts the trademark line on the header band.
    if (m_observers.isEmpty()) {
        m_observers.append(m_context.notifications.addObserver(
            Notifications::changeReminder, [this](const QObject *, const QVariantMap &info) { changeReminder(info); }));
        m_context.modal.setDimmingListener([this](Dimming) { emit changed(); });
    }
    if (!m_loadStatus) {
        m_context.localization.setLanguage(QStringLiteral("EN"));
        showWelcomeView();
        m_loadStatus = true;
    }
    m_stepsReminderVisible = false;
    setLanguageText();
}

void AppDelegate::swapContentView(PageController *page)
{
    m_contentBox.show(page);
}

void AppDelegate::showWelcomeView()
{
    Log::line(QStringLiteral("showWelcomeView"));
    emit raiseRequested();
    swapContentView(m_welcome);
    m_welcome->setDelegate(this);
}

void AppDelegate::showInstallView()
{
    Log::line(QStringLiteral("showInstallView"));
    swapContentView(m_install);
    m_install->setDelegate(this);
}

void AppDelegate::showSetupView()
{
    Log::line(QStringLiteral("showSetupView"));
    m_setup->setDelegate(this);
    swapContentView(m_setup);
}

void AppDelegate::showSummaryView()
{
    showSummary(m_setup->summary());
}

void AppDelegate::showSummary(const SetupSummary &summary)
{
    Log::line(QStringLiteral("showSummaryView"));
    m_summaryInfo = summary.infoList();
    m_summary->setSummary(summary);
    swapContentView(m_summary);
    m_summary->setDelegate(this, m_setup->getSelectedDevice(), m_setup->getUserName(), m_setup->getPassword());
}

void AppDelegate::switchLanguage(const QString &code)
{
    m_context.localization.setLanguage(code);
    setLanguageText();
}

void AppDelegate::finishWizard()
{
    emit terminateRequested();
}

void AppDelegate::winClose()
{
    // A recorder left half set up is asked about; a finished one is not.
    const QStringList done = m_setup->stepsDone();
    if (!done.isEmpty() && m_contentBox.current() != m_summary) {
        DiagExit ask(m_context, done);
        m_context.modal.runModal(ask);
        if (!ask.leaving())
            return;
    }
    emit terminateRequested();
}

void AppDelegate::winMin()
{
    emit minimizeRequested();
}

void AppDelegate::setLanguageText()
{
    m_title = QStringLiteral("%1 Setup Wizard").arg(ModelName::kNvr);
    m_copyright = m_context.localization.localizedStringForKey(QStringLiteral("Copyright"));
    m_tradeMark = m_context.localization.localizedStringForKey(QStringLiteral("APP_TradeMark"));
    static const char *const keys[][2] = {
        {"APP_Troubleshooting", "Troubleshooting Tip"},
        {"APP_Support", "Support Tip"},
        {"APP_Manual", "Manual Tip"},
        {"APP_Quick Guide", "Quick Guide Tip"},
        {"APP_Adobe Reader", "Adobe Reader Tip"},
        {"APP_About", "About Tip"},
        {"APP_Exit", "Exit Tip"},
    };
    m_helpButtons.clear();
    for (const auto &key : keys) {
        m_helpButtons.append({m_context.localization.localizedStringForKey(QString::fromLatin1(key[0])),
            m_context.localization.localizedStringForKey(QString::fromLatin1(key[1]))});
    }
    emit changed();
}

bool AppDelegate::isHelpButtonVisible(int index) const
{
    switch (index) {
    case Exit:
        return true;
    case AdobeReader:
        return false;
    default:
        return m_helpButtonsVisible;
    }
}

void AppDelegate::changeReminder(const QVariantMap &userInfo)
{
    const QString steps = userInfo.value(Notifications::stepsKey).toString();
    if (steps == WelcomeView::kPageKey) {
        m_tradeMarkVisible = true;
        m_headerGrey = false;
        emit changed();
        return;
    }
    const QString counter = counterFor(steps);
    if (counter.isEmpty())
        return;
    m_lbSteps = counter;
    m_stepsReminderVisible = true;
    if (steps == InstallView::subPageKey(0)) {
        m_headerGrey = true;
        m_tradeMarkVisible = true;
        m_helpButtonsVisible = true;
    }
    emit changed();
}

bool AppDelegate::isGreyViewVisible() const
{
    return m_context.modal.dimming() != Dimming::None;
}

double AppDelegate::greyViewOpacity() const
{
    return m_context.modal.dimming() == Dimming::Light ? 0.2 : 0.8;
}

void AppDelegate::onTroubleshootingClicked()
{
    openOrTell(m_context, QUrl(QStringLiteral("https://%1/faq/").arg(Deployment::cloudServiceHost())));
}

void AppDelegate::onSupportClicked()
{
    openOrTell(m_context, QUrl(Deployment::supportUrl()));
}

void AppDelegate::onManualClicked()
{
    openOrTell(m_context, QUrl::fromLocalFile(Resources::path(kManual)));
}

void AppDelegate::onQuickGuideClicked()
{
    openOrTell(m_context, QUrl::fromLocalFile(Resources::path(kQuickGuide)));
}

void AppDelegate::onAdobeClicked()
{
    openOrTell(m_context, QUrl(QStringLiteral("https://%1/reader/").arg(Deployment::readerDownloadHost())));
}

void AppDelegate::onAboutClicked()
{
    DiagAbout about(m_context);
    m_context.modal.runModal(about);
}
