#include "steps/Setup_SelectCamView.h"

#include "core/ModalHost.h"
#include "core/TextFormat.h"
#include "platform/Durations.h"
#include "platform/Log.h"
#include "platform/ModelName.h"
#include "steps/DiagNewPassword.h"
#include "steps/DiagPreview.h"
#include "steps/DiagVerifyPassword.h"
#include "steps/installCamera.h"
#include "util/RowAt.h"
#include "webconfig/CameraEndpoints.h"
#include "webconfig/CameraHttp.h"

namespace {

const QString kPicked = QStringLiteral("1");

// The recorder's copy of a camera's credentials can be stale: the camera's
// own image request tells, as the preview would show it.
bool refusesStoredPassword(const TCameraInfo &camera)
{
    return refusedCredentials(cameraGet(CameraEndpoints::imageUrl(camera), camera.userName().value_or(QString()),
        camera.passWord().value_or(QString()), durations().cameraCheckMs));
}

} // namespace

Setup_SelectCamView::Setup_SelectCamView(WizardContext &context, QObject *parent)
    : StepForm(context, parent)
    , m_cameraList(std::make_shared<TCameraInfoList>())
{
    m_observer = context.notifications.addObserver(
        Notifications::needReloadTableView, [this](const QObject *, const QVariantMap &) { reloadData(); });
}

Setup_SelectCamView::~Setup_SelectCamView()
{
    context().notifications.removeObserver(m_observer);
}

void Setup_SelectCamView::setCameraMutableList(std::shared_ptr<TCameraInfoList> list)
{
    m_cameraList = list ? std::move(list) : std::make_shared<TCameraInfoList>();
    emit changed();
}

Setup_SelectCamView::Secured Setup_SelectCamView::determineCamIsSecured(const TCameraInfo &camera)
{
    if (camera.userName().value_or(QString()).isEmpty())
        return Secured::PasswordUnknown;
    if (camera.passWord().value_or(QString()).isEmpty())
        return Secured::NoPassword;
    return Secured::Known;
}

std::optional<TCameraInfoList> Setup_SelectCamView::getCameraSelectedList()
{
    selectList.clear();
    for (const std::shared_ptr<TCameraInfo> &camera : std::as_const(*m_cameraList)) {
        if (camera->isAdded() != kPicked)
            continue;
        if (camera->userName().value_or(QString()).isEmpty() || camera->passWord().value_or(QString()).isEmpty()) {
            selectList.clear();
            showMessageBox(QStringLiteral("SetupCam Msg"));
            return std::nullopt;
        }
        selectList.append(camera);
    }
    return selectList;
}

TCameraInfoList Setup_SelectCamView::storePassword() const
{
    return *m_cameraList;
}

void Setup_SelectCamView::setRescanEnabled(bool enabled)
{
    m_rescanEnabled = enabled;
    emit changed();
}

// --- Rows ---

const TCameraInfo *Setup_SelectCamView::camera(int row) const
{
    const std::shared_ptr<TCameraInfo> *found = rowAt(*m_cameraList, row);
    return found ? found->get() : nullptr;
}

int Setup_SelectCamView::rowCount() const
{
    return int(m_cameraList->size());
}

int Setup_SelectCamView::selectCamera() const
{
    return int(std::count_if(m_cameraList->cbegin(), m_cameraList->cend(),
        [](const std::shared_ptr<TCameraInfo> &camera) { return camera->isAdded() == kPicked; }));
}

bool Setup_SelectCamView::rowPicked(int row) const
{
    const TCameraInfo *c = camera(row);
    return c && isPicked(*c);
}

QString Setup_SelectCamView::rowCheckImage(int row) const
{
    return QString::fromLatin1(rowPicked(row) ? imgCheckOn : imgCheckOff);
}

QString Setup_SelectCamView::rowNumber(int row) const
{
    return QString::asprintf("%ld", long(row + 1));
}

QString Setup_SelectCamView::rowModel(int row) const
{
    const TCameraInfo *c = camera(row);
    return c ? c->modelName().value_or(QString()) : QString();
}

QString Setup_SelectCamView::rowIp(int row) const
{
    const TCameraInfo *c = camera(row);
    return c ? c->ip().value_or(QString()) : QString();
}

QString Setup_SelectCamView::rowPreviewName(int row) const
{
    const TCameraInfo *c = camera(row);
    return c ? DiagPreview::caption(*c) : QString();
}

QString Setup_SelectCamView::rowMac(int row) const
{
    const TCameraInfo *c = camera(row);
    return c ? c->mac().value_or(QString()) : QString();
}

bool Setup_SelectCamView::rowHasPreview(int row) const
{
    const TCameraInfo *c = camera(row);
    return c && !c->userName().value_or(QString()).isEmpty() && CameraEndpoints::hasAddress(*c);
}

Setup_SelectCamView::Secured Setup_SelectCamView::rowSecured(int row) const
{
    const TCameraInfo *c = camera(row);
    return c ? determineCamIsSecured(*c) : Secured::PasswordUnknown;
}

bool Setup_SelectCamView::rowDimmed(int row) const
{
    return selectCamera() >= ModelName::kCameraChannels && !rowPicked(row);
}

// --- Texts ---

QString Setup_SelectCamView::lbCameraNum() const
{
    return fillFormat(text(QStringLiteral("SetupCam Found")), {QString::number(rowCount())});
}

QString Setup_SelectCamView::columnTitle(int column) const
{
    switch (column) {
    case 1:
        return text(QStringLiteral("NO"));
    case 2:
        return text(QStringLiteral("SetupCam_Modal Name"));
    case 3:
        return text(QStringLiteral("APP_IP Address"));
    default:
        return {};
    }
}

// --- Actions ---

void Setup_SelectCamView::onChangeSelected(int row, int column)
{
    if (!inputsEnabled() || !camera(row) || column < 0)
        return;
    if (column == 0) {
        const std::shared_ptr<TCameraInfo> &clicked = m_cameraList->at(row);
        if (isPicked(*clicked)) {
            if (selectCamera() > 0)
                clicked->setIsAdded(kCameraNotPicked);
        } else if (!CameraEndpoints::hasAddress(*clicked)) {
            showMessageBox(QStringLiteral("SetupCam NoAddress"));
        } else if (!m_isOpenDiag && mayPick()) {
            // None while a dialog is open: its camera may still take the last place.
            switch (determineCamIsSecured(*clicked)) {
            case Secured::Known:
                if (takesStoredPassword(*clicked)) {
                    clicked->setIsAdded(kPicked);
                    break;
                }
                Log::line(QStringLiteral("Setup_SelectCamView: the camera refuses its stored password"));
                CameraPassword::forgetPassword(*clicked);
                askForPassword(clicked, false);
                break;
            case Secured::PasswordUnknown:
                askForPassword(clicked, false);
                break;
            case Secured::NoPassword:
                askForPassword(clicked, true);
                break;
            }
        }
    }
    reloadData();
}

bool Setup_SelectCamView::takesStoredPassword(const TCameraInfo &camera)
{
    m_isOpenDiag = true;
    const bool refused = refusesStoredPassword(camera);
    m_isOpenDiag = false;
    return !refused;
}

void Setup_SelectCamView::askForPassword(const std::shared_ptr<TCameraInfo> &camera, bool newPassword)
{
    const QString password = m_sharedPassword;
    // A password checked on one camera may break another's rules for a new one.
    if (password.isEmpty() || (newPassword && !DiagNewPassword::validationMessage(password, password).isEmpty())) {
        openPasswordDialog(camera, newPassword);
        return;
    }
    // Busy as with a dialog open: nothing else is picked meanwhile.
    m_isOpenDiag = true;
    emit changed();
    m_sharedTry = std::make_unique<CameraPassword>();
    const auto tried = [this, camera, password](CameraReply reply) { onSharedPasswordTried(camera, password, reply); };
    if (newPassword)
        m_sharedTry->change(*camera, password, tried);
    else
        m_sharedTry->check(*camera, password, tried);
}

void Setup_SelectCamView::onSharedPasswordTried(
    const std::shared_ptr<TCameraInfo> &camera, const QString &password, CameraReply reply)
{
    m_isOpenDiag = false;
    const QString user = m_sharedTry->user();
    const bool otherPassword = m_sharedTry->hasOtherPassword();
    // The check is still in the call that reported.
    m_sharedTry.release()->deleteLater();
    if (reply != CameraReply::Accepted) {
        Log::line(QStringLiteral("Setup_SelectCamView: the shared password did not work, asking"));
        // Listed without a password, it has one of its own: that is asked for.
        if (otherPassword)
            CameraPassword::forgetPassword(*camera);
        openPasswordDialog(camera, determineCamIsSecured(*camera) == Secured::NoPassword);
        return;
    }
    camera->setUserName(user);
    camera->setPassWord(password);
    if (mayPick())
        camera->setIsAdded(kPicked);
    reloadData();
}

void Setup_SelectCamView::openPasswordDialog(const std::shared_ptr<TCameraInfo> &camera, bool newPassword)
{
    if (newPassword)
        openDialog(std::make_unique<DiagNewPassword>(context()), camera);
    else
        openDialog(std::make_unique<DiagVerifyPassword>(context()), camera);
}

void Setup_SelectCamView::openDialog(
    std::unique_ptr<CameraPasswordDialog> dialog, const std::shared_ptr<TCameraInfo> &camera)
{
    if (m_isOpenDiag)
        return;
    m_isOpenDiag = true;
    dialog->setDelegate(this, camera);
    m_dialog = std::move(dialog);
    emit changed();
    context().modal.showFloating(*m_dialog);
}

bool Setup_SelectCamView::mayPick() const
{
    return selectCamera() < ModelName::kCameraChannels;
}

void Setup_SelectCamView::endDialog()
{
    m_isOpenDiag = false;
    // The dialog is still in the call that closed it.
    if (m_dialog)
        m_dialog.release()->deleteLater();
    reloadData();
}

void Setup_SelectCamView::inPreviewClicked(int row, const QPoint &origin)
{
    menuOrigin = origin;
    const TCameraInfo *c = camera(row);
    if (!inputsEnabled() || !rowHasPreview(row) || m_isOpenDiag)
        return;
    DiagPreview preview(context());
    preview.setOrigin(menuOrigin);
    preview.startPreview(*c);
    context().modal.runModal(preview);
    reloadData();
}

void Setup_SelectCamView::onRescanClicked()
{
    // With a password dialog open the step would not search: keep the rows.
    if (!lbRescanEnabled() || m_isOpenDiag)
        return;
    m_cameraList->clear();
    reloadData();
    if (theDelegate)
        theDelegate->onRescanClicked();
}

void Setup_SelectCamView::onTipClicked()
{
    if (!inputsEnabled())
        return;
    installCamera tip(context());
    context().modal.runModal(tip);
}

void Setup_SelectCamView::reloadData()
{
    emit changed();
}

void Setup_SelectCamView::showMessageBox(const QString &key)
{
    context().modal.runAlert(text(key), text(QStringLiteral("Button Close")));
}
