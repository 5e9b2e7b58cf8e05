#pragma once

#include "webconfig/records/TCameraInfo.h"
#include "webconfig/records/TDateInfo.h"
#include "webconfig/records/THddInfo.h"
#include "webconfig/records/TNimboraInfo.h"
#include "webconfig/records/TNimboraRegInfo.h"
#include "webconfig/records/TRecordingInfo.h"

#include <QString>

// Fill the records from the recorder's decoded answers. Unknown keys are
// ignored; keys the answer lacks leave their fields absent.
namespace RecordParsers {

// A "partitioninfo%d" value: capacity, used, free, recordable, status, file system.
TPartition partition(const QString &value);
// One disk answer; its last line is not read.
std::shared_ptr<THddInfo> hddInfo(const QString &text);
std::shared_ptr<TNimboraInfo> nimboraInfo(const QString &text);
// Empty when the recorder answered "400 Bad Request".
std::shared_ptr<TNimboraRegInfo> nimboraRegInfo(const QString &text);
// One ";"-separated discovery line; field 0 is not read.
std::shared_ptr<TCameraInfo> cameraLine(const QString &line);
// The recorder counts zones from 1; the record holds the 0-based index.
std::shared_ptr<TDateInfo> dateInfo(const QString &text);
// "record" of the first line only.
std::shared_ptr<TRecordingInfo> recordingInfo(const QString &text);

// The leading decimal integer of a text (0 when none), as the recorder's numbers are read.
int leadingInt(const QString &text);

} // namespace RecordParsers
