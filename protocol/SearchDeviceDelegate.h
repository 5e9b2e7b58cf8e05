#pragma once

class SearchDevice;
struct UdpError;

// Told of the end of a search. Optional: the default does nothing.
class SearchDeviceDelegate
{
public:
    virtual ~SearchDeviceDelegate() = default;

    // Once per search: code 5 (domain "AsyncUdpSocketErrorDomain") when the wait
    // for replies ran out, the normal end; any other code when the request was
    // not sent, a network error. The delegate then calls endSearch() and
    // reads getReplyArray().
    virtual void onSearchEnd(SearchDevice *, const UdpError &) { }
};
