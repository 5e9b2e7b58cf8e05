#include "app/PageContainer.h"
#include "app/SetupView.h"
#include "app/WelcomeView.h"
#include "guide/DiagLEDStateRed.h"
#include "guide/DiagMacAddress.h"
#include "guide/DiagReset.h"
#include "guide/InstallView.h"
#include "platform/Durations.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/DataRows.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// A whole shell; the guide starts at sub-page 0 and chained dialogs open after a few milliseconds.
struct GuideFixture : ShellFixture
{
    GuideFixture()
    {
        writeLanguage(QStringLiteral("EN"),
            {{"APP_Reset", "Reset (R)"}, {"Install_Diag_Text3", "Is the %@ plugged in?"},
                {"Install_Diag_Text4", "Is the disk seated?"}, {"Install_Diag_Text5", "Is the cable in?"},
                {"Install_Diag_Text6", "Still red: reset the %@."}, {"Install_Diag_Text8", "Press Reset (R) twice."},
                {"Install_Diag_Text9", ""}});
        setDurations(Durations().scaled(0.05));
        shell->awakeFromNib();
    }
    ~GuideFixture() { setDurations(Durations()); }

    InstallView &guide() { return shell->contentInstallViewController(); }
    void startGuide() { shell->contentWelcomViewController().onStartClicked(); }
    // Starts the guide and presses Next that often.
    void walk(int presses)
    {
        startGuide();
        for (int press = 0; press < presses; ++press)
            guide().onNextClicked();
    }
    QString at()
    {
        return QStringLiteral("%1/%2 %3%4")
            .arg(guide().subPage())
            .arg(guide().half())
            .arg(shell->lbSteps(), guide().isTipVisible() ? QStringLiteral(" tip") : QString());
    }
};

struct RecordingOpener : DiagLEDStateRedDelegate, DiagResetDelegate
{
    QStringList calls;
    void openResetWindow() override { calls << QStringLiteral("openResetWindow"); }
    void reOpenDiagLEDStateRED() override { calls << QStringLiteral("reOpenDiagLEDStateRED"); }
    void noteResettingClicked() override { calls << QStringLiteral("noteResettingClicked"); }
};

} // namespace

class InstallGuideTest : public QObject
{
    Q_OBJECT

private slots:
    // Next walks the sub-pages, then opens setup; Back from the search returns
    // to the last sub-page, and Back walks on to the welcome page.
    void walkingThroughTheGuide()
    {
        GuideFixture f;
        QStringList steps;
        f.notifications.addObserver(Notifications::changeReminder,
            [&](const QObject *, const QVariantMap &info) { steps << info.value(Notifications::stepsKey).toString(); });
        f.startGuide();
        QStringList walked {f.at()};
        for (int press = 0; press < 4; ++press) {
            f.guide().onNextClicked();
            walked << f.at();
        }
        QCOMPARE(walked, (QStringList {"0/0 0/10", "1/0 1/10", "1/1 1/10", "2/0 2/10", "3/0 3/10 tip"}));
        QCOMPARE(f.currentPage(), QStringLiteral("install"));
        f.guide().onNextClicked();
        QCOMPARE(f.currentPage(), QStringLiteral("setup"));
        QCOMPARE(
            steps.mid(0, 6), (QStringList {"install0", "install1", "install1", "install2", "install3", "install3"}));

        f.shell->contentSetupViewController().setupSearchNvrBack();
        QStringList back {f.at()};
        while (f.currentPage() == QLatin1String("install") && back.size() < 7) {
            f.guide().onBackClicked();
            back << f.at().left(3);
        }
        QCOMPARE(back, (QStringList {"3/0 3/10 tip", "2/0", "1/1", "1/0", "0/0", "0/0"}));
        QCOMPARE(f.currentPage(), QStringLiteral("welcome"));
    }

    void reentryDependsOnTheCounter_data()
    {
        rows<int, QString>({"presses", "at"},
            {{"mid sub-page 1 restarts", 2, "0/0 0/10"}, {"sub-page 2 moves to the last", 3, "3/0 3/10 tip"},
                {"sub-page 0 stays", 0, "0/0 0/10"}});
    }
    void reentryDependsOnTheCounter()
    {
        QFETCH(int, presses);
        QFETCH(QString, at);
        GuideFixture f;
        f.walk(presses);
        f.shell->showWelcomeView();
        f.startGuide();
        QCOMPARE(f.at(), at);
    }

    void resetChainKeepsTheWindowDimmed()
    {
        GuideFixture f;
        f.walk(4);
        int ledOpenings = 0;
        f.modal.setScript<DiagLEDStateRed>(
            [&](DiagLEDStateRed &led) { ++ledOpenings == 1 ? led.btReset() : led.onCloseClicked(); });
        f.modal.setScript<DiagReset>([](DiagReset &d) { d.onCloseClicked(); });
        // Every change of the overlay, until the third dialog opens.
        QList<bool> overlay;
        connect(f.shell.get(), &AppDelegate::changed, this, [&] {
            if (f.modal.shown().size() < 3)
                overlay << f.shell->isGreyViewVisible();
        });
        f.guide().onTipClicked();
        QTRY_COMPARE(f.modal.shown().size(), 3);
        QCOMPARE(
            f.modal.shown(), (QStringList {"dialog:DiagLEDStateRed", "dialog:DiagReset", "dialog:DiagLEDStateRed"}));
        QVERIFY(overlay.contains(true));
        QVERIFY2(!overlay.contains(false), "the window was undimmed between the dialogs");
        QVERIFY(!f.shell->isGreyViewVisible());
        QCOMPARE(f.at(), QStringLiteral("3/0 3/10 tip"));
    }

    void restartReturnsToTheWelcomePage()
    {
        GuideFixture f;
        f.walk(4);
        f.modal.setScript<DiagLEDStateRed>([](DiagLEDStateRed &d) { d.btReset(); });
        f.modal.setScript<DiagReset>([](DiagReset &d) { d.onRestartClicked(); });
        f.guide().onTipClicked();
        QTRY_COMPARE(f.currentPage(), QStringLiteral("welcome"));
        QCOMPARE(f.modal.depth(), 0);
        QVERIFY(!f.shell->isGreyViewVisible());
        // The guide starts over, including the first half of sub-page 1.
        f.startGuide();
        f.guide().onNextClicked();
        QCOMPARE(f.at(), QStringLiteral("1/0 1/10"));
    }

    // The button's name is quoted in English, also when it holds pattern characters.
    void resetNameWithPatternCharacters()
    {
        GuideFixture f;
        DiagReset reset(*f.context);
        QCOMPARE(reset.lbText().text, QStringLiteral("Press \" Reset (R) \" twice.\n"));
        QCOMPARE(reset.lbText().phrase, QStringLiteral("Reset (R)"));
    }

    void closeUndimsAndTellsTheOpener()
    {
        GuideFixture f;
        RecordingOpener opener;
        // The overlay once loaded and after the press, and how often the modal loop was stopped.
        auto overlayAfter = [&](DialogController &dialog, const std::function<void()> &press) {
            auto state
                = [&] { return f.shell->isGreyViewVisible() ? QStringLiteral("dimmed") : QStringLiteral("clear"); };
            f.modal.showFloating(dialog);
            const QString loaded = state();
            QSignalSpy stopped(&dialog, &DialogController::modalStopped);
            press();
            return QStringLiteral("%1 %2 stop%3").arg(loaded, state()).arg(stopped.count());
        };
        const QString undimmed = QStringLiteral("dimmed clear stop1");
        DiagLEDStateRed led(*f.context), led2(*f.context);
        led.setDelegate(&opener);
        QCOMPARE(overlayAfter(led, [&] { led.btReset(); }), QStringLiteral("dimmed dimmed stop1"));
        QCOMPARE(overlayAfter(led2, [&] { led2.onCloseClicked(); }), undimmed);
        DiagReset reset(*f.context), reset2(*f.context), alone(*f.context);
        reset.setDelegate(&opener);
        reset2.setDelegate(&opener);
        QCOMPARE(overlayAfter(reset, [&] { reset.onCloseClicked(); }), QStringLiteral("dimmed dimmed stop1"));
        QCOMPARE(overlayAfter(reset2, [&] { reset2.onRestartClicked(); }), undimmed);
        QCOMPARE(overlayAfter(alone, [&] { alone.onRestartClicked(); }), undimmed);
        DiagMacAddress mac(*f.context, QString());
        QCOMPARE(overlayAfter(mac, [&] { mac.onCloseClicked(); }), undimmed);
        QCOMPARE(opener.calls, (QStringList {"openResetWindow", "reOpenDiagLEDStateRED", "noteResettingClicked"}));
    }

    void macAddressRows_data()
    {
        const char *unknown = "xxxxxxxxxxxx";
        rows<QString, QString>({"selected", "shown"},
            {{"lower case", "00:1a:2b:3c:4d:5e", "001A2B3C4D5E"}, {"none", QString(), unknown}, {"blank", " ", unknown},
                {"too short", "00:1a:2b", unknown}, {"extra part", "00:1a:2b:3c:4d:5e:77", "001A2B3C4D5E"}});
    }
    void macAddressRows()
    {
        QFETCH(QString, selected);
        QFETCH(QString, shown);
        GuideFixture f;
        QCOMPARE(DiagMacAddress(*f.context, selected).lbMAC(), QStringLiteral("  MAC:") + shown);
    }
};

QTEST_GUILESS_MAIN(InstallGuideTest)
#include "tst_guide.moc"
