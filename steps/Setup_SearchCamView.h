#pragma once

#include "netcheck/InternetCheck.h"
#include "steps/SetupProgressView.h"
#include "steps/SetupStep.h"
#include "steps/Setup_MessageView.h"
#include "steps/Setup_SelectCamView.h"
#include "webconfig/HttpConfigDelegate.h"
#include "webconfig/verifyIPCamPassword.h"

#include <memory>
#include <vector>

class HttpConfig;

// Lets the recorder find the IP cameras on its network, lets the user pick
// up to nine with working credentials, checks whether this computer can
// reach the internet, and writes the picked cameras into the recorder's nine
// channels (clearing the others), one request after the other.
class Setup_SearchCamView : public RecorderStep,
                            public Setup_SelectCamViewDelegate,
                            private HttpConfigDelegate,
                            private verifyIPCamPasswordDelegate
{
    Q_OBJECT
public:
    static inline const QString kPageKey = QStringLiteral("searchCAM");

    enum class Phase { Idle, Searching, Restoring, Listing, CheckingInternet, Writing, Done, Error };

    explicit Setup_SearchCamView(WizardContext &context, QObject *parent = nullptr);
    ~Setup_SearchCamView() override;

    QString pageKey() const override { return kPageKey; }
    void viewDidAppear() override;

    void onNextClicked();
    void onBackClicked();
    // The step's Rescan button, and the list's own rescan control.
    void onRescanClicked() override;

    Setup_SelectCamView &selectCamViewController() { return m_list; }
    const Setup_SelectCamView &selectCamViewController() const { return m_list; }
    const Setup_MessageView &messageViewController() const { return m_message; }
    Phase phase() const { return m_phase; }
    // The list stands in boxContent (else the busy panel, or nothing yet).
    bool listShown() const { return m_listShown && !m_message.isVisible(); }
    // The no-device label over the list.
    bool textFieldShown() const { return m_textFieldShown; }
    bool btBackEnabled() const { return m_backEnabled; }
    bool btNextEnabled() const { return m_nextEnabled; }
    bool btRescanEnabled() const { return m_rescanEnabled; }
    // The picked cameras of the last Next, in channel order.
    const TCameraInfoList &selectedList() const { return selectList; }
    int addProgress() const { return m_addProgress; }
    bool skipNimbora() const { return skipnimbora; }

    const SetupProgressView &progressView() const { return progress; }
    QString lbTitle() const { return text(QStringLiteral("SetupCam_Title")); }
    QString textField() const { return text(QStringLiteral("APP_NODevice")); }
    QString btBackTitle() const { return text(QStringLiteral("APP_Back")); }
    QString btNextTitle() const { return text(QStringLiteral("APP_Next2")); }
    QString btRescanTitle() const { return text(QStringLiteral("APP_Rescan")); }

private:
    struct CarriedOver
    {
        std::unique_ptr<verifyIPCamPassword> check;
        std::shared_ptr<TCameraInfo> old;
    };

    // Starts the first carried-over check not yet started; false when none is left.
    bool startNextCheck();
    // A failed search or channel write is sent again as it was.
    bool canTryAgain() const override { return m_phase == Phase::Error && !m_list.isOpenDiag(); }
    void tryAgain() override;
    void onHttpConfigDidFinish(HttpConfig *, int cmd) override;
    void onHttpDidError(const HttpError &error) override;
    void didVerifyPassword(verifyIPCamPassword *) override;

    void performReadyToSearch();
    void performStartSearch();
    void onDiscovery();
    void restorePassword();
    void showList(bool noDeviceTest);
    void checkInternet();
    void onInternetReport(bool reachable);
    void toSkip();
    void performReadyToAddCamera();
    void performAddCamera();
    void onChannelWritten();

    void showBusyPanel(int steps, const QString &message);
    void setButtonsEnabled(bool back, bool next, bool rescan);

    std::unique_ptr<HttpConfig> httpConfig;
    Setup_SelectCamView m_list;
    Setup_MessageView m_message;
    SetupProgressView progress;
    InternetCheck internetReachableFoo;
    std::shared_ptr<TCameraInfoList> cameraList;
    TCameraInfoList cameraList2;
    std::vector<CarriedOver> cameraList3;
    TCameraInfoList selectList;
    int m_addProgress = 0;
    bool skipnimbora = false;
    Phase m_phase = Phase::Idle;
    // The phase the last failed request was sent in.
    Phase m_failedIn = Phase::Idle;
    bool m_listShown = false;
    bool m_textFieldShown = false;
    bool m_backEnabled = false;
    bool m_nextEnabled = false;
    bool m_rescanEnabled = false;
};
