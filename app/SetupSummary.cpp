#include "app/SetupSummary.h"

#include "platform/ModelName.h"

QStringList SetupSummary::infoList() const
{
    if (nvrPassword.isNull())
        return {};
    const auto orNone = [](const QString &field) { return field.isEmpty() ? kNone : field; };
    QStringList list {nvrPassword, orNone(cloudEmail), orNone(cloudPassword)};
    QStringList channels(ModelName::kCameraChannels, kNone);
    for (const SetupReport::Camera &camera : facts.cameras) {
        if (camera.channel >= 1 && camera.channel <= channels.size())
            channels[camera.channel - 1] = camera.model.isNull() ? QLatin1String("") : camera.model;
    }
    list << channels;
    return list;
}

QStringList SetupSummary::cameraModels() const
{
    QStringList models;
    for (const SetupReport::Camera &camera : facts.cameras)
        models << camera.model;
    return models;
}
