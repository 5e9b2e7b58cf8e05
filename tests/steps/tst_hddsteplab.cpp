// The hard-disk step against a simulated recorder over real HTTPS in the
// network lab: browsing, the decisions at the next result, the dialogs,
// formatting with its failure, and a recorder that does not answer.
#include "StepLab.h"
#include "steps/DiagHddConfirm.h"
#include "steps/DiagHddFormat.h"
#include "steps/Setup_HddView.h"

namespace {

constexpr double kScale = 0.05; // 50 ms format polls
constexpr int kWaitMs = 10000;
const QString kPassword = QStringLiteral("Recorder9");

struct PageCalls : SetupStepDelegate
{
    QStringList calls;
    void setupHddNext() override { calls << QStringLiteral("next"); }
    void setupHddBack() override { calls << QStringLiteral("back"); }
};

QJsonObject disk(const QString &device, const QJsonObject &extra = {})
{
    QJsonObject d {{"device", device}, {"model", "WD10PURZ"}, {"product", "WD Purple 1TB"},
        {"partitions", QJsonArray {QJsonObject {{"capacityMb", 953869}, {"status", 6}}}}};
    for (auto it = extra.begin(); it != extra.end(); ++it)
        d.insert(it.key(), it.value());
    return d;
}

const QJsonObject kEmptyBay {{"device", ""}};

} // namespace

class HddStepLabTest : public QObject
{
    Q_OBJECT

private:
    SimProcess sim;
    QJsonObject recorder;
    std::unique_ptr<StepsFixture> f;
    std::unique_ptr<Setup_HddView> step;
    PageCalls page;

    void enter(const QJsonArray &disks, const QJsonObject &extra = {})
    {
        recorder = SimProcess::configured(0, kPassword);
        recorder.insert(QStringLiteral("disks"), disks);
        for (auto it = extra.begin(); it != extra.end(); ++it)
            recorder.insert(it.key(), it.value());
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario({recorder}), &error), qPrintable(error));
        step->setDelegate(&page, std::make_shared<const TVexorReply>(SimProcess::target(recorder)),
            QStringLiteral("admin"), kPassword);
        step->viewDidAppear();
    }
    bool busy() const { return step->messageViewController().isVisible(); }
    QString busyText() const { return step->messageViewController().message(); }
    bool browsing() const { return step->tableShown() && !busy() && step->btNextEnabled(); }
    void waitForBrowsing()
    {
        QVERIFY(QTest::qWaitFor([&] { return browsing(); }, kWaitMs));
    }
    QList<SimLogLine> requests(const QString &path) const
    {
        QList<SimLogLine> found;
        for (const SimLogLine &line : sim.log(QStringLiteral("http")))
            if (line.value("path") == QLatin1String("/config/") + path)
                found << line;
        return found;
    }
    int queries() const { return int(requests(QStringLiteral("storageinfo")).size()); }
    QStringList formattedIds() const
    {
        QStringList ids;
        for (const SimLogLine &line : requests(QStringLiteral("storageformat")))
            ids << QUrlQuery(QUrl::fromPercentEncoding(line.value("query").toLatin1())).queryItemValue("storageid");
        return ids;
    }
    QJsonArray simDisks() const
    {
        return sim.stateOf(SimProcess::macOf(recorder)).value(QStringLiteral("disks")).toArray();
    }
    void answerFormat(bool ok)
    {
        f->modal.setScript(QStringLiteral("DiagHddFormat"), [ok](DialogController &d) {
            auto &dialog = static_cast<DiagHddFormat &>(d);
            ok ? dialog.btOk() : dialog.btCancel();
        });
    }
    void waitForQueries(int more)
    {
        const int target = queries() + 2 * more;
        QVERIFY2(QTest::qWaitFor([&] { return queries() >= target; }, kWaitMs), qPrintable(QString::number(queries())));
    }

private slots:
    void initTestCase() { setDurations(Durations().scaled(kScale)); }
    void init()
    {
        NVR_REQUIRE_LAB();
        f = std::make_unique<StepsFixture>(StepsFixture::Entries {{"SetupHdd_Check", "Checking"},
            {"SetupHdd_Format", "Formatting"}, {"SetupHdd fail", "Format failed"},
            {"SetupHdd no format", "Not formatted"}, {"SetupHdd idle", "Ready"}, {"SetupHdd_HD1", "Disk"}});
        step = std::make_unique<Setup_HddView>(*f->context);
        page.calls.clear();
    }
    void cleanup()
    {
        step.reset();
        sim.stop();
    }

    void browsesBackToBackAndShowsTheBays()
    {
        QStringList reminders;
        const auto token = f->notifications.addObserver(
            Notifications::changeReminder, [&](const QObject *, const QVariantMap &info) {
                reminders << info.value(Notifications::stepsKey).toString();
            });
        enter({disk("sda"), kEmptyBay});
        QCOMPARE(Setup_HddView::hddStep, int(Setup_HddView::Browsing));
        QVERIFY(busy());
        QCOMPARE(busyText(), QStringLiteral("Checking"));
        QVERIFY(!step->btBackEnabled() && !step->btNextEnabled() && !step->btSkipEnabled());
        QCOMPARE(reminders, QStringList {QStringLiteral("hdd")});
        waitForBrowsing();
        QVERIFY(step->btBackEnabled() && step->btSkipEnabled());

        // Several results arrive one after the other with nothing to do in between.
        waitForQueries(5);
        QVERIFY(browsing());
        QVERIFY(page.calls.isEmpty());
        QVERIFY(requests(QStringLiteral("storageformat")).isEmpty());

        Setup_HddInformationView &table = step->hddInformationViewController();
        QCOMPARE(table.rowCount(), 2);
        QVERIFY(table.rowChecked(0));
        QVERIFY(!table.rowChecked(1));
        QCOMPARE((QStringList {table.rowBay(0), table.rowProduct(0), table.rowCapacity(0), table.rowStatus(0)}),
            (QStringList {"1", "WD Purple 1TB", "953869 MB", "Not formatted"}));
        QCOMPARE(table.rowIcon(0), Setup_HddInformationView::StatusIcon::CheckOff);
        QCOMPARE((QStringList {table.rowBay(1), table.rowProduct(1), table.rowCapacity(1), table.rowStatus(1)}),
            (QStringList {"2", "---", "---", "---"}));
        QCOMPARE(table.rowIcon(1), Setup_HddInformationView::StatusIcon::None);
        QVERIFY(table.bayHasDrive(0));
        QVERIFY(!table.bayHasDrive(1));
        f->notifications.removeObserver(token);
    }

    void nextFormatsTheDetectedDiskOnly()
    {
        enter({disk("sda"), kEmptyBay}, {{"formatSteps", QJsonArray {20, 40, 60, 80, 100}}});
        waitForBrowsing();
        answerFormat(true);
        QStringList dimming;
        f->notifications.addObserver(Notifications::greyViewCovered, [&](const QObject *, const QVariantMap &info) {
            dimming << info.value(Notifications::greyViewCovered).toString();
        });
        QStringList formatTexts;
        connect(step.get(), &Setup_HddView::changed, this, [&] {
            if (Setup_HddView::hddStep == Setup_HddView::Formatting && busy())
                formatTexts << busyText() + QLatin1Char('|') + step->textField();
        });
        step->onNextClicked();
        QVERIFY(busy());
        QVERIFY(!step->btNextEnabled());
        QCOMPARE(busyText(), QStringLiteral("Checking"));
        QVERIFY(QTest::qWaitFor([&] { return !page.calls.isEmpty(); }, kWaitMs));

        QCOMPARE(page.calls, QStringList {QStringLiteral("next")});
        QCOMPARE(f->modal.shown(), QStringList {QStringLiteral("dialog:DiagHddFormat")});
        QCOMPARE(dimming, (QStringList {QStringLiteral("YES"), QStringLiteral("NO")}));
        QCOMPARE(formattedIds(), QStringList {QStringLiteral("0")});
        QCOMPARE(requests(QStringLiteral("storageformatpoll")).size(), 5);
        QVERIFY(formatTexts.contains(QStringLiteral("Formatting|Formatting")));
        QCOMPARE(simDisks().at(0).toObject().value("partitions").toArray().at(0).toObject().value("status").toInt(), 2);
        QCOMPARE(simDisks().at(1).toObject().value("partitions").toArray().size(), 0);
        // The step has ended: no query follows.
        const int after = queries();
        QTest::qWait(200);
        QCOMPARE(queries(), after);
    }

    void cancelledFormatAndRowButtons()
    {
        // Two drives with partitions, and nothing in bay 2 of a second step run.
        enter({disk("sda"), disk("sdb")});
        waitForBrowsing();
        answerFormat(false);
        step->onNextClicked();
        QVERIFY(QTest::qWaitFor([&] { return f->modal.shown().size() == 1; }, kWaitMs));
        // Cancel: browsing again, nothing formatted.
        waitForQueries(3);
        QVERIFY(browsing());
        QVERIFY(formattedIds().isEmpty());

        // Clearing the mark of bay 2 acts as Next, and the mark holds although
        // the result brings fresh records: only bay 1 is formatted.
        answerFormat(true);
        Setup_HddInformationView &table = step->hddInformationViewController();
        table.onButtonClicked(1);
        QVERIFY(!table.rowChecked(1));
        QVERIFY(busy());
        QVERIFY(QTest::qWaitFor([&] { return !page.calls.isEmpty(); }, kWaitMs));
        QCOMPARE(formattedIds(), QStringList {QStringLiteral("0")});
    }

    // The format button of the disk in error formats that disk alone, and the
    // confirmation says so, although the healthy disk was marked too.
    void formatButtonOfADiskInErrorFormatsItAlone()
    {
        enter({disk("sda", {{"product", "WD Purple 2TB"}, {"partitions", QJsonArray {QJsonObject {{"status", 2}}}}}),
            disk("sdb", {{"partitions", QJsonArray {QJsonObject {{"status", 4}}}}})});
        waitForBrowsing();
        Setup_HddInformationView &table = step->hddInformationViewController();
        QVERIFY(table.rowChecked(0) && table.rowChecked(1));
        QVERIFY(!table.rowFormatEnabled(0));
        QVERIFY(table.rowFormatEnabled(1));
        QStringList named;
        f->modal.setScript(QStringLiteral("DiagHddFormat"), [&named](DialogController &d) {
            auto &dialog = static_cast<DiagHddFormat &>(d);
            named = dialog.lbDisks();
            dialog.btOk();
        });
        table.onFormatClicked(1);
        QVERIFY(busy());
        QVERIFY(QTest::qWaitFor([&] { return !page.calls.isEmpty(); }, kWaitMs));
        QCOMPARE(named, QStringList {QStringLiteral("Disk 2: WD Purple 1TB")});
        QCOMPARE(formattedIds(), QStringList {QStringLiteral("1")});
    }

    // Disks in use keep their recordings unless the user selects them.
    void disksInUseStartUnmarked()
    {
        enter({disk("sda", {{"partitions", QJsonArray {QJsonObject {{"status", 1}}}}}),
            disk("sdb", {{"partitions", QJsonArray {QJsonObject {{"status", 2}, {"usedMb", 5000}}}}})});
        waitForBrowsing();
        waitForQueries(2);
        Setup_HddInformationView &table = step->hddInformationViewController();
        QVERIFY(!table.rowChecked(0) && !table.rowChecked(1));
        answerFormat(true);
        table.onButtonClicked(1);
        QVERIFY(QTest::qWaitFor([&] { return !page.calls.isEmpty(); }, kWaitMs));
        QCOMPARE(formattedIds(), QStringList {QStringLiteral("1")});
    }

    void nothingMarkedKeepsBrowsing()
    {
        enter({disk("sda"), kEmptyBay});
        waitForBrowsing();
        // Clearing the only mark acts as Next: nothing to format, so the step
        // goes on looking and a later Next has a result to act on.
        step->hddInformationViewController().onButtonClicked(0);
        waitForQueries(3);
        QVERIFY(browsing());
        QVERIFY(!step->hddInformationViewController().rowChecked(0));
        QVERIFY(f->modal.shown().isEmpty());
        answerFormat(false);
        step->onNextClicked();
        QVERIFY(busy());
        waitForQueries(2);
        QVERIFY(f->modal.shown().isEmpty());
        QVERIFY(formattedIds().isEmpty());
    }

    void rowButtonOfAnEmptyBayActsAsNext()
    {
        enter({disk("sda"), kEmptyBay});
        waitForBrowsing();
        answerFormat(false);
        Setup_HddInformationView &table = step->hddInformationViewController();
        table.onButtonClicked(1);
        QVERIFY(!table.rowChecked(1));
        QVERIFY(busy());
        QVERIFY(QTest::qWaitFor([&] { return f->modal.shown().size() == 1; }, kWaitMs));
        QCOMPARE(f->modal.shown(), QStringList {QStringLiteral("dialog:DiagHddFormat")});
        QVERIFY(table.rowChecked(0));
    }

    void pluggedButUndetectedLooksAgain()
    {
        // Bay 1's drive comes up only after many queries.
        enter({disk("sda", {{"detectAfter", 60}, {"plugged", true}}), kEmptyBay});
        waitForBrowsing();
        QVERIFY(!step->hddInformationViewController().bayHasDrive(0));
        answerFormat(false);
        int firstQueryRuns = 0;
        connect(step.get(), &Setup_HddView::changed, this, [&] {
            // Only the first-query sequence covers the table with Back disabled.
            if (busy() && !step->btBackEnabled())
                ++firstQueryRuns;
        });
        step->onNextClicked();
        QVERIFY(QTest::qWaitFor([&] { return !f->modal.shown().isEmpty(); }, kWaitMs));
        QCOMPARE(f->modal.shown(), QStringList {QStringLiteral("dialog:DiagHddFormat")});
        QVERIFY(firstQueryRuns >= 1);
        QVERIFY(step->hddInformationViewController().bayHasDrive(0));
    }

    void noDiskAskedThenBrowsingAgain()
    {
        enter({kEmptyBay, kEmptyBay});
        waitForBrowsing();
        f->modal.setScript(
            QStringLiteral("DiagHddConfirm"), [](DialogController &d) { static_cast<DiagHddConfirm &>(d).btCancel(); });
        step->onNextClicked();
        QVERIFY(QTest::qWaitFor([&] { return !f->modal.shown().isEmpty(); }, kWaitMs));
        QCOMPARE(f->modal.shown(), QStringList {QStringLiteral("dialog:DiagHddConfirm")});
        waitForBrowsing();
        waitForQueries(3);
        QVERIFY(step->btNextEnabled() && step->btSkipEnabled() && step->btBackEnabled());
        QVERIFY(page.calls.isEmpty());
    }

    void skipAndBackActAtTheRightTime()
    {
        enter({disk("sda"), kEmptyBay});
        waitForBrowsing();
        // A query is always in flight while browsing: Skip waits for it.
        step->onSkipClicked();
        QVERIFY(page.calls.isEmpty());
        QVERIFY(QTest::qWaitFor([&] { return !page.calls.isEmpty(); }, kWaitMs));
        QCOMPARE(page.calls, QStringList {QStringLiteral("next")});
        QVERIFY(!step->tableShown());
        int after = queries();
        QTest::qWait(200);
        QCOMPARE(queries(), after);

        // Entered again: browsing; Back leaves at once and the query only ends.
        page.calls.clear();
        step->viewDidAppear();
        waitForBrowsing();
        step->onBackClicked();
        QCOMPARE(page.calls, QStringList {QStringLiteral("back")});
        QTest::qWait(200);
        after = queries();
        QTest::qWait(200);
        QCOMPARE(queries(), after);
        QVERIFY(f->modal.shown().isEmpty());
    }

    void failedFormatThenRetry()
    {
        enter({disk("sda", {{"formatFails", 1}}), kEmptyBay});
        waitForBrowsing();
        answerFormat(true);
        step->onNextClicked();
        QVERIFY(QTest::qWaitFor([&] { return f->modal.shown().size() == 2; }, kWaitMs));
        QCOMPARE(f->modal.shown(),
            (QStringList {QStringLiteral("dialog:DiagHddFormat"), QStringLiteral("alert:Format failed")}));
        // Browsing again after the format end, the user may try again.
        waitForBrowsing();
        waitForQueries(3);
        QCOMPARE(Setup_HddView::hddStep, int(Setup_HddView::Browsing));
        QCOMPARE(f->modal.shown().size(), 2);
        QVERIFY(page.calls.isEmpty());
        QCOMPARE(step->hddInformationViewController().rowIcon(0), Setup_HddInformationView::StatusIcon::CheckOff);

        step->onNextClicked();
        QVERIFY(QTest::qWaitFor([&] { return !page.calls.isEmpty(); }, kWaitMs));
        QCOMPARE(page.calls, QStringList {QStringLiteral("next")});
        QCOMPARE(formattedIds(), (QStringList {QStringLiteral("0"), QStringLiteral("0")}));
        QCOMPARE(f->modal.shown().size(), 3);
    }

    void recorderThatDoesNotAnswer()
    {
        // The recorder's web side is gone: an address nothing listens on.
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario({SimProcess::recorder(0)}), &error), qPrintable(error));
        step->setDelegate(&page, std::make_shared<const TVexorReply>(SimProcess::target(SimProcess::recorder(7))),
            QStringLiteral("admin"), kPassword);
        step->viewDidAppear();
        QVERIFY(QTest::qWaitFor([&] { return !f->modal.shown().isEmpty(); }, kWaitMs));
        QCOMPARE(f->modal.shown(), QStringList {QStringLiteral("alert:Check network Failed")});
        QVERIFY(!busy());
        QVERIFY(step->btBackEnabled());
        QVERIFY(!step->btNextEnabled() && !step->btSkipEnabled());
        QTest::qWait(200);
        QCOMPARE(f->modal.shown().size(), 1);
        step->onBackClicked();
        QCOMPARE(page.calls, QStringList {QStringLiteral("back")});
    }
};

NVR_STEP_LAB("hdd", HddStepLabTest)
#include "tst_hddsteplab.moc"
