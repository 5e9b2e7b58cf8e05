// Headless runs through the password step against simulated recorders in the
// network lab: the recorder's password afterwards shows what the run did.
#include "HeadlessRun.h"
#include "LabEnv.h"
#include "SimProcess.h"

#include <QtTest>

namespace {

QJsonObject answers(const QJsonObject &password)
{
    return {{QStringLiteral("password"), password}, {QStringLiteral("timeoutSeconds"), 40}};
}

} // namespace

class HeadlessPasswordLabTest : public QObject
{
    Q_OBJECT

private:
    SimProcess sim;

    void startWith(const QJsonObject &recorder)
    {
        sim.stop();
        sim.setTimeScale(0.1);
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario({recorder}), &error), qPrintable(error));
    }

private slots:
    void initTestCase() { NVR_REQUIRE_LAB(); }

    void factoryRecorderGetsThePassword()
    {
        const QJsonObject r = SimProcess::recorder(0);
        startWith(r);
        const HeadlessRun run = HeadlessRun::run(answers({{QStringLiteral("password"), QStringLiteral("first123")}}));
        // The run goes on to the time zone step with the recorder configured.
        QVERIFY2(run.errors.contains(QStringLiteral("recorder's time zone:")), qPrintable(run.errors));
        QCOMPARE(sim.passwordOf(SimProcess::macOf(r)), QStringLiteral("first123"));
        QVERIFY(!run.errors.contains(QStringLiteral("first123")));
    }

    void currentPasswordWithAChange()
    {
        const QJsonObject r = SimProcess::configured(0, QStringLiteral("old123"));
        startWith(r);
        const HeadlessRun run = HeadlessRun::run(answers({{QStringLiteral("password"), QStringLiteral("old123")},
            {QStringLiteral("newPassword"), QStringLiteral("new456")}}));
        QVERIFY2(run.errors.contains(QStringLiteral("recorder's time zone:")), qPrintable(run.errors));
        QCOMPARE(sim.passwordOf(SimProcess::macOf(r)), QStringLiteral("new456"));
    }

    void wrongPasswordWithoutResetEndsTheRun()
    {
        const QJsonObject r = SimProcess::configured(0, QStringLiteral("secret1"));
        startWith(r);
        const HeadlessRun run = HeadlessRun::run(answers({{QStringLiteral("password"), QStringLiteral("guess12")}}));
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains(QStringLiteral("failed: the password was not taken")), qPrintable(run.errors));
        QCOMPARE(sim.passwordOf(SimProcess::macOf(r)), QStringLiteral("secret1"));
    }

    // A refused password with a reset account: the recorder is reset, searched
    // again once it is back, and gets the password as a new recorder.
    void wrongPasswordResetsAndStartsAfresh()
    {
        QJsonObject r = SimProcess::configured(0, QStringLiteral("secret1"));
        r.insert(QStringLiteral("resetWait"), 10);
        startWith(r);
        const HeadlessRun run = HeadlessRun::run(answers({{QStringLiteral("password"), QStringLiteral("fresh123")},
            {QStringLiteral("reset"),
                QJsonObject {{QStringLiteral("user"), QStringLiteral("admin")},
                    {QStringLiteral("password"), QStringLiteral("secret1")}}}}));
        QVERIFY2(run.errors.contains(QStringLiteral("resetting the recorder")), qPrintable(run.errors));
        QCOMPARE(run.errors.count(QStringLiteral("page password")), 2);
        QVERIFY2(run.errors.contains(QStringLiteral("recorder's time zone:")), qPrintable(run.errors));
        QCOMPARE(sim.log(QStringLiteral("reset")).size(), 1);
        QCOMPARE(sim.passwordOf(SimProcess::macOf(r)), QStringLiteral("fresh123"));
    }

    // A password the form itself refuses never reaches the recorder: the run
    // says which rule it breaks, once, and no reset follows.
    void passwordBreakingARuleResetsNothing()
    {
        const QJsonObject r = SimProcess::configured(0, QStringLiteral("secret1"));
        startWith(r);
        const HeadlessRun run = HeadlessRun::run(answers({{QStringLiteral("password"), QStringLiteral("guess#12")},
            {QStringLiteral("reset"),
                QJsonObject {{QStringLiteral("user"), QStringLiteral("admin")},
                    {QStringLiteral("password"), QStringLiteral("secret1")}}}}));
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains(QStringLiteral("failed: the password was not taken: Use only letters and digits")),
            qPrintable(run.errors));
        QVERIFY2(!run.errors.contains(QStringLiteral("Error:")), qPrintable(run.errors));
        QVERIFY(sim.log(QStringLiteral("reset")).isEmpty());
        QCOMPARE(sim.passwordOf(SimProcess::macOf(r)), QStringLiteral("secret1"));
    }

    void refusedResetAccountEndsTheRun()
    {
        startWith(SimProcess::configured(0, QStringLiteral("secret1")));
        const HeadlessRun run = HeadlessRun::run(answers({{QStringLiteral("password"), QStringLiteral("guess12")},
            {QStringLiteral("reset"),
                QJsonObject {{QStringLiteral("user"), QStringLiteral("admin")},
                    {QStringLiteral("password"), QStringLiteral("guess12")}}}}));
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains(QStringLiteral("failed: the recorder refused the reset account")),
            qPrintable(run.errors));
        QVERIFY(sim.log(QStringLiteral("reset")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(HeadlessPasswordLabTest)
#include "tst_headlesspasswordlab.moc"
