#pragma once

#include "app/SetupSummary.h"
#include "core/LeftStepView.h"
#include "core/PageController.h"
#include "guide/EmphasisedText.h"
#include "shortcuts/ShortcutItems.h"
#include "steps/SetupProgressView.h"
#include "steps/SetupStep.h"
#include "webconfig/HttpConfigDelegate.h"
#include "webconfig/records/TNimboraInfo.h"
#include "webconfig/records/TRecordingInfo.h"

#include <QStringList>

#include <memory>
#include <optional>

class HttpConfig;
class ShellDelegate;

// The last page: what was set, the recorder's network settings and cloud
// state, the shortcut items left on the computer, recording started, Finish.
class SummaryView : public PageController, private HttpConfigDelegate
{
    Q_OBJECT
public:
    static inline const QString kPageKey = QStringLiteral("summary");
    // What the recorder said to "start recording".
    enum class Recording { NotAsked, NotStarted, Started, ApiError };

    // launcherBundle: the HRX260A bundle the desktop shortcut is copied from.
    explicit SummaryView(WizardContext &context, QObject *parent = nullptr,
        const QString &launcherBundle = ShortcutItems::defaultLauncherBundle());
    ~SummaryView() override;

    QString pageKey() const override { return kPageKey; }
    void viewDidAppear() override;

    // What the setup set; the shell hands it over before the page is shown.
    void setSummary(SetupSummary summary) { m_summary = std::move(summary); }
    // Stores the four, then asks the recorder for its cloud state and shows
    // its network settings.
    void setDelegate(ShellDelegate *delegate, NvrRef device, const QString &username, const QString &password);

    // The shortcut check box: ticked makes the three items, cleared removes them.
    void onCheck(bool ticked);
    void onGotoNvrClicked();
    void onFinishClicked();

    // The report of this run: the steps' facts, the recorder and its cloud state.
    SetupReport report() const;
    // Documents (the home folder when there is none), under a name with the
    // recorder's MAC and the date.
    QString defaultReportPath() const;
    // Writes the report as a PDF; false with the reason when it could not.
    bool writeReport(const QString &path, QString *error) const;
    // "Save report…": asks where, then saves there.
    void onSaveReportClicked();
    // Saves the report once a path was chosen: a failure is shown in an alert,
    // success on the page with the file's path.
    void onSaveReport(const QString &path);
    QString lbReportSaved() const { return m_reportSaved; }
    // The report waits for the recorder's cloud state.
    bool btSaveReportEnabled() const { return m_settled; }
    QString btSaveReportTitle() const { return text(QStringLiteral("Summary_SaveReport")); }

    // The summary as a list of twelve: 0 recorder password, 1 cloud e-mail,
    // 2 cloud password, 3 to 11 the cameras' models; "none" where it holds nothing.
    QStringList summaryInfo() const;
    NvrRef device() const { return m_selectedNvr; }
    const SetupProgressView &progressView() const { return progress; }
    LeftStepView &leftStepViewController() { return m_leftStep; }

    QString lbTitle() const { return text(QStringLiteral("Summary_Title")); }
    const EmphasisedText &lbText1() const { return m_text1; }
    QString btFinishTitle() const { return text(QStringLiteral("Summary_FINISH")); }
    QString btGotoNvrTitle() const { return text(QStringLiteral("Summary_GOTONVR")); }
    QString btCheckTitle() const { return text(QStringLiteral("Summary_Shortcut")); }
    QString lbPassTitle() const { return text(QStringLiteral("APP_Password:")); }
    QString lbMailTitle() const { return text(QStringLiteral("E-Mail:")); }

    QString edPass() const;
    bool edMailVisible() const { return !m_summary.cloudEmail.isEmpty(); }
    QString edMail() const { return m_summary.cloudEmail; }
    bool edNimboraPassVisible() const { return !m_summary.cloudPassword.isEmpty(); }
    QString edNimboraPass() const { return m_summary.cloudPassword; }
    // The cameras' models in channel order.
    QStringList cameras() const { return m_summary.cameraModels(); }

    QString lbRecorderTitle() const { return text(QStringLiteral("Summary_Recorder")); }
    QString lbCloudTitle() const { return text(QStringLiteral("SetupNimbora_Title")); }
    QString lbCamerasTitle() const { return text(QStringLiteral("SetupCam_Title")); }

    // The recorder's network settings as caption and value: connection type,
    // address, mask, gateway, primary and secondary DNS; none without a recorder.
    struct Row
    {
        QString title;
        QString value;
    };
    QList<Row> networkRows() const;

    // The cloud state of the recorder's answer; none before it came.
    const std::optional<ShortcutTarget> &target() const { return m_target; }
    std::optional<ShortcutPaths> shortcutPaths() const;
    // The box can act only once the cloud state is known.
    bool btCheckEnabled() const { return m_target.has_value(); }
    bool btCheck() const { return m_check; }
    // What the last making or removing of the items could not do.
    const ShortcutErrors &shortcutErrors() const { return m_shortcutErrors; }
    QString lbShortcutError() const;
    Recording recording() const { return m_recording; }
    // Nothing more is awaited from the recorder: recording was answered, a
    // question went unanswered, or there was no recorder to ask.
    bool isSettled() const { return m_settled; }

private:
    void onHttpConfigDidFinish(HttpConfig *config, int cmd) override;
    void onHttpDidError(const HttpError &error) override;

    void setLanguageText();
    void onNimboraInfo();
    void onRecordingInfo();
    void showShortcutResult(const ShortcutErrors &errors);

    ShellDelegate *theDelegate = nullptr;
    NvrRef m_selectedNvr;
    QString m_username;
    QString m_password;
    std::unique_ptr<HttpConfig> httpConfig;
    ShortcutItems m_items;
    SetupProgressView progress;
    LeftStepView m_leftStep;
    SetupSummary m_summary;
    EmphasisedText m_text1;
    std::shared_ptr<TNimboraInfo> nimboraInfo;
    std::shared_ptr<TRecordingInfo> myRecordingInfos;
    std::optional<ShortcutTarget> m_target;
    ShortcutErrors m_shortcutErrors;
    QString m_reportSaved;
    Recording m_recording = Recording::NotAsked;
    bool m_check = false;
    bool m_settled = false;
};
