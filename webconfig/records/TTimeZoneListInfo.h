#pragma once

#include "webconfig/records/RecordField.h"

// The recorder's time-zone list as one text, or its whole answer on "Access Error".
class TTimeZoneListInfo
{
    NVR_RECORD_TEXT(timezonelist, setTimezonelist)
};
