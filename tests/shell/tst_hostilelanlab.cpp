// The search and password steps among lab recorders that flood, answer with
// noise, say nothing or ignore commands.
#include "LabEnv.h"
#include "SetupWalk.h"
#include "SimProcess.h"
#include "platform/Durations.h"
#include "steps/Setup_PasswordView.h"
#include "steps/Setup_SearchNvrView.h"
#include "util/UtilMethod.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

namespace {

constexpr int kWaitMs = 8000;
constexpr int kFlood = 1000;
constexpr int kTickMs = 10;
// Longest the loop may be held while a flood is read: a visible freeze, with
// room for a machine busy with other work.
constexpr qint64 kMaxStallMs = 1000;
const QString kPassword = QStringLiteral("Recorder9");

enum Recorder { Flooder, Noise, Mute, Deaf, Plain, Count };

// The longest gap between the ticks of a fast timer while it runs.
class LoopWatch
{
public:
    LoopWatch()
    {
        m_clock.start();
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_clock.restart());
            ++m_ticks;
        });
        m_timer.start(kTickMs);
    }
    qint64 longestGapMs() const { return m_longest; }
    int ticks() const { return m_ticks; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
    int m_ticks = 0;
};

} // namespace

class HostileLanLabTest : public QObject
{
    Q_OBJECT

private:
    SimProcess m_sim;
    QList<QJsonObject> m_recorders;

    QString macOf(Recorder r) const { return SimProcess::macOf(m_recorders.at(r)); }

private slots:
    void initTestCase()
    {
        NVR_REQUIRE_LAB();
        Durations d = Durations().scaled(0.02);
        d.lanReplyMs = 500;
        setDurations(d);
        const QList<QJsonObject> misbehaviours {
            {{"flood", kFlood}}, {{"garbage", true}}, {{"silent", true}}, {{"silentCommands", true}}, {}};
        for (int r = 0; r < Count; ++r)
            m_recorders << SimProcess::merged(
                SimProcess::configured(r, kPassword), {{"misbehave", misbehaviours.at(r)}});
        QVERIFY(m_sim.startScaled(SimProcess::scenario(m_recorders), 0.02));
    }

    void searchOutlastsTheFlood()
    {
        SetupWalk walk(kWaitMs);
        Setup_SearchNvrView &search = walk.setup().searchNvrViewController();
        LoopWatch watch;
        QElapsedTimer clock;
        clock.start();
        walk.setup().viewDidAppear();
        QVERIFY(search.isSearching());
        QVERIFY(walk.waitFor([&] { return !search.isSearching(); }, QStringLiteral("end of the search")));
        const qint64 took = clock.elapsed();

        QStringList found;
        for (int row = 0; row < search.selectNvrView().deviceList().size(); ++row)
            found << search.selectNvrView().rowMac(row);
        found.sort();
        QStringList answering {macOf(Flooder), macOf(Deaf), macOf(Plain)};
        answering.sort();
        QCOMPARE(found, answering);
        // All of it, back to where the search came from.
        const QString searcher = m_sim.log(QStringLiteral("rx")).constFirst().value("from");
        QVERIFY(m_sim.waitForLog(
            QStringLiteral("flood"),
            [&](const SimLogLine &l) { return l.value("sent").toInt() == kFlood && l.value("to") == searcher; },
            kWaitMs));
        // One attempt: it ends one reply wait after the answers, the noise counting for nothing.
        QVERIFY2(took < 2 * durations().lanReplyMs + 500, qPrintable(QStringLiteral("%1 ms").arg(took)));
        QVERIFY2(watch.longestGapMs() < kMaxStallMs, qPrintable(QStringLiteral("%1 ms").arg(watch.longestGapMs())));
        QVERIFY(search.btNextEnabled() && search.btBackEnabled() && search.btRescanEnabled());
        QVERIFY(walk.modal().shown().isEmpty());
    }

    void passwordStepAmidTheFlood()
    {
        SetupWalk walk(kWaitMs);
        QVERIFY2(walk.pickRecorder(macOf(Flooder)), qPrintable(walk.why()));
        LoopWatch watch;
        QVERIFY2(walk.confirmPassword(kPassword), qPrintable(walk.why()));
        QVERIFY2(watch.longestGapMs() < kMaxStallMs, qPrintable(QStringLiteral("%1 ms").arg(watch.longestGapMs())));
        QCOMPARE(walk.setup().getPassword(), kPassword);
        QVERIFY(walk.modal().shown().isEmpty());
    }

    // A recorder found but deaf to commands: the alert, then Back searches again.
    void passwordStepWithADeafRecorder()
    {
        SetupWalk walk(kWaitMs);
        QVERIFY2(walk.pickRecorder(macOf(Deaf)), qPrintable(walk.why()));
        Setup_PasswordView &step = walk.setup().passwordViewController();
        QVERIFY(walk.waitFor([&] { return walk.modal().alertSince(0).has_value(); }, QStringLiteral("alert")));
        QCOMPARE(*walk.modal().alertSince(0),
            walk.localization().localizedStringForKey(QStringLiteral("Check network Failed")));
        QVERIFY(!step.overlayShown() && step.btBackEnabled());
        QCOMPARE(step.subStep(), int(Setup_PasswordView::CheckFactoryState));
        QCOMPARE(UtilMethod::macToString(walk.setup().getSelectedDevice()->macAddress), macOf(Deaf));
        // Three tries, each sent on every lab interface.
        int verifies = 0;
        for (const SimLogLine &l : m_sim.log(QStringLiteral("rx")))
            verifies += l.value("op") == QLatin1String("163") && l.value("mac") == macOf(Deaf);
        QVERIFY2(verifies >= 3 && verifies % 3 == 0, qPrintable(QString::number(verifies)));

        step.onBackClicked();
        QCOMPARE(walk.currentStep(), QStringLiteral("searchNVR"));
        QVERIFY2(walk.pickRecorder(macOf(Plain)), qPrintable(walk.why()));
        QVERIFY2(walk.confirmPassword(kPassword), qPrintable(walk.why()));
    }
};

QTEST_GUILESS_MAIN(HostileLanLabTest)
#include "tst_hostilelanlab.moc"
