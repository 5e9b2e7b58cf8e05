// The setup page against recorders whose web interface misbehaves on one
// step's paths, over real HTTPS in the lab: the step's alert in bounded time,
// what was set kept, Back working afterwards and memory bounded.
#include "LabEnv.h"
#include "ProcessMemory.h"
#include "SetupWalk.h"
#include "SimProcess.h"
#include "app/SummaryView.h"
#include "platform/Durations.h"
#include "steps/DiagHddFormat.h"
#include "steps/DiagResetNVR.h"
#include "steps/Setup_HddView.h"
#include "steps/Setup_NimboraView.h"
#include "steps/Setup_PasswordView.h"
#include "steps/Setup_SearchCamView.h"
#include "steps/Setup_TimeZoneView.h"
#include "util/UtilMethod.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QtTest>

namespace {

constexpr int kWaitMs = 8000;
constexpr double kSimScale = 0.02;
constexpr int kHugeMb = 64;
// What a huge or endless body may add to the peak: the reply cap and its
// copies (under AddressSanitizer freed memory waits in quarantine too).
#ifndef __has_feature // clang's way; it defines no __SANITIZE_ADDRESS__
#define __has_feature(feature) 0
#endif
#if defined(__SANITIZE_ADDRESS__) || __has_feature(address_sanitizer)
constexpr qint64 kMemorySlackKiB = 64 * 1024;
#else
constexpr qint64 kMemorySlackKiB = 16 * 1024;
#endif
const QString kPassword = QStringLiteral("Recorder9");

enum Hostile { Garbage, Stall, Reset, Huge, Endless, Refuses, Fails, HostileCount };
const char *const kHostileNames[] = {"garbage", "stall", "reset", "huge", "endless", "401", "500"};

QJsonObject misbehave(int hostile)
{
    const QJsonObject rows[] = {{{"webGarbage", true}}, {{"webStall", true}}, {{"webReset", true}},
        {{"webHugeMb", kHugeMb}}, {{"webEndless", true}}, {{"webStatus", 401}}, {{"webStatus", 500}}};
    return rows[hostile];
}

Durations shortDurations()
{
    Durations d = Durations().scaled(kSimScale);
    d.lanReplyMs = 100;
    // Long enough for a TLS handshake on a loaded machine, short enough for a stall.
    d.httpGetTimeoutMs = 800;
    d.httpPostTimeoutMs = 800;
    return d;
}

} // namespace

class HostileRecorderLabTest : public QObject
{
    Q_OBJECT

private:
    SimProcess m_sim;
    QList<QStringList> m_simPaths;
    QList<QJsonObject> m_recorders;
    qint64 m_peakBeforeKiB = 0; // resident when the row began

    // One simulator for all rows of a test: recorder set * HostileCount + n is
    // Hostile n on that set of paths only; a last one behaves.
    void startSim(const QList<QStringList> &pathSets, const QJsonObject &extra = {}, const QJsonObject &portal = {})
    {
        if (m_simPaths == pathSets && m_sim.isRunning())
            return;
        m_sim.stop();
        m_simPaths.clear();
        m_recorders.clear();
        for (const QStringList &paths : pathSets) {
            for (int h = 0; h < HostileCount; ++h) {
                const QJsonObject m
                    = SimProcess::merged(misbehave(h), {{"webPaths", QJsonArray::fromStringList(paths)}});
                m_recorders << SimProcess::merged(
                    SimProcess::configured(int(m_recorders.size()), kPassword), {{"misbehave", m}});
            }
        }
        m_recorders << SimProcess::configured(int(m_recorders.size()), kPassword);
        for (QJsonObject &recorder : m_recorders)
            recorder = SimProcess::merged(recorder, extra);
        QJsonObject scenario = SimProcess::scenario(m_recorders);
        if (!portal.isEmpty())
            scenario.insert(QStringLiteral("portal"), portal);
        QVERIFY(m_sim.startScaled(scenario, kSimScale));
        m_simPaths = pathSets;
    }
    QString macOf(int hostile, int pathSet = 0) const
    {
        return SimProcess::macOf(m_recorders.at(pathSet * HostileCount + hostile));
    }
    QString wellBehavedMac() const { return SimProcess::macOf(m_recorders.last()); }

    // Each Hostile on the first set of paths, or on each of two named sets.
    static void hostileRows(const char *first = nullptr, const char *second = nullptr)
    {
        QTest::addColumn<int>("hostile");
        QTest::addColumn<int>("pathSet");
        for (int set = 0; set < (second ? 2 : 1); ++set) {
            for (int h = 0; h < HostileCount; ++h)
                QTest::addRow("%s%s%s", second ? (set ? second : first) : "", second ? " " : "", kHostileNames[h])
                    << h << set;
        }
    }

    // The step's one alert has been shown since mark.
    bool networkAlertSince(SetupWalk &walk, qsizetype mark, int withinMs)
    {
        const QString expected = walk.localization().localizedStringForKey(QStringLiteral("Check network Failed"));
        QElapsedTimer clock;
        clock.start();
        if (!walk.waitFor([&] { return walk.modal().alertSince(mark).has_value(); }, QStringLiteral("alert")))
            return false;
        if (clock.elapsed() > withinMs) {
            qWarning("the alert came after %lld ms", clock.elapsed());
            return false;
        }
        return walk.modal().alertSince(mark) == expected;
    }
    // A failure ends within the request's no-progress limit and some slack.
    static int errorBoundMs() { return durations().httpGetTimeoutMs + 2000; }
    // A huge or endless body left the row's peak memory bounded.
    bool peakBounded(int hostile) const
    {
        const qint64 grown = ProcessMemory::peakKiB() - m_peakBeforeKiB;
        if ((hostile != Huge && hostile != Endless) || grown < kMemorySlackKiB)
            return true;
        qWarning("the peak grew by %lld KiB", grown);
        return false;
    }

    // What the setup page had before the step failed is still there.
    void keptSetupState(SetupWalk &walk, const QString &mac)
    {
        const NvrRef nvr = walk.setup().getSelectedDevice();
        QVERIFY(nvr);
        QCOMPARE(UtilMethod::macToString(nvr->macAddress), mac);
        QCOMPARE(walk.setup().getUserName(), QStringLiteral("admin"));
        QCOMPARE(walk.setup().getPassword(), kPassword);
        QCOMPARE(walk.setup().summary().nvrPassword, kPassword);
    }
    // ... with no message over the step, and Back leads to the one before.
    template<class Step> void keptThenBack(SetupWalk &walk, Step &step, const QString &mac, const QString &previous)
    {
        QVERIFY(!step.messageViewController().isVisible());
        keptSetupState(walk, mac);
        step.onBackClicked();
        QCOMPARE(walk.currentStep(), previous);
    }

private slots:
    void initTestCase()
    {
        NVR_REQUIRE_LAB();
        setDurations(shortDurations());
    }
    void cleanupTestCase() { m_sim.stop(); }
    void init()
    {
        ProcessMemory::resetPeak();
        m_peakBeforeKiB = ProcessMemory::residentKiB();
    }

    void timeZoneStep_data() { hostileRows(); }
    void timeZoneStep()
    {
        QFETCH(int, hostile);
        startSim({{QStringLiteral("/config/timezonelist"), QStringLiteral("/config/datetime")}});
        SetupWalk walk(kWaitMs);
        QVERIFY2(walk.walkTo(QStringLiteral("timeZone"), macOf(hostile), kPassword), qPrintable(walk.why()));
        Setup_TimeZoneView &step = walk.setup().timeZoneViewController();
        if (hostile == Stall) {
            // Back leaves at once while the recorder holds its answer back, and
            // the abandoned request never speaks up: the next visit shows one alert.
            QVERIFY(step.btBackEnabled());
            QVERIFY(m_sim.waitForLog(
                QStringLiteral("http"), [](const SimLogLine &l) { return l.value("hostile") == "stall"; }, kWaitMs));
            step.onBackClicked();
            QCOMPARE(walk.currentStep(), QStringLiteral("password"));
            QVERIFY2(walk.confirmPassword(kPassword), qPrintable(walk.why()));
        }
        QVERIFY(networkAlertSince(walk, 0, errorBoundMs()));
        QCOMPARE(walk.modal().shown().size(), 1);
        QCOMPARE(step.dateStep(), int(Setup_TimeZoneView::ReadList));
        // The check box proposes a zone again, but there is nothing to set it on.
        step.timeZoneViewController().autosetTimeZone(true);
        QVERIFY(step.btBackEnabled() && !step.btNextEnabled());
        keptThenBack(walk, step, macOf(hostile), QStringLiteral("password"));
        QVERIFY2(walk.confirmPassword(kPassword), qPrintable(walk.why()));
        keptSetupState(walk, macOf(hostile));
        QVERIFY(peakBounded(hostile));
    }

    void diskQuery_data() { hostileRows(); }
    void diskQuery()
    {
        QFETCH(int, hostile);
        startSim({{QStringLiteral("/config/storageinfo")}});
        SetupWalk walk(kWaitMs);
        QVERIFY2(walk.walkTo(QStringLiteral("hdd"), macOf(hostile), kPassword), qPrintable(walk.why()));
        Setup_HddView &step = walk.setup().hddViewController();
        QVERIFY(networkAlertSince(walk, 0, errorBoundMs()));
        QCOMPARE(walk.modal().shown().size(), 1);
        QVERIFY(step.btBackEnabled() && !step.btNextEnabled() && !step.btSkipEnabled());
        keptThenBack(walk, step, macOf(hostile), QStringLiteral("timeZone"));
        QVERIFY2(walk.takeTimeZone(), qPrintable(walk.why()));
        QVERIFY(peakBounded(hostile));
    }

    // A format request or progress poll that fails: the alert, the marks kept.
    void diskFormat_data() { hostileRows("format", "poll"); }
    void diskFormat()
    {
        QFETCH(int, hostile);
        QFETCH(int, pathSet);
        const QJsonArray partitions {QJsonObject {{"capacityMb", 953869}, {"status", 6}}};
        const QJsonArray disks {
            QJsonObject {{"device", "sda"}, {"product", "WD Purple 1TB"}, {"partitions", partitions}},
            QJsonObject {{"device", "sdb"}, {"product", "WD Purple 2TB"}, {"partitions", partitions}}};
        startSim({{QStringLiteral("/config/storageformat")}, {QStringLiteral("/config/storageformatpoll")}},
            {{"disks", disks}});
        const QString mac = macOf(hostile, pathSet);
        SetupWalk walk(kWaitMs);
        QVERIFY2(walk.walkTo(QStringLiteral("hdd"), mac, kPassword), qPrintable(walk.why()));
        Setup_HddView &step = walk.setup().hddViewController();
        QVERIFY(walk.waitFor([&] { return step.btNextEnabled() && !step.messageViewController().isVisible(); },
            QStringLiteral("disk table")));
        walk.modal().setScript<DiagHddFormat>([](DiagHddFormat &d) { d.btOk(); });
        // The user keeps bay 2 as it is; its button also acts as Next.
        Setup_HddInformationView &table = step.hddInformationViewController();
        table.onButtonClicked(1);
        QVERIFY(networkAlertSince(walk, 0, errorBoundMs()));
        QVERIFY(m_sim.waitForLog(
            QStringLiteral("http"), [](const SimLogLine &l) { return l.value("hostile").size() > 0; }, kWaitMs));
        QCOMPARE(table.rowCount(), 2);
        QVERIFY(table.rowChecked(0));
        QVERIFY(!table.rowChecked(1));
        QVERIFY(step.btBackEnabled());
        keptThenBack(walk, step, mac, QStringLiteral("timeZone"));
        QVERIFY2(walk.takeTimeZone(), qPrintable(walk.why()));
        QVERIFY(peakBounded(hostile));
    }

    // The factory reset answered badly: no countdown, the recorder keeps its
    // password, and the user is back on the form; a 401 is a refused account.
    void resetCommand_data() { hostileRows(); }
    void resetCommand()
    {
        QFETCH(int, hostile);
        startSim({{QStringLiteral("/config/factory")}});
        SetupWalk walk(kWaitMs);
        QVERIFY2(walk.pickRecorder(macOf(hostile)), qPrintable(walk.why()));
        Setup_PasswordView &step = walk.setup().passwordViewController();
        const auto onForm = [&] {
            return !step.overlayShown() && step.content() == Setup_PasswordView::Content::ConfirmForm
                && step.btNextEnabled() && step.btBackEnabled();
        };
        QVERIFY(walk.waitFor(onForm, QStringLiteral("confirm form")));
        QStringList warnings;
        walk.modal().setScript<DiagResetNVR>([&](DiagResetNVR &dialog) {
            warnings << dialog.lbWarning();
            if (warnings.size() > 1)
                return dialog.btCancel();
            dialog.setAccount(QStringLiteral("admin"));
            dialog.setPassword(kPassword);
            dialog.btSvae();
        });
        step.onResetClicked();
        if (hostile == Refuses) {
            QVERIFY(walk.waitFor([&] { return warnings.size() == 2; }, QStringLiteral("reset dialog again")));
            QVERIFY(warnings.at(0).isEmpty());
            QCOMPARE(warnings.at(1), walk.localization().localizedStringForKey(QStringLiteral("SetupSetPwd Msg1")));
            QVERIFY(!walk.modal().alertSince(0));
        } else {
            QVERIFY(networkAlertSince(walk, 0, errorBoundMs()));
            QCOMPARE(warnings.size(), 1);
        }
        QVERIFY(walk.waitFor(onForm, QStringLiteral("confirm form again")));
        QCOMPARE(step.subStep(), int(Setup_PasswordView::ConfirmPassword));
        QCOMPARE(step.secondsLeft(), 0);
        // A stalled answer comes after the recorder acted: the wizard cannot know.
        if (hostile != Stall) {
            QCOMPARE(m_sim.passwordOf(macOf(hostile)), kPassword);
            for (const SimLogLine &reset : m_sim.log(QStringLiteral("reset")))
                QVERIFY(reset.value("mac") != macOf(hostile));
        }
        QCOMPARE(UtilMethod::macToString(walk.setup().getSelectedDevice()->macAddress), macOf(hostile));
        if (hostile != Stall)
            QVERIFY2(walk.confirmPassword(kPassword), qPrintable(walk.why()));
        QVERIFY(peakBounded(hostile));
    }

    // The camera search answered badly: the alert, then rescan and Back.
    void cameraSearch_data() { hostileRows(); }
    void cameraSearch()
    {
        QFETCH(int, hostile);
        // A camera to report, so that a stalled answer has a second half to hold back.
        startSim({{QStringLiteral("/config/nimboradiscovery")}},
            {{"cameras", QJsonArray {SimProcess::camera(0, QStringLiteral("1"), QStringLiteral("Ix-pass1"))}}});
        SetupWalk walk(kWaitMs);
        QVERIFY2(walk.walkTo(QStringLiteral("searchCAM"), macOf(hostile), kPassword), qPrintable(walk.why()));
        Setup_SearchCamView &step = walk.setup().searchCamViewController();
        QVERIFY(networkAlertSince(walk, 0, errorBoundMs()));
        QCOMPARE(walk.modal().shown().size(), 1);
        QCOMPARE(step.phase(), Setup_SearchCamView::Phase::Error);
        QVERIFY(step.btBackEnabled() && !step.btNextEnabled());
        QVERIFY(step.selectCamViewController().lbRescanEnabled());
        keptThenBack(walk, step, macOf(hostile), QStringLiteral("hdd"));
        keptSetupState(walk, macOf(hostile));
        QVERIFY(peakBounded(hostile));
    }

    // A channel write (9 for the picked camera, 10 for the free channels) answered
    // badly: the run stops at that channel with the alert, the pick kept.
    void cameraChannels_data() { hostileRows("add", "clear"); }
    void cameraChannels()
    {
        QFETCH(int, hostile);
        QFETCH(int, pathSet);
        const QJsonObject camera = SimProcess::camera(0, QStringLiteral("1"), QStringLiteral("Ix-pass1"));
        startSim({{QStringLiteral("/config/addavdev")}, {QStringLiteral("/config/delavdev")}},
            {{"cameras", QJsonArray {camera}}});
        const QString mac = macOf(hostile, pathSet);
        SetupWalk walk(kWaitMs);
        QVERIFY2(walk.walkTo(QStringLiteral("searchCAM"), mac, kPassword), qPrintable(walk.why()));
        Setup_SearchCamView &step = walk.setup().searchCamViewController();
        Setup_SelectCamView &list = step.selectCamViewController();
        QVERIFY(walk.waitFor([&] { return step.btNextEnabled() && list.rowCount() == 1; }, QStringLiteral("list")));
        list.onChangeSelected(0, 0);
        QVERIFY(list.rowPicked(0));
        step.onNextClicked();
        QVERIFY(networkAlertSince(walk, 0, errorBoundMs() + durations().reachabilityRecheckMs));
        QCOMPARE(walk.modal().shown().size(), 1);
        QCOMPARE(step.phase(), Setup_SearchCamView::Phase::Error);
        QVERIFY(step.btBackEnabled() && !step.btNextEnabled() && !step.btRescanEnabled());
        QVERIFY(list.inputsEnabled());
        QVERIFY(list.rowPicked(0));
        // Nothing after the failing channel. (Qt's HTTP layer sends a GET
        // again when the connection breaks before an answer.)
        const QString ip = SimProcess::ipOf(m_recorders.at(pathSet * HostileCount + hostile));
        QStringList paths;
        for (const SimLogLine &l : m_sim.log(QStringLiteral("http"))) {
            if (l.value("host") == ip && l.value("path").contains(QLatin1String("avdev")))
                paths << l.value("path");
        }
        paths.removeDuplicates();
        const QStringList expected = pathSet == 0
            ? QStringList {QStringLiteral("/config/addavdev")}
            : QStringList {QStringLiteral("/config/addavdev"), QStringLiteral("/config/delavdev")};
        QCOMPARE(paths, expected);
        keptThenBack(walk, step, mac, QStringLiteral("hdd"));
        QVERIFY(peakBounded(hostile));
    }

    // The recorder's cloud state unreadable: the alert over the form, and the
    // cameras chosen before are kept; a portal that answers nothing is an error.
    void cloudStep_data()
    {
        hostileRows();
        QTest::newRow("portal answers nothing") << int(HostileCount) << 0;
    }
    void cloudStep()
    {
        QFETCH(int, hostile);
        startSim({{QStringLiteral("/config/nimboraportal")}}, {},
            {{"emptyBody", true},
                {"accounts",
                    QJsonArray {
                        QJsonObject {{"email", "owner@example.com"}, {"password", "cloudpw1"}, {"key", "k"}}}}});
        const QString mac = hostile == HostileCount ? wellBehavedMac() : macOf(hostile);
        SetupWalk walk(kWaitMs);
        QVERIFY2(walk.walkTo(QStringLiteral("searchCAM"), mac, kPassword), qPrintable(walk.why()));
        walk.setup().setupSearchCamNext();
        QCOMPARE(walk.currentStep(), QStringLiteral("nimbora"));
        Setup_NimboraView &step = walk.setup().nimboraViewController();
        if (hostile == HostileCount) {
            QVERIFY(walk.waitFor([&] { return step.formShown() && step.btNextEnabled(); }, QStringLiteral("form")));
            step.contentViewController().setMail(QStringLiteral("owner@example.com"));
            step.contentViewController().setPassword(QStringLiteral("cloudpw1"));
            step.onNextClicked();
        }
        QVERIFY(networkAlertSince(walk, 0, errorBoundMs() + durations().cloudQueryDelayMs));
        QVERIFY(step.formShown());
        QVERIFY(step.btBackEnabled() && step.btNextEnabled());
        QVERIFY(step.contentViewController().inputsEnabled());
        if (hostile == HostileCount) {
            QCOMPARE(step.contentViewController().getMail(), QStringLiteral("owner@example.com"));
            QCOMPARE(step.contentViewController().getPassword(), QStringLiteral("cloudpw1"));
        }
        keptThenBack(walk, step, mac, QStringLiteral("searchCAM"));
        QVERIFY(peakBounded(hostile));
    }

    // The summary's two questions answered badly: nothing shown, no shortcut
    // over a cloud state it could not read, what was set still listed, and the
    // recorder's own page opens all the same.
    void summaryPage_data() { hostileRows("cloud state", "recording"); }
    void summaryPage()
    {
        QFETCH(int, hostile);
        QFETCH(int, pathSet);
        startSim({{QStringLiteral("/config/nimboraportal")}, {QStringLiteral("/config/manrecord")}});
        const QString mac = macOf(hostile, pathSet);
        SetupWalk walk(kWaitMs);
        QVERIFY2(walk.walkTo(QStringLiteral("summary"), mac, kPassword), qPrintable(walk.why()));
        const qsizetype shown = walk.modal().shown().size();
        SummaryView &summary = walk.summary();
        QElapsedTimer clock;
        clock.start();
        QVERIFY(walk.waitFor([&] { return summary.isSettled(); }, QStringLiteral("end of the summary's questions")));
        QVERIFY2(clock.elapsed() < errorBoundMs(), qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
        QCOMPARE(walk.modal().shown().size(), shown);
        QCOMPARE(summary.recording(), SummaryView::Recording::NotAsked);
        const bool cloudRead = pathSet == 1;
        QCOMPARE(summary.target().has_value(), cloudRead);
        QCOMPARE(summary.btCheckEnabled(), cloudRead);
        if (!cloudRead)
            QVERIFY(QDir(walk.context().folders.desktop).isEmpty());
        summary.onGotoNvrClicked();
        QCOMPARE(walk.urls().opened().size(), 1);
        QCOMPARE(summary.edPass(), kPassword);
        keptSetupState(walk, mac);
        QVERIFY(peakBounded(hostile));
    }
};

QTEST_GUILESS_MAIN(HostileRecorderLabTest)
#include "tst_hostilerecorderlab.moc"
