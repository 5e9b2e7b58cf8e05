#include "StepLab.h"
#include "steps/DiagHddConfirm.h"
#include "steps/DiagHddFormat.h"
#include "steps/Setup_HddView.h"

namespace {

constexpr double kScale = 0.05; // 50 ms format polls

QJsonObject disk(const QString &device, const QJsonObject &extra = {})
{
    return SimProcess::merged({{"device", device}, {"model", "WD10PURZ"}, {"product", "WD Purple 1TB"},
                                  {"partitions", QJsonArray {QJsonObject {{"capacityMb", 953869}, {"status", 6}}}}},
        extra);
}

const QJsonObject kEmptyBay {{"device", ""}};

} // namespace

class HddStepLabTest : public StepLab
{
    Q_OBJECT

    std::unique_ptr<Setup_HddView> step;

    void enter(const QJsonArray &disks, const QJsonObject &extra = {})
    {
        QVERIFY(startSim({merged(SimProcess::configured(0, password), merged({{"disks", disks}}, extra))}, 1));
        step->setDelegate(&page, target(), QStringLiteral("admin"), password);
        step->viewDidAppear();
    }
    Setup_HddInformationView &table() { return step->hddInformationViewController(); }
    bool dialogs(int n)
    {
        return waitFor([&] { return f->modal.shown().size() == n; });
    }
    // No query follows: none within three of the longest gaps the queries
    // left so far, a wait that grows with a slow machine instead of proving nothing.
    void quiet()
    {
        const QList<SimLogLine> seen = requests(QStringLiteral("storageinfo"));
        qint64 gap = 50;
        for (qsizetype i = 1; i < seen.size(); ++i)
            gap = qMax(gap, seen.at(i).timeMs - seen.at(i - 1).timeMs);
        QTest::qWait(int(gap)); // the query in flight lands
        const int after = queries();
        QTest::qWait(int(3 * gap));
        QCOMPARE(queries(), after);
    }
    bool busy() const { return step->messageViewController().isVisible(); }
    QString busyText() const { return step->messageViewController().message(); }
    bool browsing() const { return step->tableShown() && !busy() && step->btNextEnabled(); }
    void waitForBrowsing()
    {
        QVERIFY(waitFor([&] { return browsing(); }));
    }
    int queries() const { return int(requests(QStringLiteral("storageinfo")).size()); }
    QStringList formattedIds() const
    {
        QStringList ids;
        for (const SimLogLine &line : requests(QStringLiteral("storageformat")))
            ids << QUrlQuery(QUrl::fromPercentEncoding(line.value("query").toLatin1())).queryItemValue("storageid");
        return ids;
    }
    int partitionStatus(int disk) const
    {
        const QJsonArray disks = recorderState().value(QStringLiteral("disks")).toArray();
        return disks.at(disk).toObject().value("partitions").toArray().at(0).toObject().value("status").toInt(-1);
    }
    void answerFormat(bool ok)
    {
        f->modal.setScript<DiagHddFormat>([ok](DiagHddFormat &dialog) { ok ? dialog.btOk() : dialog.btCancel(); });
    }
    void waitForQueries(int more)
    {
        const int target = queries() + 2 * more;
        QVERIFY2(waitFor([&] { return queries() >= target; }), qPrintable(QString::number(queries())));
    }

private slots:
    void init()
    {
        NVR_REQUIRE_LAB();
        fresh(step, kScale,
            {{"SetupHdd_Check", "Checking"}, {"SetupHdd_Format", "Formatting"}, {"SetupHdd fail", "Format failed"},
                {"SetupHdd_HD1", "Disk"}, {"Size_TB", "%@ TB"}});
    }
    void cleanup() { stop(step); }

    void browsesPacedAndShowsTheBays()
    {
        Durations paced = durations();
        paced.hddRefreshMs = 250;
        setDurations(paced);
        QStringList reminders;
        const auto token = f->notifications.addObserver(
            Notifications::changeReminder, [&](const QObject *, const QVariantMap &info) {
                reminders << info.value(Notifications::stepsKey).toString();
            });
        enter({disk("sda"), kEmptyBay});
        QCOMPARE(step->hddStep(), Setup_HddView::Browsing);
        QVERIFY(busy() && !step->btBackEnabled() && !step->btNextEnabled() && !step->btSkipEnabled());
        QCOMPARE(reminders, QStringList {QStringLiteral("hdd")});
        waitForBrowsing();
        QVERIFY(step->btBackEnabled() && step->btSkipEnabled());

        // Bay 1 then bay 2, round after round, a round at most once a period:
        // the recorder serves its cameras with the same processor.
        waitForQueries(5);
        QVERIFY(browsing() && page.calls.isEmpty() && formattedIds().isEmpty());
        const QList<SimLogLine> asked = requests(QStringLiteral("storageinfo"));
        for (int i = 0; i < asked.size(); ++i)
            QCOMPARE(asked.at(i).value("query"), QStringLiteral("storageid=%1").arg(i % 2));
        const qsizetype lastRound = (asked.size() - 2) / 2 * 2;
        const qint64 span = asked.at(lastRound).timeMs - asked.first().timeMs;
        QVERIFY2(span >= lastRound / 2 * paced.hddRefreshMs * 4 / 5, qPrintable(QString::number(span)));

        QCOMPARE(table().rowCount(), 2);
        QVERIFY(table().rowChecked(0) && !table().rowChecked(1));
        QCOMPARE((QStringList {table().rowProduct(0), table().rowCapacity(0), table().rowProduct(1)}),
            (QStringList {"WD Purple 1TB", "1.0 TB", "---"}));
        QVERIFY(table().bayHasDrive(0) && !table().bayHasDrive(1));
        f->notifications.removeObserver(token);
    }

    void nextFormatsTheDetectedDiskOnly()
    {
        enter({disk("sda"), kEmptyBay}, {{"formatSteps", QJsonArray {20, 40, 60, 80, 100}}});
        waitForBrowsing();
        answerFormat(true);
        dimming.clear();
        QStringList formatTexts;
        connect(step.get(), &Setup_HddView::changed, this, [&] {
            if (step->hddStep() == Setup_HddView::Formatting && busy())
                formatTexts << busyText() + QLatin1Char('|') + step->textField();
        });
        step->onNextClicked();
        QVERIFY(busy() && !step->btNextEnabled());
        leftWith(QStringLiteral("next"));
        QCOMPARE(f->modal.shown(), QStringList {QStringLiteral("dialog:DiagHddFormat")});
        QCOMPARE(dimming, (QList<Dimming> {Dimming::Dark, Dimming::None}));
        QCOMPARE(formattedIds(), QStringList {QStringLiteral("0")});
        QCOMPARE(requests(QStringLiteral("storageformatpoll")).size(), 5);
        QVERIFY(formatTexts.contains(QStringLiteral("Formatting|Formatting")));
        QCOMPARE(partitionStatus(0), 2);
        QCOMPARE(partitionStatus(1), -1);
        quiet(); // the step has ended
    }

    void cancelledFormatAndRowButtons()
    {
        // Two drives with partitions, and nothing in bay 2 of a second step run.
        enter({disk("sda"), disk("sdb")});
        waitForBrowsing();
        answerFormat(false);
        step->onNextClicked();
        QVERIFY(dialogs(1));
        // Cancel: browsing again, nothing formatted.
        waitForQueries(3);
        QVERIFY(browsing());
        QVERIFY(formattedIds().isEmpty());

        // Clearing the mark of bay 2 acts as Next, and the mark holds although
        // the result brings fresh records: only bay 1 is formatted.
        answerFormat(true);
        table().onButtonClicked(1);
        QVERIFY(!table().rowChecked(1));
        QVERIFY(busy());
        QVERIFY(left());
        QCOMPARE(formattedIds(), QStringList {QStringLiteral("0")});
    }

    // The format button of the disk in error formats that disk alone, and the
    // confirmation says so, although the healthy disk was marked too.
    void formatButtonOfADiskInErrorFormatsItAlone()
    {
        enter({disk("sda", {{"product", "WD Purple 2TB"}, {"partitions", QJsonArray {QJsonObject {{"status", 2}}}}}),
            disk("sdb", {{"partitions", QJsonArray {QJsonObject {{"status", 4}}}}})});
        waitForBrowsing();
        QVERIFY(table().rowChecked(0) && table().rowChecked(1));
        QVERIFY(!table().rowFormatEnabled(0));
        QVERIFY(table().rowFormatEnabled(1));
        QStringList named;
        f->modal.setScript<DiagHddFormat>([&named](DiagHddFormat &dialog) {
            named = dialog.lbDisks();
            dialog.btOk();
        });
        table().onFormatClicked(1);
        QVERIFY(busy());
        QVERIFY(left());
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
        QVERIFY(!table().rowChecked(0) && !table().rowChecked(1));
        answerFormat(true);
        table().onButtonClicked(1);
        QVERIFY(left());
        QCOMPARE(formattedIds(), QStringList {QStringLiteral("1")});
    }

    void nothingMarkedKeepsBrowsing()
    {
        enter({disk("sda"), kEmptyBay});
        waitForBrowsing();
        // Clearing the only mark acts as Next: nothing to format, so the step
        // goes on looking and a later Next has a result to act on.
        table().onButtonClicked(0);
        waitForQueries(3);
        QVERIFY(browsing());
        QVERIFY(!table().rowChecked(0));
        QVERIFY(f->modal.shown().isEmpty());
        answerFormat(false);
        step->onNextClicked();
        QVERIFY(busy());
        waitForQueries(2);
        QVERIFY(f->modal.shown().isEmpty());
        QVERIFY(formattedIds().isEmpty());
    }

    // The row button of a bay without a drive acts as Next all the same.
    void rowButtonOfAnEmptyBayActsAsNext()
    {
        enter({disk("sda"), kEmptyBay});
        waitForBrowsing();
        answerFormat(false);
        table().onButtonClicked(1);
        QVERIFY(!table().rowChecked(1) && busy());
        QVERIFY(dialogs(1));
        QCOMPARE(f->modal.shown(), QStringList {QStringLiteral("dialog:DiagHddFormat")});
        QVERIFY(table().rowChecked(0));
    }

    void pluggedButUndetectedLooksAgain()
    {
        // Bay 1's drive comes up only after many queries, asked without a pause.
        Durations unpaced = durations();
        unpaced.hddRefreshMs = 1;
        setDurations(unpaced);
        enter({disk("sda", {{"detectAfter", 60}, {"plugged", true}}), kEmptyBay});
        waitForBrowsing();
        QVERIFY(!table().bayHasDrive(0));
        answerFormat(false);
        int firstQueryRuns = 0;
        connect(step.get(), &Setup_HddView::changed, this, [&] {
            // Only the first-query sequence covers the table with Back disabled.
            if (busy() && !step->btBackEnabled())
                ++firstQueryRuns;
        });
        step->onNextClicked();
        QVERIFY(dialogs(1));
        QCOMPARE(f->modal.shown(), QStringList {QStringLiteral("dialog:DiagHddFormat")});
        QVERIFY(firstQueryRuns >= 1);
        QVERIFY(table().bayHasDrive(0));
    }

    void noDiskAskedThenBrowsingAgain()
    {
        enter({kEmptyBay, kEmptyBay});
        waitForBrowsing();
        f->modal.setScript<DiagHddConfirm>([](DiagHddConfirm &d) { d.btCancel(); });
        step->onNextClicked();
        QVERIFY(dialogs(1));
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
        leftWith(QStringLiteral("next"));
        QVERIFY(!step->tableShown());
        quiet();
        // Entered again: browsing; Back leaves at once and the query only ends.
        page.calls.clear();
        step->viewDidAppear();
        waitForBrowsing();
        step->onBackClicked();
        QCOMPARE(page.calls, QStringList {QStringLiteral("back")});
        quiet();
        QVERIFY(f->modal.shown().isEmpty());
    }

    void failedFormatThenRetry()
    {
        enter({disk("sda", {{"formatFails", 1}}), kEmptyBay});
        waitForBrowsing();
        answerFormat(true);
        step->onNextClicked();
        QVERIFY(dialogs(2));
        QCOMPARE(f->modal.shown(),
            (QStringList {QStringLiteral("dialog:DiagHddFormat"), QStringLiteral("alert:Format failed")}));
        // Browsing again after the format end, the user may try again.
        waitForBrowsing();
        waitForQueries(3);
        QCOMPARE(step->hddStep(), Setup_HddView::Browsing);
        QCOMPARE(f->modal.shown().size(), 2);
        QVERIFY(page.calls.isEmpty());
        QCOMPARE(table().rowIcon(0), Setup_HddInformationView::StatusIcon::CheckOff);

        step->onNextClicked();
        leftWith(QStringLiteral("next"));
        QCOMPARE(formattedIds(), (QStringList {QStringLiteral("0"), QStringLiteral("0")}));
        QCOMPARE(f->modal.shown().size(), 3);
    }
};

NVR_STEP_LAB("hdd", HddStepLabTest)
#include "tst_hddsteplab.moc"
