// libFuzzer target: the headless answers file, read and checked as the
// headless mode does before anything runs, with every page's own checks.
// What passes the checks must then be usable as it stands.
#include "FuzzSupport.h"
#include "app/headless/AnswersFile.h"
#include "app/headless/HeadlessDriver.h"
#include "app/headless/HeadlessSession.h"
#include "core/ScriptedModalHost.h"
#include "steps/SetupStepDelegate.h"

#include <QJsonObject>

namespace {

const HeadlessDrivers &drivers()
{
    static const HeadlessDrivers all = [] {
        HeadlessDrivers d;
        addAllHeadlessDrivers(d);
        return d;
    }();
    return all;
}

} // namespace

NVR_FUZZ_TARGET(bytes)
{
    QJsonObject answers;
    QString error;
    if (!parseAnswersFile(QStringLiteral("answers.json"), bytes, answers, error)) {
        FUZZ_REQUIRE(!error.isEmpty());
        return;
    }
    if (!validateAnswers(answers, drivers()).isEmpty())
        return;

    ScriptedModalHost modal;
    SetupStepDelegate setupPage;
    HeadlessSession session(answers, modal, setupPage, false);
    FUZZ_REQUIRE(session.timeoutMs() > 0);
    for (auto it = answers.begin(); it != answers.end(); ++it) {
        const HeadlessDriver *driver = drivers().section(it.key());
        if (!driver || !driver->validate)
            continue;
        // Each checked page's actions are words its driver knows, never an empty one.
        for (int i = 0; i < 8; ++i)
            FUZZ_REQUIRE(!session.nextAction(it.key()).isEmpty());
    }
}
