// The search list's texts and the two help dialogs it opens: the MAC address
// of the selected row, and how to check the recorder's own internet.
#include "StepsFixture.h"
#include "guide/DiagMacAddress.h"
#include "steps/DiagCheckNVRInternet.h"
#include "steps/Setup_SelectNvrView.h"
#include "util/UtilMethod.h"

#include <QtTest>

namespace {

TVexorReply record(const QString &mac, const QString &ip)
{
    TVexorReply reply {};
    UtilMethod::stringToMac(mac, reply.macAddress);
    UtilMethod::stringToIp(ip, reply.ipAddress);
    return reply;
}

struct Opener : DiagCheckNVRInternetDelegate
{
    QStringList calls;
    void toRetry() override { calls << QStringLiteral("toRetry"); }
    void toSkip() override { calls << QStringLiteral("toSkip"); }
};

} // namespace

class SearchHelpTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<StepsFixture> f;
    QStringList dimming;

    // The values of "greyViewCovered" posted while the dialogs open and close.
    void watchDimming()
    {
        dimming.clear();
        f->notifications.addObserver(Notifications::greyViewCovered, [this](const QObject *, const QVariantMap &info) {
            dimming << info.value(Notifications::greyViewCovered).toString();
        });
    }

private slots:
    void init()
    {
        f = std::make_unique<StepsFixture>(StepsFixture::Entries {{"APP_Next2", "Next"},
            {"SetupSearch_Text1", "Pick your recorder, then click Next. Next is below."},
            {"SetupSearch_Text3", "Can't find your recorder"},
            {"Install_Diag_Text12", "Connect the %@ to a router with internet access."}, {"Button Ok", "OK"},
            {"APP_Cancel", "Cancel"}, {"NO", "No."}, {"APP_IP Address", "IP address"},
            {"APP_MAC Address", "MAC address"}});
        watchDimming();
    }

    void nextIsQuotedInTheInstruction()
    {
        Setup_SelectNvrView list(*f->context);
        const EmphasisedText text1 = list.lbText1();
        QCOMPARE(text1.text, QStringLiteral("Pick your recorder, then click \"Next\". \"Next\" is below."));
        QCOMPARE(text1.phrase, QStringLiteral("\"Next\""));
        QCOMPARE(list.columnTitle(1), QStringLiteral("No."));
        QCOMPARE(list.columnTitle(3), QStringLiteral("MAC address"));

        f->writeLanguage(QStringLiteral("EN"), {{"APP_Next2", "Next"}, {"SetupSearch_Text1", "Pick one."}});
        f->l10n->setLanguage(QStringLiteral("EN"));
        QCOMPARE(list.lbText1().text, QStringLiteral("Pick one."));
        QVERIFY(list.lbText1().phrase.isEmpty());
    }

    void macDialogShowsTheSelectedRow_data()
    {
        QTest::addColumn<int>("select");
        QTest::addColumn<QString>("shown");
        QTest::newRow("second row") << 1 << QStringLiteral("  MAC:001C27ABCDEF");
        QTest::newRow("no rows") << -1 << QStringLiteral("  MAC:xxxxxxxxxxxx");
    }
    void macDialogShowsTheSelectedRow()
    {
        QFETCH(int, select);
        QFETCH(QString, shown);
        Setup_SelectNvrView list(*f->context);
        if (select >= 0) {
            list.setSearchDeviceList({record(QStringLiteral("00:1c:27:00:00:01"), QStringLiteral("192.0.2.10")),
                record(QStringLiteral("00:1c:27:ab:cd:ef"), QStringLiteral("192.0.2.11"))});
            list.selectRow(select);
        }
        QString lbMAC;
        f->modal.setScript(QStringLiteral("DiagMacAddress"), [&lbMAC](DialogController &dialog) {
            auto &mac = static_cast<DiagMacAddress &>(dialog);
            lbMAC = mac.lbMAC();
            mac.onCloseClicked();
        });
        list.onMacAddresssClicked();
        QCOMPARE(lbMAC, shown);
        QCOMPARE(f->modal.shown(), QStringList {QStringLiteral("dialog:DiagMacAddress")});
        QCOMPARE(dimming, (QStringList {QStringLiteral("YES"), QStringLiteral("NO")}));
    }

    void internetDialogTexts()
    {
        DiagCheckNVRInternet dialog(*f->context, nullptr);
        QCOMPARE(dialog.lbTitle(), QStringLiteral("Can't find your recorder ?"));
        QCOMPARE(dialog.lbText(), QStringLiteral("Connect the HRX-540A to a router with internet access."));
        QCOMPARE(dialog.btOKTitle(), QStringLiteral("OK"));
        QCOMPARE(dialog.btCancelTitle(), QStringLiteral("Cancel"));
    }

    // Every way out undims the window once and ends the modal loop.
    void internetDialogButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("OK") << QStringLiteral("ok") << QStringList {QStringLiteral("toRetry")};
        QTest::newRow("Cancel") << QStringLiteral("cancel") << QStringList {QStringLiteral("toSkip")};
        QTest::newRow("window") << QStringLiteral("window") << QStringList {};
    }
    void internetDialogButtons()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, calls);
        Opener opener;
        f->modal.setScript(QStringLiteral("DiagCheckNVRInternet"), [&button](DialogController &dialog) {
            auto &diag = static_cast<DiagCheckNVRInternet &>(dialog);
            if (button == QLatin1String("ok"))
                diag.btOK();
            else if (button == QLatin1String("cancel"))
                diag.btCancel();
            else
                diag.windowWillClose();
        });
        DiagCheckNVRInternet dialog(*f->context, &opener);
        f->modal.runModal(dialog);
        QVERIFY(dialog.isModalStopped());
        QCOMPARE(opener.calls, calls);
        QCOMPARE(dimming, (QStringList {QStringLiteral("YES"), QStringLiteral("NO")}));
    }

    // The search list opens it without a retry or skip of its own.
    void listOpensTheInternetDialog()
    {
        Setup_SelectNvrView list(*f->context);
        f->modal.setScript(QStringLiteral("DiagCheckNVRInternet"),
            [](DialogController &dialog) { static_cast<DiagCheckNVRInternet &>(dialog).btOK(); });
        list.onCheckNVRInternetClicked();
        QCOMPARE(f->modal.shown(), QStringList {QStringLiteral("dialog:DiagCheckNVRInternet")});
        QCOMPARE(f->modal.depth(), 0);
        QCOMPARE(dimming, (QStringList {QStringLiteral("YES"), QStringLiteral("NO")}));
    }
};

QTEST_GUILESS_MAIN(SearchHelpTest)
#include "tst_searchhelp.moc"
