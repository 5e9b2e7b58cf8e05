#pragma once

#include <QByteArray>

class HttpGet;
struct HttpError;

// Told of the end of each request that was not cancelled: exactly one of the
// two, never inside the call that started the request. Optional: the defaults do nothing.
class HttpGetDelegate
{
public:
    virtual ~HttpGetDelegate() = default;

    // The whole body, whatever the HTTP status. The buffer is the transport's
    // own and is reused by its next request: consume it inside the call.
    virtual void onHttpDidFinish(HttpGet *, const QByteArray & /*datas*/) { }
    virtual void onHttpDidError(const HttpError &) { }
};
