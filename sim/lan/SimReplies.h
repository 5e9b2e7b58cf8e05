#pragma once

#include "protocol/TVexorReply.h"
#include "sim/core/SimRecorder.h"

#include <QByteArray>
#include <QList>

#include <cstdint>

// What a simulated recorder puts on the wire.
namespace SimReplies {

// The recorder's device record with the given opcode and result code in its head.
TVexorReply vexorReply(const SimRecorder &recorder, uint16_t opcode, uint16_t status);

// A camera's answer to a configuration command: its own record, the result
// code in the head.
TVexorReply cameraReply(const SimCamera &camera, uint16_t opcode, uint16_t status);

// The datagrams that answer one discovery request, misbehaviours applied
// (none for a silent recorder).
QList<QByteArray> discovery(const SimRecorder &recorder);

// The n-th datagram of a flood: noise of varying size with an opcode no
// request has.
QByteArray flood(const SimRecorder &recorder, int n);

} // namespace SimReplies
