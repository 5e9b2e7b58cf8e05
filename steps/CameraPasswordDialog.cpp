#include "steps/CameraPasswordDialog.h"

#include "core/ModalHost.h"
#include "platform/NotificationCenter.h"

void CameraPasswordDialog::setDelegate(CameraPasswordDialogDelegate *delegate, std::shared_ptr<TCameraInfo> camera)
{
    theDelegate = delegate;
    m_camera = std::move(camera);
    m_shareForOthers = theDelegate && !theDelegate->sharedPassword().isEmpty();
}

void CameraPasswordDialog::setShareForOthers(bool share)
{
    m_shareForOthers = share;
    if (!share && theDelegate)
        theDelegate->setSharedPassword(QString());
    emit changed();
}

void CameraPasswordDialog::windowWillClose()
{
    if (m_cancelEnabled)
        cancel();
}

QString CameraPasswordDialog::lbCamera() const
{
    return QStringLiteral("%1 - %2").arg(m_camera->modelName().value_or(QString()), m_camera->ip().value_or(QString()));
}

void CameraPasswordDialog::cancel()
{
    if (!isModalStopped())
        close(false);
}

void CameraPasswordDialog::setInputsEnabled(bool enabled)
{
    m_inputsEnabled = enabled;
    m_cancelEnabled = enabled;
    emit changed();
}

void CameraPasswordDialog::enableCancel()
{
    m_cancelEnabled = true;
    emit changed();
}

void CameraPasswordDialog::showMessage(const QString &key)
{
    context().modal.runAlert(text(key), text(QStringLiteral("Button Close")));
}

void CameraPasswordDialog::storeCredentials(const QString &user, const QString &password)
{
    m_camera->setUserName(user);
    m_camera->setPassWord(password);
    if (!theDelegate || theDelegate->mayPick())
        m_camera->setIsAdded(QStringLiteral("1"));
    if (theDelegate && m_shareForOthers)
        theDelegate->setSharedPassword(password);
}

void CameraPasswordDialog::close(bool reload)
{
    if (reload)
        context().notifications.post(Notifications::needReloadTableView, this);
    dismiss();
    if (theDelegate)
        theDelegate->endDialog();
}
