#pragma once

#include "SimProcess.h"
#include "app/AppDelegate.h"
#include "app/core/HMLocalization.h"
#include "platform/NotificationCenter.h"
#include "platform/UrlOpener.h"
#include "steps/Setup_SearchNvrView.h"
#include "widgets/MainWindow.h"
#include "widgets/RegisterWidgets.h"
#include "widgets/WidgetFactory.h"
#include "widgets/WidgetModalHost.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QtTest>

#include <memory>

// The window as window mode shows it, searching the lab's LAN, with the
// user's folders under home and URLs recorded instead of opened.
struct WholeWindow
{
    explicit WholeWindow(const QString &home)
        : folders {home, home + QStringLiteral("/Desktop"), home + QStringLiteral("/Documents"),
            home + QStringLiteral("/Library/Application Support")}
    {
        registerAllWidgets(factory);
        Setup_SearchNvrView::searchesLan = true;
        window = std::make_unique<MainWindow>(shell, context, factory);
        modal.setMainWindow(window.get());
        window->show();
    }

    UserFolders folders;
    WidgetFactory factory;
    NotificationCenter notifications;
    WidgetModalHost modal {factory};
    RecordingUrlOpener urls;
    WizardContext context {notifications, HMLocalization::sharedInstance(), modal, urls, folders};
    AppDelegate shell {context};
    std::unique_ptr<MainWindow> window;
};

// A new recorder that finds a camera whose password it knows and one without
// a password.
inline QJsonObject wholeRunRecorder()
{
    return SimProcess::withCameras(SimProcess::recorder(0),
        {SimProcess::camera(0, QStringLiteral("1"), QStringLiteral("Ix-pass1")),
            SimProcess::camera(1, QStringLiteral("0"), QString())});
}

// That recorder, and the portal with the account owner@example.com, "Cloud-pw1".
inline QJsonObject wholeRunScenario(const QJsonObject &recorder)
{
    return SimProcess::withPortalAccount(
        SimProcess::scenario({recorder}), QStringLiteral("owner@example.com"), QStringLiteral("Cloud-pw1"));
}

// The simulator playing that scenario at a tenth of the real waits.
inline bool startWholeRun(SimProcess &sim, const QJsonObject &recorder)
{
    sim.setTimeScale(0.1);
    QString error;
    if (!sim.start(wholeRunScenario(recorder), &error))
        qWarning("%s", qPrintable(error));
    return error.isEmpty();
}

// What a whole run sets up, on the recorder and in the user's folders: the
// second camera given secondCamera as its password, or left out when empty.
inline void checkWholeRunLeft(
    const SimProcess &sim, const QJsonObject &recorder, const UserFolders &folders, const QString &secondCamera)
{
    QVERIFY(QFileInfo::exists(folders.desktop + QStringLiteral("/HRX-540A(10000001).app")));
    QVERIFY(QFileInfo::exists(folders.desktop + QStringLiteral("/HRX-540A(10000001).desktop")));
    QVERIFY(
        QFileInfo::exists(folders.applicationSupport + QStringLiteral("/SetupWizard 540/nimboraInfo(10000001).plist")));
    const QJsonObject state = sim.stateOf(SimProcess::macOf(recorder));
    QCOMPARE(state.value("password").toString(), QStringLiteral("Str0ngpass1"));
    QCOMPARE(state.value("registration")["email"].toString(), QStringLiteral("owner@example.com"));
    const QJsonArray channels = state.value("channels").toArray();
    QCOMPARE(channels.at(0)["password"].toString(), QStringLiteral("Ix-pass1"));
    if (secondCamera.isEmpty())
        QVERIFY(!channels.at(1)["used"].toBool());
    else
        QCOMPARE(channels.at(1)["password"].toString(), secondCamera);
}
