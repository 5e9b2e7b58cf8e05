#pragma once

#include "platform/NotificationCenter.h"
#include "steps/CameraPasswordDialog.h"
#include "steps/StepForm.h"
#include "webconfig/CameraPassword.h"
#include "webconfig/records/TCameraInfo.h"

#include <QPoint>

#include <memory>
#include <optional>

// What the camera list asks of the camera step.
class Setup_SelectCamViewDelegate
{
public:
    virtual ~Setup_SelectCamViewDelegate() = default;
    virtual void onRescanClicked() { }
};

// The cameras the recorder found: picking up to nine, getting each picked
// camera working credentials through the password dialogs, the preview, and
// what the step writes into the channels. The records are the step's own,
// shared: what the dialogs store in them is what the step writes.
class Setup_SelectCamView : public StepForm, private CameraPasswordDialogDelegate
{
    Q_OBJECT
public:
    // How far a camera's credentials are known, from userName and passWord.
    enum class Secured { Known, PasswordUnknown, NoPassword };

    // Rows that cannot be picked any more while nine are.
    static constexpr double kDimmedAlpha = 0.8;
    static constexpr const char *imgCheckOn = "square_selection_on.png";
    static constexpr const char *imgCheckOff = "square_selection_off.png";
    static constexpr const char *imgPreviewOn = "blue_camera.png";

    explicit Setup_SelectCamView(WizardContext &context, QObject *parent = nullptr);
    ~Setup_SelectCamView() override;

    void setDelegate(Setup_SelectCamViewDelegate *delegate) { theDelegate = delegate; }
    void setCameraMutableList(std::shared_ptr<TCameraInfoList> list);
    const std::shared_ptr<TCameraInfoList> &cameraList() const { return m_cameraList; }

    // The picked records in list order; none when a picked one lacks
    // credentials (after the message "SetupCam Msg").
    std::optional<TCameraInfoList> getCameraSelectedList();
    // A new list of the current records (the records themselves are shared).
    TCameraInfoList storePassword() const;

    // A password dialog is open, or a camera is being asked: one camera
    // request at a time, as the waits let queued work run meanwhile.
    bool isOpenDiag() const { return m_isOpenDiag; }
    // The password a dialog's user asked to try first on the other cameras
    // that need one (checked on those with a password, set on those without);
    // empty when none is.
    QString sharedPassword() const override { return m_sharedPassword; }
    // Back forgets it: it belongs to this recorder's cameras.
    void forgetSharedPassword() { m_sharedPassword.clear(); }
    // The list's own rescan control, apart from the rest of its controls.
    void setRescanEnabled(bool enabled);
    bool lbRescanEnabled() const { return m_rescanEnabled && inputsEnabled(); }

    // --- Rows ---
    int rowCount() const;
    int selectCamera() const;
    bool rowPicked(int row) const;
    QString rowCheckImage(int row) const;
    QString rowNumber(int row) const;
    QString rowModel(int row) const;
    QString rowIp(int row) const;
    QString rowPreviewName(int row) const;
    QString rowMac(int row) const;
    // The preview button shows only for a camera with a user name and an address.
    bool rowHasPreview(int row) const;
    Secured rowSecured(int row) const;
    bool rowDimmed(int row) const;

    // --- Texts ---
    QString lbCameraNum() const;
    QString lbText() const { return text(QStringLiteral("SetupCam_Text1")); }
    QString lbRescanTitle() const { return text(QStringLiteral("APP_Rescan")); }
    QString lbNote() const { return text(QStringLiteral("SetupCam_InstallCam")); }
    QString lbSecured() const { return text(QStringLiteral("SetupCam Secured")); }
    QString lbUnsecured() const { return text(QStringLiteral("SetupCam Unsecured")); }
    QString lbNoPassword() const { return text(QStringLiteral("SetupCam NoPassword")); }
    // Headers of columns 1 to 3; column 0 has none.
    QString columnTitle(int column) const;

    // --- Actions ---
    // A click in the table; only column 0 picks or unpicks.
    void onChangeSelected(int row, int column);
    // The preview button of a row; origin: the screen point for the window.
    void inPreviewClicked(int row, const QPoint &origin);
    // The list's own rescan control: the rows go at once, then the step searches.
    void onRescanClicked();
    void onTipClicked();
    void reloadData();
    void showMessageBox(const QString &key);

    static Secured determineCamIsSecured(const TCameraInfo &camera);

private:
    bool mayPick() const override;
    void endDialog() override;
    void setSharedPassword(const QString &password) override { m_sharedPassword = password; }
    const TCameraInfo *camera(int row) const;
    // Whether the camera still takes the credentials its record holds.
    bool takesStoredPassword(const TCameraInfo &camera);
    // A camera that needs a password: the shared one first, then the dialog.
    void askForPassword(const std::shared_ptr<TCameraInfo> &camera, bool newPassword);
    void onSharedPasswordTried(const std::shared_ptr<TCameraInfo> &camera, const QString &password, CameraReply reply);
    void openPasswordDialog(const std::shared_ptr<TCameraInfo> &camera, bool newPassword);
    void openDialog(std::unique_ptr<CameraPasswordDialog> dialog, const std::shared_ptr<TCameraInfo> &camera);

    Setup_SelectCamViewDelegate *theDelegate = nullptr;
    std::shared_ptr<TCameraInfoList> m_cameraList;
    TCameraInfoList selectList;
    bool m_isOpenDiag = false;
    bool m_rescanEnabled = true;
    QPoint menuOrigin;
    std::unique_ptr<CameraPasswordDialog> m_dialog;
    QString m_sharedPassword;
    std::unique_ptr<CameraPassword> m_sharedTry;
    NotificationCenter::Token m_observer = 0;
};
