#pragma once

#include "webconfig/records/RecordField.h"

// The cloud account registered in the recorder.
class TNimboraRegInfo
{
    NVR_RECORD_TEXT(status, setStatus)
    NVR_RECORD_TEXT(email, setEmail)
    NVR_RECORD_TEXT(password, setPassword)
};
