#include "LabEnv.h"

#include <QProcessEnvironment>

LabEnv LabEnv::fromEnvironment()
{
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    LabEnv lab;
    lab.pcNamespace = env.value(QStringLiteral("NVRLAB_PC_NS"));
    lab.lanNamespace = env.value(QStringLiteral("NVRLAB_LAN_NS"));
    lab.pcIp = env.value(QStringLiteral("NVRLAB_PC_IP"));
    lab.pcIp2 = env.value(QStringLiteral("NVRLAB_PC_IP2"));
    lab.recorderIps = env.value(QStringLiteral("NVRLAB_RECORDER_IPS")).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    lab.cameraIps = env.value(QStringLiteral("NVRLAB_CAMERA_IPS")).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    lab.portalIp = env.value(QStringLiteral("NVRLAB_PORTAL_IP"));
    lab.probeIp = env.value(QStringLiteral("NVRLAB_PROBE_IP"));
    return lab;
}
