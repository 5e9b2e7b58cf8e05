#include "app/SummaryView.h"
#include "app/core/HMLocalization.h"
#include "app/core/ScriptedModalHost.h"
#include "app/core/ShellDelegate.h"
#include "platform/Log.h"
#include "platform/NotificationCenter.h"
#include "platform/UrlOpener.h"

#include <QtTest>

namespace {

struct Shell : ShellDelegate
{
    int finished = 0;
    void finishWizard() override { ++finished; }
};

} // namespace

class SummaryViewTest : public QObject
{
    Q_OBJECT

private:
    NotificationCenter notifications;
    ScriptedModalHost modal;
    RecordingUrlOpener urls;
    WizardContext context {notifications, HMLocalization::sharedInstance(), modal, urls, {}};
    QStringList log;

private slots:
    void init()
    {
        HMLocalization::sharedInstance().setLanguage(QStringLiteral("EN"));
        log.clear();
        Log::setSink([this](const QString &line) { log << line; });
    }
    void cleanup() { Log::setSink({}); }

    void listShowsWhatWasSet_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<bool>("cloud");
        QTest::addColumn<QStringList>("cameras");
        QTest::newRow("empty: twelve none") << QStringList() << false << QStringList();
        QTest::newRow("cloud skipped") << QStringList {"Nvr-pw1", "none", "none", "Cam A", "none", "none", "none",
            "none", "none", "none", "none", "Cam I"}
                                       << false << QStringList {"Cam A", "Cam I"};
        // A list that ends early has nothing in its later slots.
        QTest::newRow("ends after the first camera")
            << QStringList {"Nvr-pw1", "me@example.com", "Cloud-pw1", "Cam A"} << true << QStringList {"Cam A"};
    }
    void listShowsWhatWasSet()
    {
        QFETCH(QStringList, list);
        QFETCH(bool, cloud);
        QFETCH(QStringList, cameras);
        SummaryView summary(context);
        summary.setSummaryInfo(list);
        summary.viewDidAppear();
        QCOMPARE(summary.summaryInfo(), list.isEmpty() ? QStringList(12, QStringLiteral("none")) : list);
        QCOMPARE(summary.edPass(), list.value(0, QStringLiteral("none")));
        QCOMPARE(summary.edMailVisible(), cloud);
        QCOMPARE(summary.edNimboraPassVisible(), cloud);
        QCOMPARE(summary.cameras(), cameras);
        QVERIFY(log.contains(QStringLiteral("\n %1 \n").arg(list.value(3, QStringLiteral("none")))));
        for (const QString &line : std::as_const(log))
            QVERIFY2(!line.contains(QLatin1String("-pw1")), qPrintable(line));
    }

    void withoutARecorderOnlyFinishActs()
    {
        SummaryView summary(context);
        Shell shell;
        summary.setDelegate(&shell, nullptr, QStringLiteral("admin"), QStringLiteral("pw"));
        summary.viewDidAppear();
        QVERIFY(summary.networkRows().isEmpty());
        QVERIFY(!summary.target());
        QVERIFY(!summary.btCheckEnabled());
        summary.onCheck(false); // no cloud state: nothing to remove
        QVERIFY(summary.shortcutErrors().isEmpty());
        summary.onGotoNvrClicked();
        QVERIFY(urls.opened().isEmpty());
        QCOMPARE(summary.recording(), SummaryView::Recording::NotAsked);
        summary.onFinishClicked();
        QCOMPARE(shell.finished, 1);
    }
};

QTEST_GUILESS_MAIN(SummaryViewTest)
#include "tst_summaryview.moc"
