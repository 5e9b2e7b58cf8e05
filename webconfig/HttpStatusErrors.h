#pragma once

class QNetworkReply;

// Whether the reply's error only restates its HTTP status (401, 404, 500 ...):
// such answers are bodies like any other, judged by whoever reads them.
bool isHttpStatusError(const QNetworkReply &reply);

struct HttpError;

// Whether the request found no server answering: refused, unreachable or
// silent, as opposed to a server that answered badly.
bool reachedNoServer(const HttpError &error);
