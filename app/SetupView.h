#pragma once

#include "app/PageContainer.h"
#include "app/SetupSummary.h"
#include "core/LeftStepView.h"
#include "core/PageController.h"
#include "steps/SetupStep.h"
#include "steps/SetupStepDelegate.h"

#include <QStringList>

class ShellDelegate;
class Setup_HddView;
class Setup_NimboraView;
class Setup_PasswordView;
class Setup_SearchCamView;
class Setup_SearchNvrView;
class Setup_TimeZoneView;

// The setup page: runs the six setup steps one after another in its step
// container and keeps the state they share for the life of the process.
class SetupView : public PageController, public SetupStepDelegate
{
    Q_OBJECT
public:
    static inline const QString kPageKey = QStringLiteral("setup");

    explicit SetupView(WizardContext &context, QObject *parent = nullptr);
    ~SetupView() override;

    QString pageKey() const override { return kPageKey; }
    void viewDidAppear() override;

    void setDelegate(ShellDelegate *delegate) { theDelegate = delegate; }

    NvrRef getSelectedDevice() const;
    QString getUserName() const;
    QString getPassword() const;

    // What this run set, for the last page and the report.
    SetupSummary summary() const;

    PageContainer &setupBox() { return m_setupBox; }
    LeftStepView &leftStepViewController() { return m_leftStep; }
    Setup_SearchNvrView &searchNvrViewController() { return *m_search; }
    Setup_PasswordView &passwordViewController() { return *m_password; }
    Setup_TimeZoneView &timeZoneViewController() { return *m_timeZone; }
    Setup_HddView &hddViewController() { return *m_hdd; }
    Setup_SearchCamView &searchCamViewController() { return *m_searchCam; }
    Setup_NimboraView &nimboraViewController() { return *m_nimbora; }

    // The steps this run has done on the recorder, by their titles, in order:
    // leaving now leaves it half set up.
    QStringList stepsDone() const;

    // SetupStepDelegate
    void setupSearchNvrNext() override;
    void setupSearchNvrBack() override;
    void setupPasswordNext(const QString &nvrPassword) override;
    void setupPasswordGotoSearchCam(const QString &nvrPassword) override;
    void setupPasswordBack() override;
    void setupPasswordGotoSearchNvr() override;
    void setupTimeZoneNext() override;
    void setupTimeZoneBack() override;
    void setupHddNext() override;
    void setupHddBack() override;
    void setupSearchCamNext() override;
    void skipNimboraNext() override;
    void setupSearchCamBack() override;
    void setupNimboraNext(const QString &account) override;
    void setupNimboraBack() override;

private:
    void takePasswordStepLogin(const QString &nvrPassword);
    void showSearchStep();
    void showPasswordStep();
    void showRecorderStep(RecorderStep &step);
    void markDone(const QString &titleKey);

    ShellDelegate *theDelegate = nullptr;
    PageContainer m_setupBox;
    LeftStepView m_leftStep;

    NvrRef m_selectedNvr;
    QString m_userName;
    QString m_passWord;
    QString m_nvrPassword;
    QString m_cloudEmail;
    QString m_cloudPassword;
    QStringList m_doneTitleKeys;

    Setup_SearchNvrView *m_search;
    Setup_PasswordView *m_password;
    Setup_TimeZoneView *m_timeZone;
    Setup_HddView *m_hdd;
    Setup_SearchCamView *m_searchCam;
    Setup_NimboraView *m_nimbora;
};
