#pragma once

#include "steps/DiagHddConfirm.h"
#include "steps/DiagHddFormat.h"
#include "steps/SetupProgressView.h"
#include "steps/SetupStep.h"
#include "steps/Setup_HddInformationView.h"
#include "steps/Setup_MessageView.h"
#include "webconfig/HttpConfigDelegate.h"

#include <QElapsedTimer>
#include <QHash>
#include <QTimer>

#include <memory>

class HttpConfig;

// Shows the recorder's two disk bays, keeps them current while the user
// looks, and formats the marked disks when the user goes on.
class Setup_HddView : public RecorderStep,
                      private HttpConfigDelegate,
                      private DiagHddFormatDelegate,
                      private DiagHddConfirmDelegate
{
    Q_OBJECT
public:
    static inline const QString kPageKey = QStringLiteral("hdd");

    enum Phase { Browsing = 0, Formatting = 1, NotStarted = 2 };

    explicit Setup_HddView(WizardContext &context, QObject *parent = nullptr);
    ~Setup_HddView() override;

    QString pageKey() const override { return kPageKey; }
    void setDelegate(SetupStepDelegate *delegate, NvrRef device, const QString &user, const QString &password) override;
    void viewDidAppear() override;

    void onNextClicked();
    void onBackClicked();
    void onSkipClicked();

    Phase hddStep() const { return m_hddStep; }
    Setup_HddInformationView &hddInformationViewController() { return m_table; }
    const Setup_MessageView &messageViewController() const { return m_message; }
    // The disks of the last completed query.
    const THddInfoList &hddInfos() const;
    // The bays (from 1) a format of this run has finished on.
    const QList<int> &formattedBays() const { return m_formattedBays; }

    // The disk table stands in boxContent once a query has answered.
    bool tableShown() const { return m_tableShown; }
    bool btBackEnabled() const { return m_backEnabled; }
    bool btNextEnabled() const { return m_nextEnabled; }
    bool btSkipEnabled() const { return m_skipEnabled; }
    bool hddInfoRetrieved() const { return m_hddInfoRetrieved; }
    // The second place the format message is shown.
    QString textField() const { return m_textField; }
    const SetupProgressView &progressView() const { return progress; }
    QString lbTitle() const { return text(QStringLiteral("SetupHdd_Title_260A")); }
    QString btBackTitle() const { return text(QStringLiteral("APP_Back")); }
    QString btNextTitle() const { return text(QStringLiteral("APP_Next2")); }
    QString btSkipTitle() const { return text(QStringLiteral("SetupNimbora_Account Skip")); }

protected:
    bool canTryAgain() const override { return !m_queryInFlight; }
    void tryAgain() override { performQuery(); }

private:
    SetupProgressView progress;
    // HttpConfigDelegate
    void onHttpConfigDidFinish(HttpConfig *, int cmd) override;
    void onHttpUpdateFormatStatus(HttpConfig *, int cmd, int hdd, const QString &format) override;
    void onHttpDidError(const HttpError &error) override;
    // DiagHddFormatDelegate
    void toFormat() override;
    void notToFormat() override;
    // DiagHddConfirmDelegate
    void toRescan() override;

    void performFirstQuery();
    void performQuery();
    void startQuery();
    void performRefreshQuery();
    void onHddInfo();
    void onFormatEnd();
    void checkForFormatting();
    void openFormatDialog();
    void openNoDiskDialog();
    void startFormatting();
    void setMarks(const THddInfoList &list) const;
    void rememberMark(const std::shared_ptr<THddInfo> &disk);

    void showBusyPanel(const QString &key, int steps);
    void removeBusyPanel();
    void setButtonsEnabled(bool enabled);

    std::unique_ptr<HttpConfig> httpConfig;
    Setup_HddInformationView m_table;
    Setup_MessageView m_message;
    QTimer m_formatDialogTimer;
    // The recorder records with the processor that answers: one round of
    // questions at most every hddRefreshMs.
    QTimer m_pacing;
    QElapsedTimer m_lastRound;
    // The marks the user set, by disk: a refresh brings new records.
    QHash<QString, bool> m_userMarks;
    QList<int> m_formattingBays;
    QList<int> m_formattedBays;

    Phase m_hddStep = NotStarted;
    bool nextClicked = false;
    bool skipClicked = false;
    bool backClicked = false;
    bool m_hddInfoRetrieved = false;
    bool m_queryInFlight = false;
    bool hddFormatErrorHappened = false;

    bool m_tableShown = false;
    bool m_backEnabled = false;
    bool m_nextEnabled = false;
    bool m_skipEnabled = false;
    QString m_textField;
};
