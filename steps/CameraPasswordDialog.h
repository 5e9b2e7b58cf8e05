#pragma once

#include "core/DialogController.h"
#include "webconfig/CameraReply.h"
#include "webconfig/records/TCameraInfo.h"

#include <memory>

// What the camera password dialogs hand back to the camera list.
class CameraPasswordDialogDelegate
{
public:
    virtual ~CameraPasswordDialogDelegate() = default;
    // Whether a camera the dialog got working may be picked: asked again
    // when it succeeds, as places may have gone meanwhile.
    virtual bool mayPick() const { return true; }
    // The dialog's window has closed.
    virtual void endDialog() { }
    // The password tried first on the cameras that need one; empty when none is.
    virtual QString sharedPassword() const { return {}; }
    // Sets it, or withdraws it with an empty one.
    virtual void setSharedPassword(const QString &password) { Q_UNUSED(password); }
};

// The frame both camera password dialogs share: a floating window about one
// camera record, which it fills in when the camera takes the password. Its
// fields and buttons are disabled while the camera is asked; one completed
// attempt closes it.
class CameraPasswordDialog : public DialogController
{
    Q_OBJECT
public:
    using DialogController::DialogController;

    void setDelegate(CameraPasswordDialogDelegate *delegate, std::shared_ptr<TCameraInfo> camera);
    const std::shared_ptr<TCameraInfo> &camera() const { return m_camera; }

    // The window's close control acts as Cancel, and only while Cancel can be pressed.
    void windowWillClose() override;

    bool inputsEnabled() const { return m_inputsEnabled; }
    bool cancelEnabled() const { return m_cancelEnabled; }
    // "MODEL - IP": which camera the dialog is about.
    QString lbCamera() const;
    QString btSaveTitle() const { return text(QStringLiteral("APP_Ok")); }
    QString btCancelTitle() const { return text(QStringLiteral("APP_Cancel")); }
    // The check box "use this password for the other cameras that need one".
    // It starts ticked while a shared password is in use; unticking it
    // withdraws that one at once, and a password the camera takes while it is
    // ticked becomes the shared one.
    void setShareForOthers(bool share);
    bool shareForOthers() const { return m_shareForOthers; }
    QString cbShareTitle() const { return text(QStringLiteral("SetupCam SharePassword")); }

protected:
    void cancel();
    void setInputsEnabled(bool enabled);
    void enableCancel();
    // A modal alert with the text of key and one "Button Close".
    void showMessage(const QString &key);
    // The message of an attempt the camera did not answer.
    void showNoAnswerMessage() { showMessage(QStringLiteral("SetupCam NoAnswer")); }
    void storeCredentials(const QString &user, const QString &password);
    // Undims the window, asks the list to reload (reload), and closes.
    void close(bool reload);

private:
    CameraPasswordDialogDelegate *theDelegate = nullptr;
    std::shared_ptr<TCameraInfo> m_camera;
    bool m_inputsEnabled = true;
    bool m_cancelEnabled = true;
    bool m_shareForOthers = false;
};
