#include "Rechecks.h"
#include "StepLab.h"
#include "platform/Log.h"
#include "steps/DiagNewPassword.h"
#include "steps/DiagPreview.h"
#include "steps/DiagVerifyPassword.h"
#include "steps/Setup_SearchCamView.h"
#include "webconfig/CameraHttp.h"
#include "webconfig/CameraPassword.h"

namespace {

using Phase = Setup_SearchCamView::Phase;

constexpr double kScale = 0.05;
constexpr int kSlowMs = 3000; // the slow camera's delay before scaling
const QString kZebor = QStringLiteral("0");
const QString k47x = QStringLiteral("1");

// Camera n as the recorder reports it (user, password), with what the camera
// itself takes and how it behaves.
QJsonObject camera(
    int n, const QString &type, const QString &user, const QString &password, const QJsonObject &extra = {})
{
    return SimProcess::merged(SimProcess::camera(n, type, password), SimProcess::merged({{"user", user}}, extra));
}

QJsonObject takes(const QString &adminPassword)
{
    return {{QStringLiteral("adminPassword"), adminPassword}};
}

} // namespace

class SearchCamStepLabTest : public StepLab
{
    Q_OBJECT

    std::unique_ptr<Setup_SearchCamView> step;
    QPointer<CameraPasswordDialog> lastDialog;

    Setup_SelectCamView &list() { return step->selectCamViewController(); }
    void enter(const QList<QJsonObject> &cameras, const QJsonObject &extra = {})
    {
        QVERIFY(
            startSim({merged(SimProcess::withCameras(SimProcess::configured(0, password), cameras), extra)}, kScale));
        step->setDelegate(&page, target(), QStringLiteral("admin"), password);
        step->viewDidAppear();
        QCOMPARE(step->phase(), Phase::Searching);
        QVERIFY(!step->btNextEnabled() && !step->btBackEnabled() && !step->btRescanEnabled());
        waitForList();
    }
    void waitForList()
    {
        QVERIFY(waitFor([&] { return step->phase() == Phase::Listing; }) && step->listShown());
        QVERIFY(step->btNextEnabled() && step->btBackEnabled() && step->btRescanEnabled());
    }
    int rowOf(const QJsonObject &camera)
    {
        for (int row = 0; row < list().rowCount(); ++row)
            if (list().rowIp(row) == SimProcess::ipOf(camera))
                return row;
        return -1;
    }
    QString passwordAt(int row) { return list().cameraList()->at(row)->passWord().value_or(QString()); }
    bool dialogClosed()
    {
        return waitFor([&] { return !list().isOpenDiag(); });
    }
    void pick(const QJsonObject &camera, const QString &password = QString())
    {
        f->modal.setScript<DiagVerifyPassword>([this, password](DiagVerifyPassword &verify) {
            lastDialog = &verify;
            verify.setPasswordText(password);
            verify.onSaveClicked();
        });
        f->modal.setScript<DiagNewPassword>([this, password](DiagNewPassword &create) {
            lastDialog = &create;
            create.setNewPasswordText(password);
            create.setRepeatText(password);
            create.onSaveClicked();
        });
        list().onChangeSelected(rowOf(camera), 0);
    }
    QList<SimLogLine> channelRequests() const
    {
        return requests(QStringLiteral("addavdev")) + requests(QStringLiteral("delavdev"));
    }
    QJsonObject channel(int n) const
    {
        return recorderState().value(QStringLiteral("channels")).toArray().at(n).toObject();
    }
    void next()
    {
        step->onNextClicked();
        QVERIFY(waitFor([&] { return !page.calls.isEmpty() || step->phase() == Phase::Error; }));
    }

private slots:
    void init()
    {
        NVR_REQUIRE_LAB();
        qunsetenv("NVRWIZARD_PROBE_HOST");
        fresh(step, kScale,
            {{"SetupCam Msg", "Passwords missing"}, {"SetupCam PwdNotSet", "Password not set"},
                {"SetupCam PwdWrong", "Wrong password"}, {"SetupCam NoAnswer", "No answer"},
                {"SetupCam NoAddress", "No address"}, {"SetupCam PwdRefused", "Password refused"}});
    }
    void cleanup()
    {
        stop(step);
        Log::setSink({});
    }

    void nineArePickedAndATenthIsRefused()
    {
        QList<QJsonObject> cameras;
        for (int n = 0; n < 9; ++n)
            cameras << camera(n, n % 2 ? k47x : kZebor, QStringLiteral("admin"), QStringLiteral("cam-pw%1").arg(n));
        cameras << camera(9, k47x, QString(), QString(), takes("cam-pw9"));
        enter(cameras);
        QCOMPARE(list().rowCount(), 10);
        for (int row = 0; row < 9; ++row)
            list().onChangeSelected(row, 0);
        QCOMPARE(list().selectCamera(), 9);
        QVERIFY(list().rowDimmed(9) && !list().rowDimmed(0));
        list().onChangeSelected(9, 0);
        QVERIFY(!list().rowPicked(9));
        QVERIFY(f->modal.shown().isEmpty());
        // Another column only reloads; unpicking frees a place.
        list().onChangeSelected(0, 2);
        QVERIFY(list().rowPicked(0));
        list().onChangeSelected(0, 0);
        QVERIFY(!list().rowPicked(0) && !list().rowDimmed(9));
        // With eight picked and a dialog open, no other pick takes its place.
        f->modal.setScript<DiagVerifyPassword>([&](DiagVerifyPassword &d) { lastDialog = &d; });
        list().onChangeSelected(9, 0);
        list().onChangeSelected(0, 0);
        QVERIFY(!list().rowPicked(0));
        QVERIFY(waitFor([&] { return lastDialog; }));
        auto *verify = qobject_cast<DiagVerifyPassword *>(lastDialog.data());
        verify->setPasswordText(QStringLiteral("cam-pw9"));
        verify->onSaveClicked();
        QVERIFY(!list().isOpenDiag() && list().rowPicked(9));
        QCOMPARE(list().selectCamera(), 9);

        next();
        QCOMPARE(page.calls, QStringList {QStringLiteral("cloud")});
        QCOMPARE(step->selectedList().size(), 9);
        QCOMPARE(requests(QStringLiteral("addavdev")).size(), 9);
        QVERIFY(requests(QStringLiteral("delavdev")).isEmpty());
        for (int n = 0; n < 9; ++n) {
            QCOMPARE(channel(n).value(QStringLiteral("host")).toString(), list().rowIp(n + 1));
            QCOMPARE(channel(n).value(QStringLiteral("password")).toString(), QStringLiteral("cam-pw%1").arg(n + 1));
        }
    }

    // Both dialogs for both families, refused and unanswered, and a new
    // password the camera already has (an earlier run set it); the right
    // password is the rescan's and the shared password's case.
    void passwordDialogs()
    {
        using Secured = Setup_SelectCamView::Secured;
        struct Case
        {
            const char *name;
            QJsonObject camera;
            QString typed;
            QString alert; // empty: none
            bool picked;
            bool staysOpen;
            QString holds; // the camera's password afterwards; empty: not checked
            Secured secured; // what the row's lock shows afterwards
        };
        const QJsonObject silent {{"silent", true}};
        const Secured unknown = Secured::PasswordUnknown;
        QList<Case> cases = {
            {"zebor verify wrong", camera(1, kZebor, QString(), QString(), takes("Zb-pass1")), "wrong-1",
                "Wrong password", false, false, {}, unknown},
            {"zebor verify silent", camera(2, kZebor, QString(), QString(), silent), "Zb-pass1", "No answer", false,
                false, {}, unknown},
            {"47x verify wrong", camera(4, k47x, QString(), QString(), takes("Ix-pass1")), "wrong-1", "Wrong password",
                false, false, {}, unknown},
            {"47x verify silent", camera(5, k47x, QString(), QString(), silent), "Ix-pass1", "No answer", false, false,
                {}, unknown},
            {"zebor new refused", camera(7, kZebor, "admin", QString(), takes("stale-1")), "Zb-new-1",
                "Password not set", false, false, "stale-1", unknown},
            {"zebor new silent", camera(8, kZebor, "admin", QString(), silent), "Zb-new-1", "No answer", false, true,
                {}, Secured::NoPassword},
            {"zebor new already set", camera(3, kZebor, "admin", QString(), takes("Zb-new-1")), "Zb-new-1", {}, true,
                false, "Zb-new-1", Secured::Known},
            {"47x new", camera(9, k47x, "admin", QString()), "Ix#1%2+3?=@", {}, true, false, "Ix#1%2+3?=@",
                Secured::Known},
            {"47x new refused", camera(10, k47x, "admin", QString(), takes("stale-1")), "Ix-new-1", "Password not set",
                false, false, "stale-1", unknown},
            {"47x new silent", camera(11, k47x, "admin", QString(), silent), "Ix-new-1", "No answer", false, false, {},
                Secured::NoPassword},
            {"47x new already set", camera(6, k47x, "admin", QString(), takes("Ix-new-1")), "Ix-new-1", {}, true, false,
                "Ix-new-1", Secured::Known},
        };
        QList<QJsonObject> cameras;
        for (const Case &c : cases)
            cameras << c.camera;
        enter(cameras);
        for (const Case &c : cases) {
            const qsizetype before = f->modal.shown().size();
            dimming.clear();
            pick(c.camera, c.typed);
            QVERIFY2(list().isOpenDiag(), c.name);
            QVERIFY2(
                waitFor([&] { return !list().isOpenDiag() || (c.staysOpen && f->modal.alertSince(before)); }), c.name);
            const int row = rowOf(c.camera);
            QCOMPARE(f->modal.alertSince(before).value_or(QString()), c.alert);
            QVERIFY2(list().rowPicked(row) == c.picked, c.name);
            QVERIFY2(list().isOpenDiag() == c.staysOpen, c.name);
            if (c.picked)
                QCOMPARE(list().cameraList()->at(row)->userName().value_or(QString()) + ":" + passwordAt(row),
                    "admin:" + c.typed);
            if (!c.holds.isEmpty())
                QCOMPARE(sim.cameraStateOf(SimProcess::ipOf(c.camera)).value("adminPassword").toString(), c.holds);
            QVERIFY2(list().rowSecured(row) == c.secured, c.name);
            if (c.staysOpen) {
                // Fields stay disabled; Cancel is the way out.
                QVERIFY2(lastDialog && !lastDialog->inputsEnabled() && lastDialog->cancelEnabled(), c.name);
                step->onNextClicked(); // ignored while a dialog is open
                QVERIFY(page.calls.isEmpty());
                lastDialog->windowWillClose();
                QVERIFY2(!list().isOpenDiag() && !list().rowPicked(row), c.name);
            }
            QCOMPARE(dimming.value(0), Dimming::Dark);
        }
    }

    void slowCameraGetsOneRequestAtATime()
    {
        const QJsonObject slow = camera(0, k47x, "admin", "Ix-pass1", {{"delayMs", kSlowMs}});
        enter({slow});
        QStringList events;
        Log::setSink([&](const QString &line) {
            if (line == QLatin1String("DiagPreview::updateImageFromUrl-display"))
                events << QStringLiteral("ask");
        });
        DiagPreview preview(*f->context);
        connect(&preview, &DialogController::changed, this, [&] { events << QStringLiteral("image"); });
        preview.startPreview(*list().cameraList()->at(0));
        QCOMPARE(preview.lbText(), QStringLiteral("47X-IP200 - %1").arg(SimProcess::ipOf(slow)));
        preview.windowDidLoad();
        // Three answers take nine timer periods.
        QVERIFY(waitFor([&] { return events.count(QStringLiteral("image")) >= 3; }));
        QVERIFY(!preview.image().isNull());
        preview.onCloseClicked();
        QVERIFY(preview.isModalStopped());
        for (int i = 0; i + 1 < events.size(); i += 2)
            QCOMPARE((QStringList {events.at(i), events.at(i + 1)}), (QStringList {"ask", "image"}));
        // The camera saw each request only after it had answered the one before.
        const QList<SimLogLine> asked = sim.log(QStringLiteral("cam"));
        QVERIFY(asked.size() >= 3);
        for (int i = 1; i < asked.size(); ++i) {
            QCOMPARE(asked.at(i).value("req"), QStringLiteral("/image.jpg"));
            QVERIFY(asked.at(i).timeMs - asked.at(i - 1).timeMs >= kSlowMs * kScale - 20);
            QCOMPARE(asked.at(i).value("user"), QStringLiteral("admin"));
        }
        // Nothing more once closed (one may be on its way): three slow answers
        // of our own give a leftover timer the time of three requests.
        const int count = int(sim.log(QStringLiteral("cam")).size());
        const QString image = QStringLiteral("http://%1/image.jpg").arg(SimProcess::ipOf(slow));
        for (int i = 0; i < 3; ++i)
            QVERIFY(cameraGet(image, QStringLiteral("marker"), QStringLiteral("Ix-pass1"), 10000).answered);
        const QList<SimLogLine> later = sim.log(QStringLiteral("cam")).mid(count);
        QVERIFY(std::count_if(later.begin(), later.end(), [](const SimLogLine &l) {
            return l.value("user") != "marker";
        }) <= 1);
    }

    void rescanCarriesWorkingCredentialsOver()
    {
        const QJsonObject slow {{"delayMs", kSlowMs / 3}};
        const QJsonObject entered = camera(0, k47x, QString(), QString(), merged(takes("Ix-pass1"), slow));
        const QJsonObject stale = camera(1, kZebor, "admin", "Zb-old1", slow);
        const QJsonObject enteredLan = camera(2, kZebor, QString(), QString(), merged(takes("Zb-pass1"), slow));
        enter({entered, stale, enteredLan});
        pick(entered, QStringLiteral("Ix-pass1"));
        QVERIFY(dialogClosed());
        pick(stale); // its credentials are known and work
        pick(enteredLan, QStringLiteral("Zb-pass1"));
        QVERIFY(dialogClosed());
        QCOMPARE(list().selectCamera(), 3);
        // Then its password changes behind the list's back.
        bool changed = false;
        CameraPassword change;
        change.change(
            *list().cameraList()->at(rowOf(stale)), QStringLiteral("real-1"), [&](CameraReply) { changed = true; });
        QVERIFY(waitFor([&] { return changed; }));

        const qint64 rescanAt = QDateTime::currentMSecsSinceEpoch();
        step->onRescanClicked();
        QVERIFY(!step->btNextEnabled() && !step->btRescanEnabled());
        waitForList();
        QVERIFY(
            list().rowPicked(rowOf(entered)) && list().rowPicked(rowOf(enteredLan)) && !list().rowPicked(rowOf(stale)));
        QCOMPARE((QStringList {passwordAt(rowOf(entered)), passwordAt(rowOf(enteredLan)), passwordAt(rowOf(stale))}),
            (QStringList {"Ix-pass1", "Zb-pass1", "Zb-old1"}));
        // Every carried-over password was checked with its camera again, each
        // once the camera before had answered.
        QSet<QString> checked;
        QMap<QString, qint64> firstAt; // by camera: a LAN check comes on every interface
        for (const SimLogLine &line : sim.log(QStringLiteral("cam"))) {
            if (line.timeMs < rescanAt || (line.value("lan") != QLatin1String("verify") && line.value("req").isEmpty()))
                continue;
            checked << line.value("ip") + QLatin1Char(' ') + line.value("lan") + line.value("req");
            firstAt.insert(line.value("ip"), firstAt.value(line.value("ip"), line.timeMs));
        }
        QList<qint64> starts = firstAt.values();
        std::sort(starts.begin(), starts.end());
        for (int i = 1; i < starts.size(); ++i)
            QVERIFY(starts.at(i) - starts.at(i - 1) >= kSlowMs / 3 * kScale - 20);
        QCOMPARE(checked,
            (QSet<QString> {SimProcess::ipOf(entered) + " /userlist.cgi", SimProcess::ipOf(stale) + " verify",
                SimProcess::ipOf(enteredLan) + " verify"}));

        // The list's own control carries nothing over.
        list().onRescanClicked();
        QCOMPARE(list().rowCount(), 0);
        waitForList();
        QCOMPARE(list().selectCamera(), 0);
    }

    // A camera that refuses the password the recorder lists: the preview says
    // so, and picking it asks for the password.
    void refusedStoredPasswordIsAskedFor()
    {
        const QJsonObject stale = camera(0, kZebor, "admin", "stale-1", takes("Zb-pass1"));
        enter({stale});
        DiagPreview preview(*f->context);
        preview.startPreview(*list().cameraList()->at(0));
        preview.windowDidLoad();
        QVERIFY(waitFor([&] { return !preview.lbNote().isEmpty(); }));
        QCOMPARE(preview.lbNote(), QStringLiteral("Password refused"));
        preview.onCloseClicked();
        // A wrong password leaves it shown as needing one, not as known.
        pick(stale, QStringLiteral("wrong-1"));
        QVERIFY(dialogClosed());
        QVERIFY(!list().rowPicked(0) && list().rowSecured(0) == Setup_SelectCamView::Secured::PasswordUnknown);
        pick(stale, QStringLiteral("Zb-pass1"));
        QVERIFY(dialogClosed());
        QCOMPARE(f->modal.shown(),
            (QStringList {"floating:DiagVerifyPassword", "alert:Wrong password", "floating:DiagVerifyPassword"}));
        QVERIFY(list().rowPicked(0) && passwordAt(0) == QLatin1String("Zb-pass1"));
    }

    // Only a dotted IPv4 address becomes a camera's host.
    void cameraWithoutAnAddressCannotBePicked()
    {
        enter({camera(0, k47x, "admin", "Ix-pass1", {{"ip", "host.example#"}}),
            camera(1, kZebor, QString(), QString(), {{"ip", "x:8080"}})});
        QCOMPARE(list().rowIp(0), QStringLiteral("host.example#"));
        for (int row = 0; row < 2; ++row) {
            list().onChangeSelected(row, 0);
            QVERIFY(!list().rowPicked(row) && !list().rowHasPreview(row) && !list().isOpenDiag());
        }
        QCOMPARE(f->modal.shown(), (QStringList {"alert:No address", "alert:No address"}));
        QVERIFY(sim.log(QStringLiteral("cam")).isEmpty());
    }

    void noCameraFoundClearsEveryChannel()
    {
        QJsonArray channels;
        for (int n = 0; n < 9; ++n)
            channels.append(QJsonObject {{"used", true}, {"name", "old"}, {"host", "192.0.2.99"}});
        enter({}, {{"channels", channels}});
        QVERIFY(step->textFieldShown());
        next();
        QStringList ids;
        QCOMPARE(channelRequests().size(), 9);
        for (const SimLogLine &line : requests(QStringLiteral("delavdev"))) {
            ids << QUrlQuery(QUrl::fromPercentEncoding(line.value("query").toLatin1())).queryItemValue("avdevid");
        }
        QCOMPARE(ids, (QStringList {"0", "1", "2", "3", "4", "5", "6", "7", "8"}));
        for (int n = 0; n < 9; ++n)
            QVERIFY(!channel(n).value(QStringLiteral("used")).toBool());
        QCOMPARE(page.calls, QStringList {QStringLiteral("cloud")});
    }

    void pickedCameraWithoutCredentialsSendsNothing()
    {
        enter({camera(0, k47x, "admin", "Ix-pass1")});
        list().onChangeSelected(0, 0);
        list().cameraList()->at(0)->setPassWord(QString());
        step->onNextClicked();
        QCOMPARE(f->modal.shown(), QStringList {QStringLiteral("alert:Passwords missing")});
        QCOMPARE(step->phase(), Phase::Listing);
        QVERIFY(page.calls.isEmpty());
        // Once the password is back, one run writes all channels: none came from the refused Next.
        list().cameraList()->at(0)->setPassWord(QStringLiteral("Ix-pass1"));
        next();
        QCOMPARE(page.calls.size(), 1);
        QCOMPARE(channelRequests().size(), 9);
    }

    void selectedCamerasAndTheInternet_data()
    {
        QTest::addColumn<bool>("offline");
        QTest::newRow("online") << false;
        QTest::newRow("offline") << true;
    }
    void selectedCamerasAndTheInternet()
    {
        QFETCH(bool, offline);
        if (offline)
            qputenv("NVRWIZARD_PROBE_HOST", qgetenv("NVRLAB_OFFLINE_HOST"));
        const QJsonObject lan = camera(0, kZebor, "admin", "Zb-pass1");
        const QJsonObject web = camera(1, k47x, "admin", "Ix-pass1");
        enter({lan, web, camera(2, kZebor, "admin", "Zb-pass2")});
        list().onChangeSelected(rowOf(web), 0);
        list().onChangeSelected(rowOf(lan), 0);
        next();
        QCOMPARE(page.calls, QStringList {QLatin1String(offline ? "summary" : "cloud")});
        QCOMPARE(channel(0).value(QStringLiteral("host")).toString() + ' ' + channel(1).value("host").toString(),
            SimProcess::ipOf(lan) + ' ' + SimProcess::ipOf(web));
        QCOMPARE(channel(1).value(QStringLiteral("password")).toString(), QStringLiteral("Ix-pass1"));
        QVERIFY(!channel(2).value(QStringLiteral("used")).toBool());
        // One report, one run: later reports of the monitor write nothing again.
        QVERIFY(rechecksPassed(durations().reachabilityRecheckMs, 6));
        const QList<SimLogLine> requests = channelRequests();
        QCOMPARE(requests.size(), 9);
        for (const SimLogLine &line : requests)
            QCOMPARE(line.value("status"), QStringLiteral("200"));
        QCOMPARE(page.calls.size(), 1);
    }

    void writeRunStopsAtAFailingChannel()
    {
        enter({camera(0, kZebor, "admin", "Zb-pass1")});
        list().onChangeSelected(0, 0);
        // The recorder goes away just before channel 3 is written.
        Log::setSink([&](const QString &line) {
            if (line.endsWith(QLatin1String("delavdev?avdevid=3")))
                sim.stop();
        });
        next();
        QCOMPARE(step->phase(), Phase::Error);
        QCOMPARE(step->addProgress(), 3);
        QCOMPARE(f->modal.shown(), QStringList {QStringLiteral("alert:Check network Failed")});
        QVERIFY(page.calls.isEmpty() && step->btBackEnabled() && !step->btNextEnabled() && !step->btRescanEnabled());
        QVERIFY(list().inputsEnabled() && list().lbRescanEnabled());
        QCOMPARE(channelRequests().size(), 3);
        step->onBackClicked();
        QCOMPARE(page.calls, QStringList {QStringLiteral("back")});
    }

    // One password for several cameras: ticked in the first dialog, it is
    // checked or set on the next ones without a dialog; one that refuses it
    // asks, its box still ticked; unticking withdraws it, and Back forgets it.
    void sharedPasswordIsTriedFirst()
    {
        const QString shared = QStringLiteral("Same-pw77");
        const QList<QJsonObject> cameras {camera(0, k47x, QString(), QString(), takes(shared)),
            camera(1, kZebor, QString(), QString(), takes(shared)), camera(2, kZebor, "admin", QString()),
            camera(3, k47x, "admin", QString(), takes("Own-pw4")), camera(4, k47x, QString(), QString(), takes("Pw-5")),
            camera(5, kZebor, "admin", QString())};
        enter(cameras);
        QString typed = shared;
        bool tick = true;
        bool ticked = false; // how the box stood when the dialog opened
        f->modal.setScript<DiagVerifyPassword>([&](DiagVerifyPassword &verify) {
            ticked = verify.shareForOthers();
            verify.setShareForOthers(tick);
            verify.setPasswordText(typed);
            verify.onSaveClicked();
        });
        list().onChangeSelected(rowOf(cameras[0]), 0);
        QVERIFY(dialogClosed() && list().sharedPassword() == shared && !ticked);
        const qsizetype shown = f->modal.shown().size();
        for (int n : {1, 2}) {
            list().onChangeSelected(rowOf(cameras[n]), 0);
            QVERIFY(dialogClosed() && list().rowPicked(rowOf(cameras[n])));
        }
        QCOMPARE(f->modal.shown().size(), shown);
        QCOMPARE(sim.cameraStateOf(SimProcess::ipOf(cameras[2])).value("adminPassword").toString(), shared);
        // Listed without a password, it has one of its own, which is asked for.
        typed = QStringLiteral("Own-pw4");
        tick = false;
        list().onChangeSelected(rowOf(cameras[3]), 0);
        QVERIFY(dialogClosed() && list().rowPicked(rowOf(cameras[3])) && ticked);
        QVERIFY(list().sharedPassword().isEmpty());
        // Withdrawn: the next camera without a password gets its own dialog.
        list().onChangeSelected(rowOf(cameras[5]), 0);
        QVERIFY(dialogClosed() && !list().rowPicked(rowOf(cameras[5])));
        QCOMPARE(
            f->modal.shown().mid(shown), (QStringList {"floating:DiagVerifyPassword", "floating:DiagNewPassword"}));
        typed = QStringLiteral("Pw-5");
        tick = true;
        list().onChangeSelected(rowOf(cameras[4]), 0);
        QVERIFY(dialogClosed() && list().sharedPassword() == typed);
        step->onBackClicked();
        QVERIFY(list().sharedPassword().isEmpty());
    }
};

NVR_STEP_LAB("searchcam", SearchCamStepLabTest)
#include "tst_searchcamsteplab.moc"
