#include "GuideFixture.h"

#include "app/PageContainer.h"
#include "app/SetupView.h"
#include "guide/DiagLEDStateRed.h"
#include "guide/DiagMacAddress.h"
#include "guide/DiagReset.h"

#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// The guide's sub-pages and counters through a real shell, the
// troubleshooting chain it opens from its last sub-page, and those dialogs on
// their own: texts, the overlay and the choice handed to the opener.
class InstallGuideTest : public QObject
{
    Q_OBJECT

private slots:
    void nextWalksTheSubPagesThenOpensSetup();
    void backWalksToTheWelcomePage();
    void reentryDependsOnTheCounter_data();
    void reentryDependsOnTheCounter();
    void comingBackFromSetupShowsTheLastSubPage();
    void nextLabelEmphasisedOnlyWhereItOccurs();
    void resetChainKeepsTheWindowDimmed();
    void restartReturnsToTheWelcomePage();
    void ledDialogNamesEveryCheck();
    void resetNameQuotedInEnglishOnly();
    void resetNameWithPatternCharacters();
    void closeUndimsAndTellsTheOpener();
    void macAddressRows_data();
    void macAddressRows();
};

namespace {

// What a sub-page shows, in a form easy to compare.
QString shown(const InstallView &g)
{
    QStringList pictures;
    const char *names[] = {"image", "router", "hdd", "left", "right", "left2", "right2", "right2_1", "textL", "textR"};
    for (int i = 0; i <= InstallView::SW580InstallTextField_Right; ++i) {
        if (g.isPictureVisible(InstallView::Picture(i)))
            pictures << QString::fromLatin1(names[i]);
    }
    return QStringLiteral("%1/%2 [%3] %4 \"%5\" p%6%7")
        .arg(g.subPage())
        .arg(g.half())
        .arg(pictures.join(QLatin1Char(',')), g.installImageName(), g.lbTitle())
        .arg(g.progressPosition())
        .arg(g.isTipVisible() ? QStringLiteral(" tip") : QString());
}

} // namespace

void InstallGuideTest::nextWalksTheSubPagesThenOpensSetup()
{
    GuideFixture f;
    QStringList steps;
    f.notifications.addObserver(Notifications::changeReminder,
        [&](const QObject *, const QVariantMap &info) { steps << info.value(Notifications::stepsKey).toString(); });
    f.startGuide();
    QCOMPARE(f.currentPage(), QStringLiteral("install"));
    QCOMPARE(shown(f.guide()), QStringLiteral("0/0 [router,hdd] install_hddAndRouter.png \"Before you start\" p0"));
    QCOMPARE(f.guide().lbTip1().text, QStringLiteral("You need a router and a hard drive for the HRX-540A."));
    QCOMPARE(f.shell->lbSteps(), QStringLiteral("0/10"));
    QVERIFY(f.shell->isHeaderGrey());

    const QStringList expected = {
        QStringLiteral("1/0 [image] HRX_540A_1.png \"Hard drive\" p1"),
        QStringLiteral("1/1 [image] 1_power.png \"Connect\" p1"),
        QStringLiteral("2/0 [image,left,right]  \"Connect\" p2"),
        QStringLiteral("3/0 [image,left2,right2,right2_1] white \"Connect\" p3 tip"),
    };
    const QStringList counters
        = {QStringLiteral("1/10"), QStringLiteral("1/10"), QStringLiteral("2/10"), QStringLiteral("3/10")};
    for (int press = 0; press < expected.size(); ++press) {
        f.guide().onNextClicked();
        QCOMPARE(shown(f.guide()), expected[press]);
        QCOMPARE(f.shell->lbSteps(), counters[press]);
        QCOMPARE(f.currentPage(), QStringLiteral("install"));
    }
    QVERIFY(f.log.contains(QStringLiteral("-[InstallView changeInstallImage] installSteps = 1 installSteps_580 = 1")));

    f.guide().onNextClicked();
    QCOMPARE(f.currentPage(), QStringLiteral("setup"));
    QCOMPARE(InstallView::installSteps, 3);
    // install0, 1, 1, 2, 3, 3 again on leaving, then the search step.
    QCOMPARE(steps.mid(0, 6),
        QStringList({QStringLiteral("install0"), QStringLiteral("install1"), QStringLiteral("install1"),
            QStringLiteral("install2"), QStringLiteral("install3"), QStringLiteral("install3")}));
}

void InstallGuideTest::backWalksToTheWelcomePage()
{
    GuideFixture f;
    f.startGuide();
    for (int press = 0; press < 4; ++press)
        f.guide().onNextClicked();
    QStringList visited;
    while (f.currentPage() == QLatin1String("install") && visited.size() < 6) {
        f.guide().onBackClicked();
        visited << QStringLiteral("%1/%2").arg(f.guide().subPage()).arg(f.guide().half());
    }
    // 2, the second half of 1, its first half, 0, then the welcome page.
    QCOMPARE(visited,
        QStringList({QStringLiteral("2/0"), QStringLiteral("1/1"), QStringLiteral("1/0"), QStringLiteral("0/0"),
            QStringLiteral("0/0")}));
    QCOMPARE(f.currentPage(), QStringLiteral("welcome"));
    QCOMPARE(InstallView::installSteps, 0);

    f.startGuide();
    QCOMPARE(f.guide().subPage(), 0);
    f.guide().onNextClicked();
    QCOMPARE(f.guide().installImageName(), QStringLiteral("HRX_540A_1.png"));
}

void InstallGuideTest::reentryDependsOnTheCounter_data()
{
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("half");
    QTest::addColumn<int>("subPage");
    QTest::addColumn<int>("halfAfter");
    QTest::addColumn<QString>("counter");
    QTest::newRow("mid sub-page 1 restarts") << 1 << 1 << 0 << 0 << QStringLiteral("0/10");
    QTest::newRow("sub-page 2 moves to the last") << 2 << 0 << 3 << 1 << QStringLiteral("3/10");
    QTest::newRow("sub-page 0 stays") << 0 << 0 << 0 << 0 << QStringLiteral("0/10");
}

void InstallGuideTest::reentryDependsOnTheCounter()
{
    QFETCH(int, steps);
    QFETCH(int, half);
    QFETCH(int, subPage);
    QFETCH(int, halfAfter);
    QFETCH(QString, counter);
    GuideFixture f;
    InstallView::installSteps = steps;
    InstallView::installSteps_580 = half;
    f.startGuide();
    QCOMPARE(f.guide().subPage(), subPage);
    QCOMPARE(InstallView::installSteps_580, halfAfter);
    QCOMPARE(f.shell->lbSteps(), counter);
}

void InstallGuideTest::comingBackFromSetupShowsTheLastSubPage()
{
    GuideFixture f;
    f.startGuide();
    for (int press = 0; press < 5; ++press)
        f.guide().onNextClicked();
    QCOMPARE(f.currentPage(), QStringLiteral("setup"));
    f.shell->contentSetupViewController().setupSearchNvrBack();
    QCOMPARE(f.currentPage(), QStringLiteral("install"));
    QCOMPARE(f.guide().subPage(), 3);
    QCOMPARE(f.shell->lbSteps(), QStringLiteral("3/10"));
    f.guide().onBackClicked();
    f.guide().onBackClicked();
    QCOMPARE(QStringLiteral("%1/%2").arg(f.guide().subPage()).arg(f.guide().half()), QStringLiteral("1/1"));
}

void InstallGuideTest::nextLabelEmphasisedOnlyWhereItOccurs()
{
    GuideFixture f;
    InstallView::installSteps = 2;
    f.log.clear();
    f.startGuide();
    QCOMPARE(f.guide().lbTip1().text, QStringLiteral("When the light of the HRX-540A is green, press Next."));
    QCOMPARE(f.guide().lbTip1().phrase, QStringLiteral("Next"));
    QVERIFY(f.log.contains(QStringLiteral("string contains NEXT!")));

    f.shell->switchLanguage(QStringLiteral("DE"));
    InstallView::installSteps = 2;
    f.log.clear();
    f.shell->showInstallView();
    QCOMPARE(f.guide().lbTip1().text, QStringLiteral("Leuchtet das Licht des HRX-540A grün, geht es los."));
    QVERIFY(f.guide().lbTip1().phrase.isEmpty());
    QVERIFY(f.log.contains(QStringLiteral("string does not contain NEXT")));
    QVERIFY(!f.log.contains(QStringLiteral("string contains NEXT!")));
}

void InstallGuideTest::resetChainKeepsTheWindowDimmed()
{
    GuideFixture f;
    InstallView::installSteps = 2;
    f.startGuide();
    int ledOpenings = 0;
    f.modal.setScript(QStringLiteral("DiagLEDStateRed"), [&](DialogController &d) {
        auto &led = static_cast<DiagLEDStateRed &>(d);
        if (++ledOpenings == 1)
            led.btReset();
        else
            led.onCloseClicked();
    });
    f.modal.setScript(
        QStringLiteral("DiagReset"), [](DialogController &d) { static_cast<DiagReset &>(d).onCloseClicked(); });

    // Sample the overlay from the event loop, inside and between the dialogs.
    QList<bool> samples;
    QTimer sampler;
    sampler.setInterval(1);
    // A plain event loop: QTRY_ sleeps between its checks and would miss the gaps.
    QEventLoop loop;
    connect(&sampler, &QTimer::timeout, &loop, [&] {
        if (f.modal.shown().size() == 3) {
            // Both gaps are behind us; the last dialog undims as it closes.
            sampler.stop();
            loop.quit();
            return;
        }
        samples << f.shell->isGreyViewVisible();
    });
    sampler.start();
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    f.guide().onTipClicked();
    loop.exec();
    sampler.stop();

    QCOMPARE(f.modal.shown(),
        QStringList({QStringLiteral("dialog:DiagLEDStateRed"), QStringLiteral("dialog:DiagReset"),
            QStringLiteral("dialog:DiagLEDStateRed")}));
    QVERIFY2(samples.size() > 5, qPrintable(QString::number(samples.size())));
    QVERIFY2(!samples.contains(false), "the window was undimmed between the dialogs");
    QVERIFY(!f.shell->isGreyViewVisible());
    QCOMPARE(f.currentPage(), QStringLiteral("install"));
    QCOMPARE(f.guide().subPage(), 3);
}

void InstallGuideTest::restartReturnsToTheWelcomePage()
{
    GuideFixture f;
    InstallView::installSteps = 2;
    f.startGuide();
    f.modal.setScript(
        QStringLiteral("DiagLEDStateRed"), [](DialogController &d) { static_cast<DiagLEDStateRed &>(d).btReset(); });
    f.modal.setScript(
        QStringLiteral("DiagReset"), [](DialogController &d) { static_cast<DiagReset &>(d).onRestartClicked(); });
    f.guide().onTipClicked();
    QTRY_COMPARE(f.currentPage(), QStringLiteral("welcome"));
    QCOMPARE(f.modal.depth(), 0);
    QVERIFY(!f.shell->isGreyViewVisible());
    QCOMPARE(InstallView::installSteps, 0);

    // The guide starts over, including the first half of sub-page 1.
    f.startGuide();
    QCOMPARE(f.guide().subPage(), 0);
    f.guide().onNextClicked();
    QCOMPARE(QStringLiteral("%1/%2").arg(f.guide().subPage()).arg(f.guide().half()), QStringLiteral("1/0"));
}

namespace {

struct RecordingOpener : DiagLEDStateRedDelegate, DiagResetDelegate
{
    QStringList calls;
    void openResetWindow() override { calls << QStringLiteral("openResetWindow"); }
    void reOpenDiagLEDStateRED() override { calls << QStringLiteral("reOpenDiagLEDStateRED"); }
    void noteResettingClicked() override { calls << QStringLiteral("noteResettingClicked"); }
};

} // namespace

void InstallGuideTest::ledDialogNamesEveryCheck()
{
    GuideFixture f;
    DiagLEDStateRed led(*f.context);
    QCOMPARE(led.lbTexts(),
        QStringList({QStringLiteral("Is the HRX-540A plugged in?"), QStringLiteral("Is the disk seated?"),
            QStringLiteral("Is the cable in?"), QStringLiteral("Still red: reset the HRX-540A.")}));
}

void InstallGuideTest::resetNameQuotedInEnglishOnly()
{
    GuideFixture f;
    {
        f.log.clear();
        DiagReset reset(*f.context);
        QCOMPARE(reset.lbTitle(), QStringLiteral("Resetting the HRX-540A"));
        // Only the "Reset" followed by " t" is quoted.
        QCOMPARE(reset.lbText().text,
            QStringLiteral("Hold Reset for ten seconds.\nThen press \" Reset \" to start the HRX-540A over."));
        QCOMPARE(reset.lbText().phrase, QStringLiteral("Reset"));
        QCOMPARE(f.log, QStringList({QStringLiteral("string contains NEXT!")}));
    }
    f.shell->switchLanguage(QStringLiteral("DE"));
    {
        DiagReset reset(*f.context);
        QCOMPARE(reset.lbText().text, QStringLiteral("Reset zehn Sekunden halten.\nDann Reset tippen."));
    }
    f.writeLanguage(QStringLiteral("FR"), {{"APP_Reset", "Réinitialiser"}, {"Install_Diag_Text8", "Maintenez."}});
    f.shell->switchLanguage(QStringLiteral("FR"));
    {
        f.log.clear();
        DiagReset reset(*f.context);
        QVERIFY(reset.lbText().phrase.isEmpty());
        QCOMPARE(f.log, QStringList({QStringLiteral("string does not contain NEXT")}));
    }
}

void InstallGuideTest::resetNameWithPatternCharacters()
{
    GuideFixture f;
    f.writeLanguage(QStringLiteral("EN"),
        {{"APP_Reset", "Reset (R)"}, {"Install_Diag_Text8", "Press Reset (R) twice."}, {"Install_Diag_Text9", ""}});
    f.shell->switchLanguage(QStringLiteral("EN"));
    DiagReset reset(*f.context);
    QCOMPARE(reset.lbText().text, QStringLiteral("Press \" Reset (R) \" twice.\n"));
    QCOMPARE(reset.lbText().phrase, QStringLiteral("Reset (R)"));
}

void InstallGuideTest::closeUndimsAndTellsTheOpener()
{
    GuideFixture f;
    RecordingOpener opener;
    // "dimmed" or "clear" once loaded and after the press, and how often the
    // modal loop was stopped.
    auto overlayAfter = [&](DialogController &dialog, const std::function<void()> &press) {
        auto state = [&] { return f.shell->isGreyViewVisible() ? QStringLiteral("dimmed") : QStringLiteral("clear"); };
        dialog.windowDidLoad();
        const QString loaded = state();
        QSignalSpy stopped(&dialog, &DialogController::modalStopped);
        press();
        return QStringLiteral("%1 %2 stop%3").arg(loaded, state()).arg(stopped.count());
    };
    const QString kept = QStringLiteral("dimmed dimmed stop1");
    const QString undimmed = QStringLiteral("dimmed clear stop1");

    DiagLEDStateRed led(*f.context);
    led.setDelegate(&opener);
    QCOMPARE(overlayAfter(led, [&] { led.btReset(); }), kept);
    DiagLEDStateRed led2(*f.context);
    QCOMPARE(overlayAfter(led2, [&] { led2.onCloseClicked(); }), undimmed);
    DiagReset reset(*f.context);
    reset.setDelegate(&opener);
    QCOMPARE(overlayAfter(reset, [&] { reset.onCloseClicked(); }), undimmed);
    DiagReset reset2(*f.context);
    reset2.setDelegate(&opener);
    QCOMPARE(overlayAfter(reset2, [&] { reset2.onRestartClicked(); }), undimmed);
    DiagMacAddress mac(*f.context, QString());
    QCOMPARE(overlayAfter(mac, [&] { mac.onCloseClicked(); }), undimmed);
    QCOMPARE(opener.calls,
        QStringList({QStringLiteral("openResetWindow"), QStringLiteral("reOpenDiagLEDStateRED"),
            QStringLiteral("noteResettingClicked")}));

    // Without an opener the buttons only close.
    DiagReset alone(*f.context);
    QCOMPARE(overlayAfter(alone, [&] { alone.onRestartClicked(); }), undimmed);
}

void InstallGuideTest::macAddressRows_data()
{
    QTest::addColumn<QString>("selectedDevicesMAC");
    QTest::addColumn<QString>("lbMAC");
    QTest::newRow("lower case") << QStringLiteral("00:1a:2b:3c:4d:5e") << QStringLiteral("  MAC:001A2B3C4D5E");
    QTest::newRow("upper case") << QStringLiteral("AA:BB:CC:DD:EE:FF") << QStringLiteral("  MAC:AABBCCDDEEFF");
    QTest::newRow("none") << QString() << QStringLiteral("  MAC:xxxxxxxxxxxx");
    QTest::newRow("blank") << QStringLiteral(" ") << QStringLiteral("  MAC:xxxxxxxxxxxx");
    QTest::newRow("too short") << QStringLiteral("00:1a:2b") << QStringLiteral("  MAC:xxxxxxxxxxxx");
    QTest::newRow("extra part") << QStringLiteral("00:1a:2b:3c:4d:5e:77") << QStringLiteral("  MAC:001A2B3C4D5E");
}

void InstallGuideTest::macAddressRows()
{
    QFETCH(QString, selectedDevicesMAC);
    QFETCH(QString, lbMAC);
    GuideFixture f;
    f.log.clear();
    DiagMacAddress mac(*f.context, selectedDevicesMAC);
    QCOMPARE(mac.lbMAC(), lbMAC);
    QCOMPARE(mac.lbDeviceType(), QStringLiteral("HRX-540A"));
    QCOMPARE(mac.lbText1(), QStringLiteral("Compare with the label under the HRX-540A."));
    QCOMPARE(f.log, QStringList({QStringLiteral("<<<") + lbMAC.mid(6)}));
}

QTEST_GUILESS_MAIN(InstallGuideTest)
#include "tst_guide.moc"
