#include "app/SetupSummary.h"

#include "platform/ModelName.h"

QStringList SetupSummary::infoList() const
{
    if (nvrPassword.isNull())
        return {};
    const auto orNone = [](const QString &field) { return field.isEmpty() ? kNone : field; };
    QStringList list {nvrPassword, orNone(cloudEmail), orNone(cloudPassword)};
    for (int channel = 1; channel <= ModelName::kCameraChannels; ++channel) {
        QString slot = kNone;
        for (const SetupReport::Camera &camera : facts.cameras) {
            if (camera.channel == channel)
                slot = camera.model.isNull() ? QLatin1String("") : camera.model;
        }
        list << slot;
    }
    return list;
}

QStringList SetupSummary::cameraModels() const
{
    QStringList models;
    for (const SetupReport::Camera &camera : facts.cameras)
        models << camera.model;
    return models;
}
