#pragma once

#include "webconfig/HttpError.h"

#include <QByteArray>

#include <optional>

// Whether a recorder's answer to command cmd carries the command's result.
// Only a 2xx answer does: an error page read as a record would turn a refused
// or failed command into an empty success. The refusals that commands read
// from the text itself keep their meaning whatever the status, and the
// portal's answers are read as they come (a refusal is a text to show).
std::optional<HttpError> answerFailure(int cmd, qint64 status, const QByteArray &body);
