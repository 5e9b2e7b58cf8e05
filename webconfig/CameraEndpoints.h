#pragma once

#include "protocol/TVexorReply.h"
#include "webconfig/records/TCameraInfo.h"

#include <QString>

// Where a camera is reached: ZEBOR cameras (protocolType "0") over the LAN
// configuration protocol and "/image/jpeg.cgi", the 47X family over plain
// HTTP CGI requests and "/image.jpg". Always the camera's own address on the
// default port.
namespace CameraEndpoints {

bool isZebor(const TCameraInfo &camera);

// Whether the camera's address is a dotted-decimal IPv4 address, the only
// kind a camera request goes to: another text (a host name, a port, a "#")
// would send the camera's credentials elsewhere. The URLs of a camera
// without one are empty.
bool hasAddress(const TCameraInfo &camera);

QString imageUrl(const TCameraInfo &camera);
QString userListUrl(const TCameraInfo &camera);
QString setPasswordUrl(const TCameraInfo &camera, const QString &newPassword);

// The device record of LAN commands to the camera: its IPv4 address and MAC
// address, every other byte zero.
TVexorReply replyRecord(const TCameraInfo &camera);

} // namespace CameraEndpoints
