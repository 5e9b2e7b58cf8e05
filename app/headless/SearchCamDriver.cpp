#include "app/headless/ActionAnswers.h"
#include "app/headless/HeadlessDriver.h"
#include "app/headless/HeadlessSession.h"
#include "core/ScriptedModalHost.h"
#include "platform/ModelName.h"
#include "steps/DiagNewPassword.h"
#include "steps/DiagVerifyPassword.h"
#include "steps/SetupStepDelegate.h"
#include "steps/Setup_SearchCamView.h"

#include <QJsonArray>
#include <QTimer>

#include <memory>

namespace {

using Phase = Setup_SearchCamView::Phase;
using Secured = Setup_SelectCamView::Secured;

const QString &kKey = Setup_SearchCamView::kPageKey;

QString securedName(Secured secured)
{
    switch (secured) {
    case Secured::Known:
        return QStringLiteral("known");
    case Secured::PasswordUnknown:
        return QStringLiteral("unknown");
    case Secured::NoPassword:
        break;
    }
    return QStringLiteral("none");
}

QString describe(const Setup_SelectCamView &list, int row)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(list.rowNumber(row), list.rowIp(row), list.rowMac(row), list.rowModel(row));
}

// The row a "camera" answer names: a row number from 1, an IP address, a MAC
// address in either letter case, or a model name that only one camera has.
int rowOf(const Setup_SelectCamView &list, const QJsonValue &pick, QString *why)
{
    if (pick.isDouble()) {
        const int row = pick.toInt() - 1;
        if (row < list.rowCount())
            return row;
        *why = QStringLiteral("there is no camera in row %1").arg(pick.toInt());
        return -1;
    }
    const QString wanted = pick.toString();
    QList<int> models;
    for (int row = 0; row < list.rowCount(); ++row) {
        if (list.rowIp(row) == wanted || list.rowMac(row).compare(wanted, Qt::CaseInsensitive) == 0)
            return row;
        if (list.rowModel(row) == wanted)
            models << row;
    }
    if (models.size() == 1)
        return models.first();
    *why = models.isEmpty()
        ? QStringLiteral("no camera \"%1\" was found").arg(wanted)
        : QStringLiteral("%1 cameras are \"%2\": name one by its IP or MAC address").arg(models.size()).arg(wanted);
    return -1;
}

QJsonArray found(const Setup_SelectCamView &list, HeadlessSession &session)
{
    QJsonArray cameras;
    for (int row = 0; row < list.rowCount(); ++row) {
        const QString credentials = securedName(list.rowSecured(row));
        session.progress(QStringLiteral("found camera %1, password %2").arg(describe(list, row), credentials));
        cameras.append(QJsonObject {{QStringLiteral("row"), row + 1}, {QStringLiteral("ip"), list.rowIp(row)},
            {QStringLiteral("mac"), list.rowMac(row)}, {QStringLiteral("model"), list.rowModel(row)},
            {QStringLiteral("password"), credentials}});
    }
    return cameras;
}

// The model written into each of the nine channels, null for a cleared one.
QJsonArray channels(const Setup_SearchCamView &step)
{
    QJsonArray written;
    const TCameraInfoList &picked = step.selectedList();
    for (int channel = 0; channel < ModelName::kCameraChannels; ++channel) {
        const bool used = channel < picked.size() && picked.at(channel)->isAdded() != QLatin1String("0");
        written.append(used ? QJsonValue(picked.at(channel)->modelName().value_or(QString())) : QJsonValue());
    }
    return written;
}

// Picks the cameras of the answers one after the other; each that needs a
// password gets it through its dialog, as a user would type it there.
class CameraPicking : public std::enable_shared_from_this<CameraPicking>
{
public:
    CameraPicking(Setup_SelectCamView &list, HeadlessSession &session, std::function<void()> done)
        : list(list)
        , session(session)
        , cameras(session.answersFor(kKey).value(QStringLiteral("cameras")).toArray())
        , done(std::move(done))
    {
    }

    void pickNext()
    {
        if (index >= cameras.size()) {
            done();
            return;
        }
        const QJsonObject entry = cameras.at(index++).toObject();
        QString why;
        const int row = rowOf(list, entry.value(QStringLiteral("camera")), &why);
        if (row < 0) {
            session.fail(why);
            return;
        }
        if (list.rowPicked(row)) {
            pickNext();
            return;
        }
        const Secured secured = list.rowSecured(row);
        // The section's password stands for the cameras whose entry gives none.
        const QJsonValue own = entry.value(QStringLiteral("password"));
        const QJsonValue password
            = own.isUndefined() ? session.answersFor(kKey).value(QStringLiteral("password")) : own;
        if (secured != Secured::Known && !password.isString()) {
            session.fail(QStringLiteral("camera %1 needs a \"password\"").arg(describe(list, row)));
            return;
        }
        if (session.survey() && secured == Secured::NoPassword) {
            session.wouldChange(kKey, QStringLiteral("camera %1 would get a password").arg(describe(list, row)));
            pickNext();
            return;
        }
        answerDialogs(password, describe(list, row));
        mark = session.modal().shown().size();
        pickedRow = row;
        list.onChangeSelected(row, 0);
        settle();
    }

private:
    // A camera whose password the recorder knows gets the verify dialog
    // too when it refuses that password.
    void answerDialogs(const QJsonValue &answer, const QString &camera)
    {
        const auto self = shared_from_this();
        const QString password = answer.toString();
        session.modal().setScript<DiagVerifyPassword>([self, answer, camera](DialogController &d) {
            auto &dialog = static_cast<DiagVerifyPassword &>(d);
            if (!answer.isString()) {
                self->session.fail(
                    QStringLiteral("camera %1 refuses the password the recorder knows: it needs a \"password\"")
                        .arg(camera));
                return;
            }
            self->follow(dialog);
            dialog.setPasswordText(answer.toString());
            dialog.onSaveClicked();
            self->settleLater();
        });
        session.modal().setScript<DiagNewPassword>([self, password](DialogController &d) {
            auto &dialog = static_cast<DiagNewPassword &>(d);
            self->follow(dialog);
            dialog.setNewPasswordText(password);
            dialog.setRepeatText(password);
            self->session.noteChanged(kKey);
            dialog.onSaveClicked();
            self->settleLater();
        });
    }

    // Looks again whenever the dialog changes or closes: a message it shows
    // over itself changes nothing else.
    void follow(CameraPasswordDialog &dialog)
    {
        const auto self = shared_from_this();
        const auto later = [self] { self->settleLater(); };
        QObject::connect(&dialog, &DialogController::changed, &session, later);
        QObject::connect(&dialog, &DialogController::modalStopped, &session, later);
        QObject::connect(&dialog, &QObject::destroyed, &session, later);
    }

    // On the next pass, once the dialog has finished its own handling.
    void settleLater()
    {
        const auto self = shared_from_this();
        QTimer::singleShot(0, &session, [self] { self->settle(); });
    }

    // Goes on once the camera is picked; ends the run with the message the
    // window would show when it was not.
    void settle()
    {
        if (pickedRow < 0 || session.isFinished())
            return;
        const std::optional<QString> alert = session.modal().alertSince(mark);
        if (list.isOpenDiag() && !alert)
            return; // the camera is still being asked
        const int row = std::exchange(pickedRow, -1);
        if (list.rowPicked(row)) {
            session.progress(QStringLiteral("picked camera %1").arg(describe(list, row)));
            pickNext();
            return;
        }
        session.fail(QStringLiteral("camera %1 was not picked: %2")
                         .arg(describe(list, row), alert.value_or(QStringLiteral("the dialog was closed"))));
    }

    Setup_SelectCamView &list;
    HeadlessSession &session;
    const QJsonArray cameras;
    const std::function<void()> done;
    int index = 0;
    int pickedRow = -1;
    qsizetype mark = 0;
};

bool pickedByMac(const Setup_SelectCamView &list, const QString &mac)
{
    for (int row = 0; row < list.rowCount(); ++row) {
        if (list.rowPicked(row) && list.rowMac(row) == mac)
            return true;
    }
    return false;
}

bool listing(const Setup_SearchCamView &step)
{
    return step.phase() == Phase::Listing && !step.selectCamViewController().isOpenDiag();
}

// Surveying: the channels are always written, as the recorder cannot say
// what they hold.
void surveyChannels(HeadlessSession &session, const Setup_SelectCamView &list, const QJsonObject &record)
{
    QStringList models;
    for (int row = 0; row < list.rowCount(); ++row) {
        if (list.rowPicked(row))
            models << list.rowModel(row);
    }
    session.wouldChange(kKey,
        QStringLiteral("the nine channels would be written: %1")
            .arg(models.isEmpty() ? QStringLiteral("none") : models.join(QStringLiteral(", "))));
    session.record(kKey, record);
    session.setupPage().setupSearchCamNext();
}

void writeChannels(Setup_SearchCamView &step, HeadlessSession &session, QJsonObject record)
{
    if (session.survey()) {
        surveyChannels(session, step.selectCamViewController(), record);
        return;
    }
    const qsizetype mark = session.modal().shown().size();
    session.when(
        step,
        [&step, &session, mark] {
            return step.phase() == Phase::Done || step.phase() == Phase::Error
                || (step.phase() == Phase::Listing && session.modal().alertSince(mark));
        },
        [&step, &session, record, mark]() mutable {
            session.noteChanged(kKey);
            if (step.phase() != Phase::Done) {
                session.fail(QStringLiteral("the cameras were not written: %1")
                                 .arg(session.modal().alertSince(mark).value_or(QString())));
                return;
            }
            record.insert(QStringLiteral("channels"), channels(step));
            session.noteFact(QStringLiteral("channels"), record.value(QStringLiteral("channels")));
            record.insert(QStringLiteral("cloud"), !step.skipNimbora());
            session.progress(step.skipNimbora() ? QStringLiteral("cameras written; offline, the cloud step is skipped")
                                                : QStringLiteral("cameras written"));
            session.record(kKey, record);
        },
        QStringLiteral("the camera channels"));
    step.onNextClicked();
}

// After the picks: a rescan carries the credentials over, then Next.
void goOn(Setup_SearchCamView &step, HeadlessSession &session, const QJsonObject &record)
{
    if (!session.answersFor(kKey).value(QStringLiteral("rescan")).toBool()) {
        writeChannels(step, session, record);
        return;
    }
    const Setup_SelectCamView &list = step.selectCamViewController();
    QList<QPair<QString, QString>> picked; // MAC and description of each picked camera
    for (int row = 0; row < list.rowCount(); ++row) {
        if (list.rowPicked(row))
            picked.append({list.rowMac(row), describe(list, row)});
    }
    session.progress(QStringLiteral("searching again"));
    step.onRescanClicked();
    session.when(
        step, [&step] { return listing(step) || step.phase() == Phase::Error; },
        [&step, &session, &list, record, picked] {
            if (step.phase() == Phase::Error) {
                session.fail(QStringLiteral("the recorder did not answer the camera search"));
                return;
            }
            QJsonObject now = record;
            now.insert(QStringLiteral("found"), found(list, session));
            // The window shows these unpicked again: their password no longer
            // works, or they were not found.
            QStringList dropped;
            for (const auto &[mac, description] : std::as_const(picked)) {
                if (!pickedByMac(list, mac))
                    dropped << description;
            }
            if (!dropped.isEmpty()) {
                session.record(kKey, now);
                session.fail(QStringLiteral("camera %1 is no longer picked after the new search: it did not take "
                                            "its password again, or was not found")
                                 .arg(dropped.join(QStringLiteral(", camera "))));
                return;
            }
            writeChannels(step, session, now);
        },
        QStringLiteral("the camera search"));
}

void driveSearchCam(Setup_SearchCamView &step, HeadlessSession &session)
{
    session.when(
        step, [&step] { return listing(step) || step.phase() == Phase::Error; },
        [&step, &session] {
            if (step.phase() == Phase::Error) {
                session.fail(QStringLiteral("the recorder did not answer the camera search"));
                return;
            }
            if (session.nextAction(kKey) == QLatin1String("back")) {
                step.onBackClicked();
                return;
            }
            const QJsonObject record {{QStringLiteral("found"), found(step.selectCamViewController(), session)}};
            auto picking = std::make_shared<CameraPicking>(
                step.selectCamViewController(), session, [&step, &session, record] { goOn(step, session, record); });
            picking->pickNext();
        },
        QStringLiteral("the camera search"));
}

QString validateCamera(const QJsonValue &entry)
{
    const QJsonObject camera = entry.toObject();
    const QJsonValue pick = camera.value(QStringLiteral("camera"));
    if (!entry.isObject()
        || !((pick.isDouble() && pick.toInt() >= 1) || (pick.isString() && !pick.toString().isEmpty())))
        return QStringLiteral("each entry of \"cameras\" must name its \"camera\" by a row number from 1, an IP "
                              "address, a MAC address or a model name");
    const QJsonValue password = camera.value(QStringLiteral("password"));
    if (!password.isUndefined() && !password.isString())
        return QStringLiteral("a camera's \"password\" must be a text");
    for (auto it = camera.begin(); it != camera.end(); ++it) {
        if (it.key() != QLatin1String("camera") && it.key() != QLatin1String("password"))
            return QStringLiteral("unknown key \"%1\" in a camera entry").arg(it.key());
    }
    return {};
}

QString validateSearchCam(const QJsonObject &answers)
{
    const QJsonValue cameras = answers.value(QStringLiteral("cameras"));
    if (!cameras.isUndefined()) {
        if (!cameras.isArray())
            return QStringLiteral("\"cameras\" must be a list");
        if (cameras.toArray().size() > ModelName::kCameraChannels)
            return QStringLiteral("\"cameras\" may name at most nine cameras");
        for (const QJsonValue &entry : cameras.toArray()) {
            const QString error = validateCamera(entry);
            if (!error.isEmpty())
                return error;
        }
    }
    const QJsonValue password = answers.value(QStringLiteral("password"));
    if (!password.isUndefined() && !password.isString())
        return QStringLiteral("\"password\" must be a text");
    const QJsonValue rescan = answers.value(QStringLiteral("rescan"));
    if (!rescan.isUndefined() && !rescan.isBool())
        return QStringLiteral("\"rescan\" must be true or false");
    return validateActions(answers, {QStringLiteral("next"), QStringLiteral("back")});
}

} // namespace

void addSearchCamDrivers(HeadlessDrivers &drivers)
{
    drivers.add<Setup_SearchCamView>(driveSearchCam, validateSearchCam,
        {QStringLiteral("cameras"), QStringLiteral("password"), QStringLiteral("rescan"), QStringLiteral("actions")});
}
