#pragma once

#include "webconfig/records/RecordField.h"

// The recorder's clock and time-zone settings.
class TDateInfo
{
    NVR_RECORD_TEXT(date, setDate)
    NVR_RECORD_TEXT(time, setTime)
    // 0-based here; the recorder counts from 1.
    NVR_RECORD_TEXT(timezone, setTimezone)
    NVR_RECORD_TEXT(dstauto, setDstauto)
    NVR_RECORD_TEXT(dstenable, setDstenable)
    NVR_RECORD_TEXT(offsetmin, setOffsetmin)
    NVR_RECORD_TEXT(offsetmins, setOffsetmins)
    NVR_RECORD_TEXT(startdst, setStartdst)
    NVR_RECORD_TEXT(enddst, setEnddst)
};
