#pragma once

#include "webconfig/records/RecordField.h"

// The recorder's answer to the start-recording command.
class TRecordingInfo
{
    NVR_RECORD_TEXT(record, setRecord)
};
