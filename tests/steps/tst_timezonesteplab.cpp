#include "StepLab.h"
#include "steps/Setup_TimeZoneView.h"

namespace {

constexpr double kScale = 0.1;
const QString kAlert = QStringLiteral("alert:Check network Failed");

// The wizard's own list: what the computer's zone is matched against and what
// a search looks in.
const QStringList kWizardZones {QStringLiteral("(GMT-03:00) S\u00e3o Paulo"),
    QStringLiteral("(GMT+01:00) Amsterdam, Paris"), QStringLiteral("(GMT+05:00) Karachi"),
    QStringLiteral("(GMT+05:45) Kathmandu"), QStringLiteral("(GMT+08:00) Beijing, Taipei"),
    QStringLiteral("(GMT+09:00) Tokyo")};

// The recorder's list in English: fifteen zones, Kathmandu not among them.
QStringList recorderZones()
{
    QStringList zones;
    for (int i = 0; i < 15; ++i)
        zones << QStringLiteral("(GMT+%1:00) Zone %2").arg(i, 2, 10, QLatin1Char('0')).arg(i);
    return zones;
}

QJsonObject englishList(const QStringList &zones)
{
    return {{QStringLiteral("4"), QJsonArray::fromStringList(zones)}};
}

} // namespace

class TimeZoneStepLabTest : public StepLab
{
    Q_OBJECT

    std::unique_ptr<Setup_TimeZoneView> step;
    ComputerTimeZone computer;

    bool startSim(const QJsonObject &web)
    {
        return StepLab::startSim({merged(SimProcess::configured(0, password), web)}, kScale);
    }
    void enter() { step->setDelegate(&page, target(), QStringLiteral("admin"), password); }
    bool settled()
    {
        return waitFor([&] { return !busy(); });
    }
    // Back on, Next as given, nothing running.
    bool onlyBackOr(bool next) const { return !busy() && step->btBackEnabled() && step->btNextEnabled() == next; }
    bool busy() const { return step->messageViewController().isVisible(); }
    Setup_TimeZoneContentView &picker() { return step->timeZoneViewController(); }
    QStringList zonesSent() const
    {
        QStringList sent;
        for (const SimLogLine &l : requests(QStringLiteral("datetime")))
            sent << l.value("query");
        sent.removeAll(QString());
        return sent;
    }
    int recorderZone() const { return recorderState().value(QStringLiteral("timeZone")).toInt(); }

private slots:
    void init()
    {
        NVR_REQUIRE_LAB();
        fresh(step, kScale,
            {{"SetupTimeZone", kWizardZones.join(QLatin1Char(';'))}, {"SetupTimeZone_Title", "Time zone"}});
        computer = {QStringLiteral("Asia/Taipei"), 8 * 3600};
        step->setComputerTimeZoneSource([this] { return computer; });
    }
    void cleanup() { stop(step); }

    // The computer's zone is proposed at once; once read, the recorder's own
    // zone replaces it, and the check box brings the proposal back. The
    // proposal's rules are rows of the step rules test.
    void proposalThenRecorderZone_data()
    {
        using By = TimeZoneMatch::By;
        rows<QString, int, QString, int>({"identifier", "offset", "proposed", "by"},
            {{"by city", "Asia/Taipei", 8 * 3600, kWizardZones.at(4), int(By::Location)},
                {"by whole offset, not its hours", "Asia/Katmandu", 5 * 3600 + 45 * 60, kWizardZones.at(3),
                    int(By::Gmt)},
                {"nothing", "Pacific/Kiritimati", 14 * 3600, "", int(By::Nothing)}});
    }
    void proposalThenRecorderZone()
    {
        QFETCH(QString, identifier);
        QFETCH(int, offset);
        QFETCH(QString, proposed);
        QFETCH(int, by);
        computer = {identifier, offset};
        QVERIFY(startSim({{"timeZone", 6}, {"timeZoneLists", englishList(recorderZones())}}));
        enter();
        QCOMPARE(int(step->proposedBy()), by);
        if (!proposed.isEmpty())
            QCOMPARE(picker().btTimeZoneTitle(), proposed);
        // "This computer's zone" is ticked only while that zone is shown.
        QCOMPARE(picker().autoTimeZone(), !proposed.isEmpty());
        QVERIFY(busy() && step->btBackEnabled() && !step->btNextEnabled());
        QCOMPARE(step->dateStep(), int(Setup_TimeZoneView::ReadList));
        QVERIFY(settled());
        QCOMPARE(step->dateStep(), int(Setup_TimeZoneView::ReadSettings));
        QCOMPARE(picker().btTimeZoneTitle(), recorderZones().at(5));
        QVERIFY(!picker().autoTimeZone());
        QCOMPARE(picker().listFromNvr(), recorderZones());
        QCOMPARE(picker().timeZoneListDisplayedRows(), recorderZones());
        QVERIFY(step->btNextEnabled());
        QVERIFY(f->modal.shown().isEmpty());
        QCOMPARE(sim.log(QStringLiteral("http")).size(), 2);
        QCOMPARE(requests(QStringLiteral("timezonelist")).value(0).value("query"), QStringLiteral("language=4"));

        picker().autosetTimeZone(false);
        picker().autosetTimeZone(true);
        QCOMPARE(picker().btTimeZoneTitle(), proposed.isEmpty() ? recorderZones().at(5) : proposed);
        QCOMPARE(picker().autoTimeZone(), !proposed.isEmpty());
        QVERIFY(step->btNextEnabled());
    }

    // A current zone past the end of the recorder's own list names nothing:
    // the proposal stays and the list still comes from the recorder.
    void currentZoneOutsideTheListKeepsTheProposal()
    {
        QVERIFY(startSim({{"timeZone", 40}, {"timeZoneLists", englishList(recorderZones())}}));
        enter();
        QVERIFY(settled());
        QCOMPARE(picker().btTimeZoneTitle(), kWizardZones.at(4));
        QCOMPARE(picker().listFromNvr(), recorderZones());
        QVERIFY(f->modal.shown().isEmpty());
    }

    // Row 12 goes out as 13; a name found by search but missing from the
    // recorder's list sends nothing and opens the list instead.
    void chosenRowIsSentCountedFromOne()
    {
        QVERIFY(startSim({{"timeZoneLists", englishList(recorderZones())}}));
        enter();
        QVERIFY(settled());

        picker().controlTextDidChange(QStringLiteral("KATHMANDU"));
        QCOMPARE(picker().timeZoneListDisplayedRows(), QStringList {kWizardZones.at(3)});
        picker().tableViewClicked(0);
        QCOMPARE(picker().btTimeZoneTitle(), kWizardZones.at(3));
        QVERIFY(!picker().dropDownVisible());
        step->onNextClicked();
        QVERIFY(picker().dropDownVisible() && !busy() && zonesSent().isEmpty());

        picker().autosetTimeZone(true); // back to the recorder's list
        QCOMPARE(picker().timeZoneListDisplayedRows(), recorderZones());
        picker().tableViewClicked(12);
        QCOMPARE(picker().btTimeZoneTitle(), recorderZones().at(12));
        step->onNextClicked();
        QVERIFY(busy() && !step->btBackEnabled() && !step->btNextEnabled());
        QCOMPARE(step->dateStep(), int(Setup_TimeZoneView::SetZone));
        QTRY_COMPARE_WITH_TIMEOUT(page.calls, QStringList {QStringLiteral("next")}, 8000);
        QCOMPARE(zonesSent(), QStringList {QStringLiteral("timezone=13")});
        QCOMPARE(recorderZone(), 13);
        QVERIFY(f->modal.shown().isEmpty());
    }

    // The recorder's own zone is not written again; the step goes on as after a write.
    void zoneAlreadySetIsNotWritten()
    {
        QVERIFY(startSim({{"timeZone", 5}, {"timeZoneLists", englishList(recorderZones())}}));
        enter();
        QVERIFY(settled());
        step->onNextClicked();
        QCOMPARE(page.calls, QStringList {QStringLiteral("next")});
        QCOMPARE(step->zoneSet(), recorderZones().at(4));
        QVERIFY(zonesSent().isEmpty());
    }

    // A recorder that answers with another zone than the one sent: the step
    // stays, says so, and both buttons allow another try.
    void refusedZoneAlerts()
    {
        QVERIFY(startSim({{"timeZone", 2}, {"timeZoneLocked", true}}));
        enter();
        QVERIFY(settled());
        picker().tableViewClicked(7);
        step->onNextClicked();
        QTRY_COMPARE_WITH_TIMEOUT(f->modal.shown(), QStringList {kAlert}, 8000);
        QVERIFY(onlyBackOr(true) && page.calls.isEmpty());
        QCOMPARE(zonesSent(), QStringList {QStringLiteral("timezone=8")});
        QCOMPARE(recorderZone(), 2);
    }

    // An "Access Error" list: the wizard's own list is shown and indexed.
    void refusedListFallsBackToOwnList()
    {
        QVERIFY(startSim({{"timeZone", 3}, {"timeZoneLists", englishList({})}}));
        enter();
        QVERIFY(settled());
        QCOMPARE(picker().timeZoneListDisplayedRows(), kWizardZones);
        QCOMPARE(step->indexList(), kWizardZones);
        QCOMPARE(picker().btTimeZoneTitle(), kWizardZones.at(2));
        QVERIFY(f->modal.shown().isEmpty());
    }

    // An answer without a list, or with an empty one, is no refusal: no other
    // list may stand in for the recorder's, so only Back is left and nothing
    // is written.
    void answerWithoutAListWritesNothing_data()
    {
        rows<QString>({"answer"}, {{"no list", "missing"}, {"empty list", "empty"}});
    }
    void answerWithoutAListWritesNothing()
    {
        QFETCH(QString, answer);
        QVERIFY(startSim({{"timeZone", 3}, {"timeZoneListAnswer", answer}}));
        enter();
        QTRY_COMPARE_WITH_TIMEOUT(f->modal.shown(), QStringList {kAlert}, 8000);
        QVERIFY(onlyBackOr(false) && step->indexList().isEmpty());
        picker().tableViewClicked(2);
        step->onNextClicked();
        picker().autosetTimeZone(true);
        QVERIFY(!step->btNextEnabled());
        step->onNextClicked();
        QVERIFY(!busy());
        QCOMPARE(sim.log(QStringLiteral("http")).size(), 1);
        QVERIFY(zonesSent().isEmpty());
        QCOMPARE(recorderZone(), 3);
        QVERIFY(page.calls.isEmpty());
        step->onBackClicked();
        QCOMPARE(page.calls, QStringList {QStringLiteral("back")});
    }

    // No recorder while writing: Back, and Next for a retry. (Reading fails
    // in the hostile recorder lab.)
    void unansweredWriteLeavesBackAndNext()
    {
        QVERIFY(startSim({}));
        enter();
        QVERIFY(settled());
        sim.stop();
        picker().tableViewClicked(2);
        step->onNextClicked();
        QTRY_COMPARE_WITH_TIMEOUT(f->modal.shown(), QStringList {kAlert}, 8000);
        QVERIFY(onlyBackOr(true) && page.calls.isEmpty());
        QCOMPARE(step->dateStep(), int(Setup_TimeZoneView::SetZone));
        step->onBackClicked();
        QCOMPARE(page.calls, QStringList {QStringLiteral("back")});
    }
};

NVR_STEP_LAB("timezone", TimeZoneStepLabTest)
#include "tst_timezonesteplab.moc"
