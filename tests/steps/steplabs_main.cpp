// One program for every step's lab test: ctest gives each step its own entry
// and lab, and names the step in NVR_STEP_LAB.
#include "StepLab.h"

#include <memory>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const auto lab = stepLabs().find(qEnvironmentVariable("NVR_STEP_LAB"));
    if (lab == stepLabs().end()) {
        qCritical("NVR_STEP_LAB names no step lab");
        return 2;
    }
    const std::unique_ptr<QObject> test(lab->second());
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(test.get(), argc, argv);
}
