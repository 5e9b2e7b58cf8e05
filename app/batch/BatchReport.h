#pragma once

#include "app/batch/BatchOutcome.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QStringList>

// What a batch prints at its end: the JSON result for standard output, the
// same as a CSV table, and the closing lines for standard error.
namespace BatchReport {

// check: the runs were surveys, each with what it would change.
QJsonObject json(const QList<BatchOutcome> &outcomes, bool interrupted, bool check);
// One row per recorder under a header row; RFC 4180 quoting.
QByteArray csv(const QList<BatchOutcome> &outcomes);
// How many ended each way; when interrupted, which recorders were finished,
// stopped and not started.
QStringList closingLines(const QList<BatchOutcome> &outcomes, bool interrupted);

} // namespace BatchReport
