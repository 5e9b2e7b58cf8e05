#pragma once

#include "webconfig/records/RecordField.h"

#include <QList>

#include <memory>

// One camera that the recorder discovered.
class TCameraInfo
{
    // "0" from discovery, "1" once picked in the camera list.
    NVR_RECORD_TEXT(isAdded, setIsAdded)
    NVR_RECORD_TEXT(ip, setIp)
    NVR_RECORD_TEXT(mac, setMac)
    NVR_RECORD_TEXT(brandName, setBrandName)
    NVR_RECORD_TEXT(modelName, setModelName)
    NVR_RECORD_TEXT(userName, setUserName)
    NVR_RECORD_TEXT(passWord, setPassWord)
    NVR_RECORD_TEXT(protocol, setProtocol)
    NVR_RECORD_TEXT(protocolType, setProtocolType)
};

using TCameraInfoList = QList<std::shared_ptr<TCameraInfo>>;

// isAdded of a camera not picked.
inline const QString kCameraNotPicked = QStringLiteral("0");

// Picked for a channel: any isAdded but kCameraNotPicked, none included.
inline bool isPicked(const TCameraInfo &camera)
{
    return camera.isAdded().value_or(kCameraNotPicked) != kCameraNotPicked;
}
