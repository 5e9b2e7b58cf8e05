// The password step's screens of nvrshots, in the real window under Xvfb,
// reached through a real search and real answers of a simulated recorder in
// the network lab: one in its factory state, one holding a password.
#include "LabEnv.h"
#include "ShotCheck.h"
#include "SimProcess.h"

#include <QtTest>

class PasswordShotsLabTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { NVR_REQUIRE_LAB(); }

    void passwordScreens_data()
    {
        QTest::addColumn<QJsonObject>("recorder");
        QTest::addColumn<QStringList>("screens");
        QTest::addColumn<int>("verifies");
        QTest::newRow("factory") << SimProcess::recorder(0) << QStringList {QStringLiteral("password-lan")} << 1;
        QTest::newRow("configured") << SimProcess::configured(0, QStringLiteral("secret1"))
                                    << QStringList {QStringLiteral("password-lan"),
                                           QStringLiteral("password-lan-refused")}
                                    << 3; // the factory check twice, the wrong password once
    }
    void passwordScreens()
    {
        QFETCH(QJsonObject, recorder);
        QFETCH(QStringList, screens);
        QFETCH(int, verifies);
        SimProcess sim;
        sim.setTimeScale(0.1);
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario({recorder}), &error), qPrintable(error));

        const QString problem = renderLabShots(QString::fromLatin1(QTest::currentDataTag()), screens);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        // The screens came from the recorder's answers, and changed nothing on it.
        QStringList seen;
        for (const SimLogLine &line : sim.log(QStringLiteral("rx")))
            seen << line.value("op");
        QVERIFY2(seen.count(QStringLiteral("163")) >= verifies, qPrintable(seen.join(QLatin1Char(' '))));
        QCOMPARE(sim.passwordOf(SimProcess::macOf(recorder)), recorder.value(QStringLiteral("password")).toString());
    }
};

QTEST_GUILESS_MAIN(PasswordShotsLabTest)
#include "tst_passwordshotslab.moc"
