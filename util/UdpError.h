#pragma once

#include <QString>

// The error value of the LAN exchanges: a domain text, an integer code and a
// human-readable description. Failures are passed as values, never thrown.
//
// In every LAN exchange code 5 means the exchange ended normally (a reply
// arrived or the reply wait expired); any other code is a network error.
struct UdpError
{
    QString domain;
    int code = 0;
    QString description;

    bool operator==(const UdpError &other) const
    {
        return domain == other.domain && code == other.code && description == other.description;
    }
    bool operator!=(const UdpError &other) const { return !(*this == other); }

    // "domain code: description", for log lines and test messages.
    QString toString() const;

    // Errors of the socket itself, with the texts of the table below.
    static UdpError socketError(int code);
    // An error reported by the operating system (errno and its text).
    static UdpError posix(int errnoValue);
    // The "no text" POSIX-domain value that marks an exchange answered by a reply.
    static UdpError posixCode5();
};

inline const QString kAsyncUdpSocketErrorDomain = QStringLiteral("AsyncUdpSocketErrorDomain");
inline const QString kPosixErrorDomain = QStringLiteral("POSIXErrorDomain");
inline const QString kStreamPosixErrorDomain = QStringLiteral("kCFStreamErrorDomainPOSIX");
inline const QString kStreamNetDbErrorDomain = QStringLiteral("kCFStreamErrorDomainNetDB");

// Codes of kAsyncUdpSocketErrorDomain.
enum AsyncUdpSocketError {
    AsyncUdpSocketCFSocketError = -1, // "General CFSocket error": binding failed
    AsyncUdpSocketIPv4Unavailable = 2,
    AsyncUdpSocketIPv6Unavailable = 3,
    AsyncUdpSocketSendTimeoutError = 4, // "Send operation timed out"
    AsyncUdpSocketReceiveTimeoutError = 5, // "Receive operation timed out"
};

// The code that marks a LAN exchange that ended normally.
constexpr int kUdpExchangeEndedCode = 5;
