#include "LabEnv.h"
#include "PlistTools.h"
#include "ShortcutFixture.h"
#include "SimProcess.h"
#include "app/SummaryView.h"
#include "core/HMLocalization.h"
#include "core/ScriptedModalHost.h"
#include "platform/DeploymentSettings.h"
#include "platform/Durations.h"
#include "platform/FileTimes.h"
#include "platform/Log.h"
#include "platform/NotificationCenter.h"
#include "platform/UrlOpener.h"
#include "tests/support/DataRows.h"

#include <QJsonArray>
#include <QtTest>

namespace {

constexpr int kWaitMs = 10000;
const QString kPassword = QStringLiteral("Recorder9");
const QString kNumber = QStringLiteral("87654321");

QJsonObject recorderWith(const QJsonObject &cloud)
{
    // A formatted disk, so that the recorder can record.
    const QJsonArray disks {QJsonObject {{"device", "sda"}, {"partitions", QJsonArray {QJsonObject {{"status", 2}}}}},
        QJsonObject {{"device", ""}}};
    return SimProcess::merged(SimProcess::configured(0, kPassword), {{"cloud", cloud}, {"disks", disks}});
}

QVariantMap plistlibReads(const QString &file)
{
    QString json;
    plistcheck({QStringLiteral("json"), file}, &json);
    return QJsonDocument::fromJson(json.toUtf8()).toVariant().toMap();
}

// Records what it is given; once told, finds no program for it.
struct RefusingUrlOpener : RecordingUrlOpener
{
    bool refuses = false;
    void openUrl(const QUrl &url, Failed failed) override
    {
        RecordingUrlOpener::openUrl(url, {});
        if (refuses && failed)
            failed();
    }
};

} // namespace

class SummaryLabTest : public QObject
{
    Q_OBJECT

private:
    SimProcess sim;
    QJsonObject recorder;
    std::unique_ptr<ShortcutFixture> f;
    NotificationCenter notifications;
    ScriptedModalHost modal;
    RefusingUrlOpener urls;
    std::unique_ptr<WizardContext> context;
    QTemporaryDir originals;
    QStringList log;

    void startSim(const QJsonObject &cloud)
    {
        recorder = recorderWith(cloud);
        QVERIFY(sim.startScaled(SimProcess::scenario({recorder}), 0.05));
    }
    QString bookmarksOriginal(const QString &format) { return ShortcutFixture::original(originals, format); }
    NvrRef device() const
    {
        TVexorReply nvr = SimProcess::target(recorder);
        const uint8_t mask[4] {255, 255, 255, 0}, gateway[4] {192, 0, 2, 1}, dns[4] {192, 0, 2, 53};
        std::copy(mask, mask + 4, nvr.subnetMask);
        std::copy(gateway, gateway + 4, nvr.gateway);
        std::copy(dns, dns + 4, nvr.primaryDns);
        nvr.httpPort[0] = 8080 & 0xff;
        nvr.httpPort[1] = 8080 >> 8;
        nvr.dhcpEnabled = 1;
        return std::make_shared<const TVexorReply>(nvr);
    }
    std::unique_ptr<SummaryView> show(const QString &bundle = QString())
    {
        auto summary = std::make_unique<SummaryView>(*context, nullptr, bundle.isEmpty() ? f->bundle : bundle);
        summary->setSummary({kPassword, QStringLiteral("me@example.com"), QStringLiteral("Cloud-pw1"), {}});
        summary->viewDidAppear();
        summary->setDelegate(nullptr, device(), QStringLiteral("admin"), kPassword);
        const bool answered
            = QTest::qWaitFor([&] { return summary->recording() != SummaryView::Recording::NotAsked; }, kWaitMs);
        return answered ? std::move(summary) : nullptr;
    }
    QStringList desktop() const
    {
        return QDir(f->folders.desktop).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

private slots:
    void initTestCase() { setDurations(Durations().scaled(0.05)); }
    void init()
    {
        NVR_REQUIRE_LAB();
        f = std::make_unique<ShortcutFixture>();
        context.reset(new WizardContext {notifications, HMLocalization::sharedInstance(), modal, urls, f->folders});
        HMLocalization::sharedInstance().setLanguage(QStringLiteral("JP"));
        log.clear();
        Log::setSink([this](const QString &line) { log << line; });
    }
    void cleanup()
    {
        Log::setSink({});
        sim.stop();
    }

    void withCloudAccess()
    {
        startSim({{"status", "1"}, {"access", "1"}, {"portal_number", kNumber}});
        const QString original = bookmarksOriginal(QStringLiteral("xml"));
        QVERIFY(f->placeBookmarks(original));
        auto summary = show();
        QVERIFY(summary);
        const ShortcutTarget target = *summary->target();
        QVERIFY(target.nimboraAccess);
        QCOMPARE(desktop(), (QStringList {"HRX-540A(87654321).app", "HRX-540A(87654321).desktop"}));
        const ShortcutPaths paths = *summary->shortcutPaths();
        const QVariantMap list {{"deviceNumber", kNumber}, {"language", "JP"}, {"server", "portal.nimbora.example"}};
        QCOMPARE(plistlibReads(paths.propertyList), list);
        QVERIFY(plistcheck({QStringLiteral("added"), original, paths.bookmarks, f->entryJson(target)}));
        QVERIFY(summary->btCheck() && summary->btCheckEnabled());
        QVERIFY(summary->shortcutErrors().isEmpty());

        QCOMPARE(SafariBookmark::entry(target).value(QStringLiteral("URLString")).toString(),
            QStringLiteral("https://portal.nimbora.example/device#87654321?lang=JP"));
        QCOMPARE(summary->recording(), SummaryView::Recording::Started);
        QVERIFY(sim.stateOf(SimProcess::macOf(recorder)).value(QStringLiteral("recording")).toBool());
        for (const QString &line : std::as_const(log))
            QVERIFY2(!line.contains(kPassword) && !line.contains(QLatin1String("Cloud-pw1")), qPrintable(line));
        QStringList network;
        for (const SummaryView::Row &row : summary->networkRows())
            network << row.value;
        QCOMPARE(network,
            (QStringList {"DHCP", SimProcess::ipOf(recorder), "255.255.255.0", "192.0.2.1", "192.0.2.53", "0.0.0.0"}));
        const QString page = QStringLiteral("http://%1:8080").arg(SimProcess::ipOf(recorder));
        summary->onGotoNvrClicked();
        QCOMPARE(urls.opened().last(), QUrl(page));
        // Without a browser the address is named, to open by hand.
        urls.refuses = true;
        summary->onGotoNvrClicked();
        QCOMPARE(modal.shown().last(),
            QStringLiteral("alert:%1\n%2").arg(context->localization.localizedStringForKey("APP_OpenFailed"), page));
        urls.refuses = false;

        // Running the wizard again replaces the three instead of adding to them.
        const QDateTime firstBirth = FileTimes::creation(paths.desktopCopy);
        summary = show();
        QVERIFY(summary);
        QCOMPARE(desktop().size(), 2);
        QCOMPARE(QDir(QFileInfo(paths.propertyList).path()).entryList(QDir::Files).size(), 1);
        QVERIFY(plistcheck({QStringLiteral("added"), original, paths.bookmarks, f->entryJson(target)}));
        QVERIFY(FileTimes::creation(paths.desktopCopy) > firstBirth);

        // Clearing the box removes them, ticking it makes them anew.
        summary->onCheck(false);
        QVERIFY(!summary->btCheck());
        QVERIFY(desktop().isEmpty());
        QVERIFY(!QFileInfo::exists(paths.propertyList));
        QVERIFY(plistcheck({QStringLiteral("same"), original, paths.bookmarks}));
        summary->onCheck(true);
        QVERIFY(summary->btCheck());
        QCOMPARE(desktop().size(), 2);
        QCOMPARE(plistlibReads(paths.propertyList), list);
        QVERIFY(plistcheck({QStringLiteral("added"), original, paths.bookmarks, f->entryJson(target)}));
    }

    void withoutCloudAccess_data()
    {
        const QString portal = Deployment::defaultPortalHost();
        rows<QJsonObject, QString>({"cloud", "server"},
            {{"registered, no access", {{"status", "1"}, {"access", "0"}, {"localhyperlink", ""}}, portal},
                {"access, not registered, a blank link", {{"status", "0"}, {"access", "1"}, {"localhyperlink", " "}},
                    portal},
                {"its own link", {{"status", "0"}, {"localhyperlink", "https://192.0.2.10/"}}, "https://192.0.2.10/"}});
    }
    void withoutCloudAccess()
    {
        QFETCH(QJsonObject, cloud);
        QFETCH(QString, server);
        startSim(cloud);
        const QString original = bookmarksOriginal(QStringLiteral("binary"));
        QVERIFY(f->placeBookmarks(original));
        auto summary = show();
        QVERIFY(summary);
        QVERIFY(!summary->target()->nimboraAccess);
        QCOMPARE(desktop(), (QStringList {"HRX-540A.app", "HRX-540A.desktop"}));
        const ShortcutPaths paths = *summary->shortcutPaths();
        QVERIFY(paths.propertyList.endsWith(QLatin1String("/nimboraInfo(12345678).plist")));
        const QVariantMap list {{"deviceNumber", "12345678"}, {"language", "EN"}, {"server", server}};
        QCOMPARE(plistlibReads(paths.propertyList), list);
        QVERIFY(plistcheck({QStringLiteral("added"), original, paths.bookmarks, f->entryJson(*summary->target())}));
        QVERIFY(plistutilReads(paths.bookmarks) && plistutilReads(paths.propertyList));
    }

    // The copy cannot be made: the box is not ticked over nothing, the page
    // says what is missing, and the other two items are made all the same.
    void aMissingLauncherIsSaid()
    {
        startSim({{"status", "1"}, {"access", "1"}, {"portal_number", kNumber}});
        auto summary = show(f->dir.filePath(QStringLiteral("nowhere/HRX260A.app")));
        QVERIFY(summary);
        QVERIFY(!summary->btCheck());
        QCOMPARE(summary->shortcutErrors().size(), 1);
        QVERIFY(summary->lbShortcutError().startsWith(
            HMLocalization::sharedInstance().localizedStringForKey(QStringLiteral("Summary_ShortcutFailed"))));
        QVERIFY(summary->lbShortcutError().contains(QLatin1String("HRX-540A(87654321).app")));
        QVERIFY(desktop().isEmpty());
        QVERIFY(QFileInfo::exists(summary->shortcutPaths()->propertyList));
        QCOMPARE(summary->recording(), SummaryView::Recording::Started);
    }
};

QTEST_GUILESS_MAIN(SummaryLabTest)
#include "tst_summarylab.moc"
