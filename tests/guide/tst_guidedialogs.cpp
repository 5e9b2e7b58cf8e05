#include "GuideFixture.h"

#include "guide/DiagLEDStateRed.h"
#include "guide/DiagMacAddress.h"
#include "guide/DiagReset.h"

#include <QSignalSpy>
#include <QTest>

// The troubleshooting dialogs on their own: texts, the overlay and the choice
// handed to the opener.
class GuideDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void ledDialogTextsCarryTheModel();
    void resetNameQuotedInEnglishOnly();
    void resetNameWithPatternCharacters();
    void closeUndimsAndTellsTheOpener();
    void macAddressRows_data();
    void macAddressRows();
};

namespace {

struct RecordingOpener : DiagLEDStateRedDelegate, DiagResetDelegate
{
    QStringList calls;
    void openResetWindow() override { calls << QStringLiteral("openResetWindow"); }
    void reOpenDiagLEDStateRED() override { calls << QStringLiteral("reOpenDiagLEDStateRED"); }
    void noteResettingClicked() override { calls << QStringLiteral("noteResettingClicked"); }
};

} // namespace

void GuideDialogsTest::ledDialogTextsCarryTheModel()
{
    GuideFixture f;
    DiagLEDStateRed led(*f.context);
    QCOMPARE(led.lbTitle(), QStringLiteral("Status light stays red?"));
    QCOMPARE(led.lbSubTitle(), QStringLiteral("Check the HRX-540A:"));
    QCOMPARE(led.lbTexts(),
        QStringList({QStringLiteral("Is the HRX-540A plugged in?"), QStringLiteral("Is the disk seated?"),
            QStringLiteral("Is the cable in?"), QStringLiteral("Still red: reset the HRX-540A.")}));
    QCOMPARE(led.btResetTitle(), QStringLiteral("Reset"));
}

void GuideDialogsTest::resetNameQuotedInEnglishOnly()
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

void GuideDialogsTest::resetNameWithPatternCharacters()
{
    GuideFixture f;
    f.writeLanguage(QStringLiteral("EN"),
        {{"APP_Reset", "Reset (R)"}, {"Install_Diag_Text8", "Press Reset (R) twice."}, {"Install_Diag_Text9", ""}});
    f.shell->switchLanguage(QStringLiteral("EN"));
    DiagReset reset(*f.context);
    QCOMPARE(reset.lbText().text, QStringLiteral("Press \" Reset (R) \" twice.\n"));
    QCOMPARE(reset.lbText().phrase, QStringLiteral("Reset (R)"));
}

void GuideDialogsTest::closeUndimsAndTellsTheOpener()
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

void GuideDialogsTest::macAddressRows_data()
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

void GuideDialogsTest::macAddressRows()
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

QTEST_GUILESS_MAIN(GuideDialogsTest)
#include "tst_guidedialogs.moc"
