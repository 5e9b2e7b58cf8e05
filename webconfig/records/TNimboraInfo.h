#pragma once

#include "webconfig/records/RecordField.h"

// The recorder's cloud-portal settings.
class TNimboraInfo
{
    NVR_RECORD_TEXT(status, setStatus)
    NVR_RECORD_TEXT(access, setAccess)
    // Host of the portal, no scheme and no port: the host of every cloud form call.
    NVR_RECORD_TEXT(portal_url, setPortal_url)
    NVR_RECORD_TEXT(portal_number, setPortal_number)
    NVR_RECORD_TEXT(dfp, setDfp)
    NVR_RECORD_TEXT(model, setModel)
    NVR_RECORD_TEXT(localhyperlink, setLocalhyperlink)
};
