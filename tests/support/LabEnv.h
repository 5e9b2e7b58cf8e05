#pragma once

#include <QString>
#include <QStringList>

// The network lab as scripts/netlab.sh describes it to the commands it runs.
struct LabEnv
{
    QString pcNamespace;
    QString lanNamespace;
    QString pcIp; // the computer on the first link (192.0.2.0/24)
    QString pcIp2; // the computer on the second link (198.51.100.0/24)
    QStringList recorderIps; // addresses the LAN namespace owns for simulated recorders
    QStringList cameraIps; // addresses the LAN namespace owns for simulated cameras
    QString portalIp;
    QString probeIp;

    static LabEnv fromEnvironment();
    // True inside the lab (NVRLAB_LAN_NS is set).
    bool inLab() const { return !lanNamespace.isEmpty(); }
};

// For the first lines of a lab test: skips it with a clear message outside the lab.
#define NVR_REQUIRE_LAB()                                                                                              \
    do {                                                                                                               \
        if (!LabEnv::fromEnvironment().inLab())                                                                        \
            QSKIP("needs the network lab: run it as scripts/netlab.sh -- ctest ...");                                  \
    } while (false)
