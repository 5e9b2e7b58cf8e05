#pragma once

#include <QString>

class HttpConfig;
struct HttpError;

// Told of the end of each command of an HttpConfig. Optional: the defaults do nothing.
class HttpConfigDelegate
{
public:
    virtual ~HttpConfigDelegate() = default;

    // The command is complete; its result is read through the getters.
    virtual void onHttpConfigDidFinish(HttpConfig *, int /*cmd*/) { }
    // The transport failed; the command is abandoned.
    virtual void onHttpDidError(const HttpError &) { }
    // One poll of a disk format answered: disk 1 or 2, progress "0".."100" or "-1".
    virtual void onHttpUpdateFormatStatus(HttpConfig *, int /*cmd*/, int /*hdd*/, const QString & /*format*/) { }
};
