#pragma once

// What each step's lab test is built on: the simulator in the lab, the step's
// services, and a place among the classes of the one step lab program.
#include "LabEnv.h"
#include "SimProcess.h"
#include "StepsFixture.h"
#include "platform/Durations.h"
#include "steps/SetupStepDelegate.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>

#include <functional>
#include <map>

// The step lab classes by name; NVR_STEP_LAB names the one a run executes.
inline std::map<QString, std::function<QObject *()>> &stepLabs()
{
    static std::map<QString, std::function<QObject *()>> labs;
    return labs;
}

#define NVR_STEP_LAB(name, TestClass)                                                                                  \
    [[maybe_unused]] static const bool registered##TestClass = (                                                       \
        stepLabs()[QStringLiteral(name)] = [] { return static_cast<QObject *>(new TestClass); }, true);
