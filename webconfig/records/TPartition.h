#pragma once

#include "webconfig/records/RecordField.h"

// One partition of a disk, from a "partitioninfo%d" value.
class TPartition
{
    NVR_RECORD_TEXT(capacity, setCapacity)
    NVR_RECORD_TEXT(usedSpace, setUsedSpace)
    NVR_RECORD_TEXT(fileSystem, setFileSystem)
    NVR_RECORD_TEXT(FreeSpace, setFreeSpace)
    NVR_RECORD_TEXT(Recordable, setRecordable)
    // 0 invalid record format, 1 recording, 2 idle, 3 disk full, 4 disk error,
    // 5 unknown file system, 6 not formatted, 7 no partition, 8 unknown device,
    // 9 overwrite, 10 formatting, 11 rejected.
    NVR_RECORD_TEXT(status, setStatus)
};
