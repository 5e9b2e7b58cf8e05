// The cloud step's and the summary's screens of nvrshots in the real window
// under Xvfb, from the answers of a simulated recorder and portal in the
// network lab: the form, Skip chosen, the portal's refusal, the terms opened
// over the step, and the summary with and without cloud; in EN, JP, RU and at
// 200 %.
#include "LabEnv.h"
#include "ShotCheck.h"
#include "SimProcess.h"

#include <QJsonArray>
#include <QtTest>

class NimboraShotsLabTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { NVR_REQUIRE_LAB(); }

    void nimboraScreens_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("scale");
        QTest::newRow("EN") << "EN" << QString();
        QTest::newRow("JP") << "JP" << QString();
        QTest::newRow("RU") << "RU" << QString();
        QTest::newRow("RU@2x") << "RU"
                               << "2";
    }
    void nimboraScreens()
    {
        QFETCH(QString, language);
        QFETCH(QString, scale);
        const QJsonObject scenario = SimProcess::withPortalAccount(SimProcess::scenario({SimProcess::recorder(0)}),
            QStringLiteral("owner@example.com"), QStringLiteral("pw1"));
        SimProcess sim;
        sim.setTimeScale(0.1);
        QString error;
        QVERIFY2(sim.start(scenario, &error), qPrintable(error));

        const QStringList screens {QStringLiteral("nimbora-lan-form"), QStringLiteral("nimbora-lan-skip"),
            QStringLiteral("nimbora-lan-refused"), QStringLiteral("nimbora-lan-terms"),
            // Without cloud first: the other registers the recorder.
            QStringLiteral("summary-lan-nocloud"), QStringLiteral("summary-lan-cloud")};
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("NVRWIZARD_TIME_SCALE"), QStringLiteral("0.1"));
        if (!scale.isEmpty())
            env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
        const QString dir = qEnvironmentVariable("NVR_SHOTS_DIR") + QStringLiteral("/nimbora/")
            + QString::fromLatin1(QTest::currentDataTag());
        const QString problem
            = renderShots(dir, {QStringLiteral("--lan"), QStringLiteral("--lang"), language}, screens, env);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        // Each screen read the recorder's cloud state, the summaries once more;
        // the refused sign-in and the registration went to the portal.
        int queries = 0;
        for (const SimLogLine &line : sim.log(QStringLiteral("http")))
            queries += line.value("path") == QLatin1String("/config/nimboraportal");
        QCOMPARE(queries, screens.size() + 2);
        QStringList answers;
        for (const SimLogLine &line : sim.log(QStringLiteral("form")))
            answers << line.value("answer");
        QCOMPARE(answers, (QStringList {"Incorrect%20e-mail%20or%20password", "success", "10000001%3AHRX-540A"}));
    }
};

QTEST_GUILESS_MAIN(NimboraShotsLabTest)
#include "tst_nimborashotslab.moc"
