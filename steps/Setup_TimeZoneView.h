#pragma once

#include "platform/NotificationCenter.h"
#include "steps/ComputerTimeZone.h"
#include "steps/SetupProgressView.h"
#include "steps/SetupStep.h"
#include "steps/Setup_MessageView.h"
#include "steps/Setup_TimeZoneContentView.h"
#include "steps/TimeZoneMatch.h"
#include "webconfig/HttpConfigDelegate.h"
#include "webconfig/records/TDateInfo.h"
#include "webconfig/records/TTimeZoneListInfo.h"

#include <memory>

class HttpConfig;

// Sets the recorder's time zone: proposes the computer's zone, reads the
// recorder's zone list and current zone, and writes the user's choice as a
// position in the recorder's list.
class Setup_TimeZoneView : public RecorderStep, private HttpConfigDelegate
{
    Q_OBJECT
public:
    static inline const QString kPageKey = QStringLiteral("timeZone");

    // What the recorder is being asked (dateStep).
    enum Phase { ReadList = 0, ReadSettings = 1, SetZone = 2 };

    explicit Setup_TimeZoneView(WizardContext &context, QObject *parent = nullptr);
    ~Setup_TimeZoneView() override;

    QString pageKey() const override { return kPageKey; }
    void setDelegate(SetupStepDelegate *delegate, NvrRef device, const QString &user, const QString &password) override;

    // Where the computer's zone comes from; the system zone unless replaced.
    void setComputerTimeZoneSource(ComputerTimeZoneSource source) { computerTimeZone = std::move(source); }
    void getLocalTimeZoneFromUserComputer();

    void onNextClicked();
    void onBackClicked();

    Setup_TimeZoneContentView &timeZoneViewController() { return picker; }
    const Setup_MessageView &messageViewController() const { return messageView; }
    const SetupProgressView &progressView() const { return progress; }
    int dateStep() const { return m_dateStep; }
    // How the last proposal was found.
    TimeZoneMatch::By proposedBy() const { return m_proposedBy; }
    // The list positions count in: the recorder's, or the wizard's own when the
    // recorder refused its list ("Access Error"); empty when it sent none.
    QStringList indexList() const;
    // The zone the recorder last took; empty before it took one.
    QString zoneSet() const { return m_zoneSet; }
    // The recorder's zone as read, counted in indexList(); -1 before it was
    // read or when it is not in the list.
    int recorderZone() const { return m_recorderZone; }
    // Next acts only once the recorder's list has been read and nothing is in
    // flight: a position counted in any other list would set a wrong zone.
    bool btNextEnabled() const { return m_nextEnabled && m_recorderRead && !messageView.isVisible(); }
    bool btBackEnabled() const { return m_backEnabled; }
    QString lbTitle() const { return text(QStringLiteral("SetupTimeZone_Title")); }
    QString btBackTitle() const { return text(QStringLiteral("APP_Back")); }
    QString btNextTitle() const { return text(QStringLiteral("APP_Next2")); }

protected:
    bool canTryAgain() const override { return true; }
    // The reading or the write that failed.
    void tryAgain() override;

private:
    void onHttpConfigDidFinish(HttpConfig *config, int cmd) override;
    void onHttpDidError(const HttpError &error) override;

    void readRecorder();
    void onListRead();
    void onSettingsRead();
    void onZoneSet();
    void leaveWithZone(const QString &zone);
    void showBusy();

    ComputerTimeZoneSource computerTimeZone = &ComputerTimeZone::current;
    std::unique_ptr<HttpConfig> httpConfig;
    std::shared_ptr<TTimeZoneListInfo> timeZoneListInfos;
    std::shared_ptr<TDateInfo> dateInfos;
    Setup_TimeZoneContentView picker;
    Setup_MessageView messageView;
    SetupProgressView progress;
    TimeZoneMatch::By m_proposedBy = TimeZoneMatch::By::Nothing;
    NotificationCenter::Token m_observer = 0;
    QString m_zoneSet;
    int m_recorderZone = -1;
    int m_dateStep = ReadList;
    bool m_recorderRead = false;
    bool m_backEnabled = false;
    bool m_nextEnabled = false;
};
