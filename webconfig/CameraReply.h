#pragma once

#include "webconfig/CameraHttp.h"

struct UdpError;

// How a camera took a password check or change.
enum class CameraReply {
    Accepted,
    Refused, // it answered, and refused the user name or password
    NoAnswer, // no answer at all: no reply in time, nothing over HTTP
    NetworkError, // the LAN exchange itself failed (its error code is not 5)
};

// A LAN verify-user or change-user end. A wait that ended without any reply
// (code 5, result -1) is no answer, not a refusal.
CameraReply lanReply(int retCode, const UdpError &error);
// A check over HTTP: status 200 accepts, any other answer refuses.
CameraReply httpReply(const CameraAnswer &answer);
