#pragma once

#include "app/WelcomeView.h"
#include "guide/InstallView.h"
#include "platform/Durations.h"
#include "platform/Log.h"
#include "tests/shell/ShellFixture.h"

#include <QStringList>

// A whole shell with the guide's English texts; the guide's position starts
// at sub-page 0 and chained dialogs open after a few milliseconds.
struct GuideFixture : ShellFixture
{
    QStringList log;

    GuideFixture()
    {
        writeLanguage(QStringLiteral("EN"),
            {{"APP_Next2", "Next"}, {"APP_Back", "Back"}, {"APP_Reset", "Reset"}, {"Button Close", "Close"},
                {"Install_Title", "Connect"}, {"Install_Title2", "Before you start"}, {"Install_Title3", "Hard drive"},
                {"Install_Text0_540A", "You need a router and a hard drive for the %@."},
                {"Install_Text1.1", "Put the hard drive into the %@."}, {"Install_Text1", "Plug in the %@."},
                {"Install_Text2", "Cable the %@ to the router."},
                {"Install_Text3", "When the light of the %@ is green, press Next."},
                {"Install_Diag_Text1", "Status light stays red?"}, {"Install_Diag_Text2", "Check the %@:"},
                {"Install_Diag_Text3", "Is the %@ plugged in?"}, {"Install_Diag_Text4", "Is the disk seated?"},
                {"Install_Diag_Text5", "Is the cable in?"}, {"Install_Diag_Text6", "Still red: reset the %@."},
                {"Install_Diag_Text7", "Resetting the %@"}, {"Install_Diag_Text8", "Hold Reset for ten seconds."},
                {"Install_Diag_Text9", "Then press Reset to start the %@ over."},
                {"SetupSearch_Diag_Text1", "Compare with the label under the %@."}});
        // Same texts but the last sub-page does not name the Next button.
        writeLanguage(QStringLiteral("DE"),
            {{"APP_Next2", "Weiter"}, {"APP_Reset", "Reset"},
                {"Install_Text3", "Leuchtet das Licht des %@ grün, geht es los."},
                {"Install_Diag_Text8", "Reset zehn Sekunden halten."}, {"Install_Diag_Text9", "Dann Reset tippen."}});
        InstallView::installSteps = 0;
        InstallView::installSteps_580 = 0;
        setDurations(Durations().scaled(0.05));
        Log::setSink([this](const QString &line) { log << line; });
        shell->awakeFromNib();
    }

    ~GuideFixture()
    {
        Log::setSink({});
        setDurations(Durations());
    }

    InstallView &guide() { return shell->contentInstallViewController(); }

    void startGuide() { shell->contentWelcomViewController().onStartClicked(); }
};
