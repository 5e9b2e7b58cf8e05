#pragma once

#include <QString>

// The error value of an HTTP request: a domain, a code and a description that
// the owner logs and may show.
struct HttpError
{
    QString domain;
    int code = 0;
    QString description;
};

inline const QString kHttpGetErrorDomain = QStringLiteral("HttpGetErrorDomain");
// A recorder answer that carries no result; the code is its HTTP status (401, 500 ...).
inline const QString kHttpStatusErrorDomain = QStringLiteral("HttpStatusErrorDomain");
constexpr int kHttpOk = 200;
constexpr int kHttpUnauthorized = 401;

// Codes of kHttpGetErrorDomain; codes of other domains are the network stack's own.
enum HttpGetError {
    HttpGetBadUrl = 1, // the URL string cannot be used
    HttpGetTimedOut = 2, // no progress within the request's time-out
    HttpGetBodyTooLarge = 3, // the body exceeded the transport's limit
};
