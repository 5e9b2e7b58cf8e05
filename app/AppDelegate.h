#pragma once

#include "app/PageContainer.h"
#include "core/ShellDelegate.h"
#include "core/WizardContext.h"
#include "platform/NotificationCenter.h"

#include <QObject>
#include <QStringList>
#include <QUrl>

struct SetupSummary;
class InstallView;
class SetupView;
class SummaryView;
class WelcomeView;

// The application shell: the main window's pages, the step counter, the
// dimming overlay and the help bar, without widgets.
class AppDelegate : public QObject, public ShellDelegate
{
    Q_OBJECT
public:
    explicit AppDelegate(WizardContext &context, QObject *parent = nullptr);
    ~AppDelegate() override;

    // The shell's load hook; its first run shows the welcome page in English.
    void awakeFromNib();

    // ShellDelegate
    void showWelcomeView() override;
    void showInstallView() override;
    void showSetupView() override;
    void showSummaryView() override;
    // The last page with what a setup set.
    void showSummary(const SetupSummary &summary);
    void switchLanguage(const QString &code) override;
    void finishWizard() override;

    void winClose();
    void winMin();

    // The help bar.
    void onTroubleshootingClicked();
    void onSupportClicked();
    void onManualClicked();
    void onQuickGuideClicked();
    void onAdobeClicked();
    void onAboutClicked();

    PageContainer &contentBox() { return m_contentBox; }
    WelcomeView &contentWelcomViewController() { return *m_welcome; }
    InstallView &contentInstallViewController() { return *m_install; }
    SetupView &contentSetupViewController() { return *m_setup; }
    SummaryView &contentSummaryViewController() { return *m_summary; }
    const QStringList &summaryInfo() const { return m_summaryInfo; }

    // Presentation state.
    struct HelpButton
    {
        QString title;
        QString toolTip;
    };
    QString windowTitle() const { return m_title; }
    QString lbSteps() const { return m_lbSteps; }
    bool isStepsReminderVisible() const { return m_stepsReminderVisible; }
    bool isHeaderGrey() const { return m_headerGrey; }
    bool isTradeMarkVisible() const { return m_tradeMarkVisible; }
    // The dimming over the window, as the modal host sets it.
    bool isGreyViewVisible() const;
    double greyViewOpacity() const;
    QString lbCopyright() const { return m_copyright; }
    QString lbTradeMark() const { return m_tradeMark; }
    // The help bar's buttons, in this order.
    enum HelpButtonIndex { Troubleshooting, Support, Manual, QuickGuide, AdobeReader, About, Exit };
    const QList<HelpButton> &helpButtons() const { return m_helpButtons; }
    // Exit is on every page; five more come with the guide's first page;
    // Adobe Reader stays hidden.
    bool isHelpButtonVisible(int index) const;

    static constexpr double kGreyLevel = 0.3216;
    static constexpr double kHeaderGreyLevel = 0.886;

signals:
    void changed();
    void terminateRequested();
    void minimizeRequested();
    void raiseRequested();

private:
    void setLanguageText();
    void changeReminder(const QVariantMap &userInfo);
    void swapContentView(class PageController *page);

    WizardContext &m_context;
    bool m_loadStatus = false;
    QStringList m_summaryInfo;
    PageContainer m_contentBox;
    WelcomeView *m_welcome;
    InstallView *m_install;
    SetupView *m_setup;
    SummaryView *m_summary;

    QString m_title, m_lbSteps, m_copyright, m_tradeMark;
    bool m_stepsReminderVisible = false;
    bool m_headerGrey = false;
    bool m_tradeMarkVisible = false;
    bool m_helpButtonsVisible = false;
    QList<HelpButton> m_helpButtons;
    QList<NotificationCenter::Token> m_observers;
};
