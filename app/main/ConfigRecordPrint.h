#pragma once

#include <QString>

class HttpConfig;

// The result of a finished read-only recorder command as "field=value" lines,
// one block per disk or camera. Absent fields are left out; passwords are masked.
QString configRecordText(const HttpConfig &config, int cmd);
