// The camera step's screens of nvrshots, in the real window under Xvfb, from
// the answers of a simulated recorder and its simulated cameras in the
// network lab, in EN, JP and RU and at 200 %: nine cameras picked with the
// rest dimmed, the floating password dialog, the preview with a camera's
// test card, and a recorder that found no camera. In EN the same screens
// pass the accessibility audit.
#include "LabEnv.h"
#include "ShotCheck.h"
#include "SimProcess.h"

#include <QtTest>

class CameraShotsLabTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { NVR_REQUIRE_LAB(); }

    void cameraScreens_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("scale");
        QTest::addColumn<bool>("cameras");
        QTest::addColumn<QStringList>("screens");
        const QStringList found {"camera-lan-list", "camera-lan-verify", "camera-lan-preview"};
        for (const char *language : {"EN", "JP", "RU"})
            QTest::newRow(language) << QString::fromLatin1(language) << QString() << true << found;
        QTest::newRow("RU@2x") << "RU"
                               << "2" << true << found;
        QTest::newRow("EN none") << "EN" << QString() << false << QStringList {"camera-lan-none"};
    }
    void cameraScreens()
    {
        QFETCH(QString, language);
        QFETCH(QString, scale);
        QFETCH(bool, cameras);
        QFETCH(QStringList, screens);
        // Twelve cameras: ten whose password the recorder knows, one whose
        // password is unknown and one without a password.
        QList<QJsonObject> list;
        for (int n = 0; cameras && n < 12; ++n) {
            QJsonObject camera = SimProcess::camera(n, n % 3 ? QStringLiteral("1") : QStringLiteral("0"),
                n == 11 ? QString() : QStringLiteral("cam-pw%1").arg(n));
            if (n == 4)
                camera.insert(QStringLiteral("user"), QString());
            list << camera;
        }
        SimProcess sim;
        sim.setTimeScale(0.1);
        QString error;
        QVERIFY2(sim.start(SimProcess::scenario({SimProcess::withCameras(SimProcess::recorder(0), list)}), &error),
            qPrintable(error));

        qputenv("NVR_SHOTS_LANG", language.toLatin1());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!scale.isEmpty())
            env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
        const QString folder = scale.isEmpty() ? QStringLiteral("cameras") : QStringLiteral("cameras@2x");
        const QString problem = renderLabShots(cameras ? folder : QStringLiteral("no-camera"), screens, env);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        // The preview showed a camera's own image.
        if (cameras) {
            bool image = false;
            for (const SimLogLine &line : sim.log(QStringLiteral("cam")))
                image = image || (line.value("status") == QLatin1String("200") && line.value("req").contains("image"));
            QVERIFY(image);
        }
        if (language == QLatin1String("EN") && scale.isEmpty()) {
            QProcess audit;
            env.insert(QStringLiteral("NVRWIZARD_TIME_SCALE"), QStringLiteral("0.1"));
            audit.setProcessEnvironment(env);
            audit.start(qEnvironmentVariable("NVR_SHOTS_TOOL"),
                QStringList {QStringLiteral("--audit"), QStringLiteral("--lan")} + screens);
            QVERIFY2(audit.waitForFinished(90000), "nvrshots --audit did not end");
            const QString report = QString::fromUtf8(audit.readAllStandardOutput());
            QVERIFY2(
                audit.exitCode() == 0 && report.contains(QLatin1String(" screens, 0 problems")), qPrintable(report));
        }
    }
};

QTEST_GUILESS_MAIN(CameraShotsLabTest)
#include "tst_camerashotslab.moc"
