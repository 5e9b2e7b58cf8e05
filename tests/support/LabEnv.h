#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The network lab as scripts/netlab.sh describes it to the commands it runs.
struct LabEnv
{
    QString lanNamespace;
    QString pcIp; // the computer on the first link (192.0.2.0/24)
    QString pcIp2; // the computer on the second link (198.51.100.0/24)
    QStringList recorderIps; // addresses the LAN namespace owns for simulated recorders
    QStringList cameraIps; // addresses the LAN namespace owns for simulated cameras

    static LabEnv fromEnvironment()
    {
        const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const auto list = [&env](const char *name) {
            return env.value(QLatin1String(name)).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        };
        return {env.value(QStringLiteral("NVRLAB_LAN_NS")), env.value(QStringLiteral("NVRLAB_PC_IP")),
            env.value(QStringLiteral("NVRLAB_PC_IP2")), list("NVRLAB_RECORDER_IPS"), list("NVRLAB_CAMERA_IPS")};
    }
    // True inside the lab (NVRLAB_LAN_NS is set).
    bool inLab() const { return !lanNamespace.isEmpty(); }
};

// For the first lines of a lab test: skips it with a clear message outside the lab.
#define NVR_REQUIRE_LAB()                                                                                              \
    do {                                                                                                               \
        if (!LabEnv::fromEnvironment().inLab())                                                                        \
            QSKIP("needs the network lab: run it as scripts/netlab.sh -- ctest ...");                                  \
    } while (false)
