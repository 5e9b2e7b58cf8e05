#pragma once

#include "protocol/SearchDevice.h"
#include "protocol/SearchDeviceDelegate.h"
#include "steps/SetupProgressView.h"
#include "steps/SetupStep.h"
#include "steps/Setup_MessageView.h"
#include "steps/Setup_SelectNvrView.h"

// Finds the recorders on the LAN and lets the user pick one. A search makes up
// to three discovery attempts while nothing answers.
class Setup_SearchNvrView : public SetupStep, private SearchDeviceDelegate
{
    Q_OBJECT
public:
    static inline const QString kPageKey = QStringLiteral("searchNVR");

    explicit Setup_SearchNvrView(WizardContext &context, QObject *parent = nullptr);

    QString pageKey() const override { return kPageKey; }
    void viewDidAppear() override;

    void setDelegate(SetupStepDelegate *delegate) { theDelegate = delegate; }
    NvrRef getSelectedDevice() const;

    void onNextClicked();
    void onBackClicked();
    void onRescanClicked();

    // State the widgets show.
    bool isSearching() const { return searching; }
    bool btBackEnabled() const { return backEnabled; }
    bool btNextEnabled() const { return nextEnabled; }
    bool btRescanEnabled() const { return rescanEnabled; }
    bool listControlsEnabled() const { return listEnabled; }
    bool noDeviceLabelVisible() const { return noDeviceVisible; }
    // The last search ended because the request could not be sent.
    bool hadNetworkError() const { return networkError; }
    QString lbTitle() const { return title; }
    QString btBackTitle() const { return text(QStringLiteral("APP_Back")); }
    QString btNextTitle() const { return text(QStringLiteral("APP_Next2")); }
    QString btRescanTitle() const { return text(QStringLiteral("APP_Rescan")); }
    QString noDeviceText() const;
    // Why nothing answered, told from the computer's interfaces; shown with
    // the "nothing found" label.
    const ReachDiagnosis &noDeviceDiagnosis() const { return noDevice; }
    QString noDeviceDiagnosisText() const;
    Setup_SelectNvrView &selectNvrView() { return selectView; }
    const Setup_MessageView &messageView() const { return message; }
    const SetupProgressView &progressView() const { return progress; }

private:
    void onSearchEnd(SearchDevice *device, const UdpError &error) override;
    void performReadyToSearch();
    void performStartSearch();
    void setButtons(bool enabled);
    void diagnoseNoAnswer();

    SearchDevice searchDevice;
    // Attempts left after the running one while nothing answers.
    int search_retry = 2;
    Setup_SelectNvrView selectView;
    Setup_MessageView message;
    SetupProgressView progress;
    NvrRef selectedNvr;
    ReachDiagnosis noDevice;
    QString title;
    bool searching = false;
    bool backEnabled = true;
    bool nextEnabled = false;
    bool rescanEnabled = true;
    bool listEnabled = true;
    bool noDeviceVisible = false;
    bool networkError = false;
};
