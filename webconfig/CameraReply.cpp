#include "webconfig/CameraReply.h"

#include "util/UdpError.h"

namespace {

constexpr int kNoReply = -1;

} // namespace

CameraReply lanReply(int retCode, const UdpError &error)
{
    if (error.code != kUdpExchangeEndedCode)
        return CameraReply::NetworkError;
    if (retCode == kNoReply)
        return CameraReply::NoAnswer;
    return retCode == 0 ? CameraReply::Accepted : CameraReply::Refused;
}

CameraReply httpReply(const CameraAnswer &answer)
{
    if (!answer.answered)
        return CameraReply::NoAnswer;
    return answer.status == kHttpOk ? CameraReply::Accepted : CameraReply::Refused;
}
