#pragma once

#include "sim/http/SimHttpServer.h"

#include <QString>

#include <optional>

struct SimMisbehaviour;

// What a hostile recorder's web interface answers instead of a command's
// own answer, for a path on which it misbehaves.
namespace SimHostileWeb {

// The answer that replaces the command's, which then does not run; none for
// a stalling recorder, which runs the command and cuts its answer short.
std::optional<SimHttpResponse> instead(const SimMisbehaviour &m);
// A short name for the log line.
QString kind(const SimMisbehaviour &m);

} // namespace SimHostileWeb
