#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

// One HTTP(S) exchange through QNetworkAccessManager, for tests that look at
// what a simulated server answers. Any certificate is accepted.
struct HttpAnswer
{
    bool finished = false; // false when nothing came back in time
    int status = 0; // 0 when no HTTP answer came
    QByteArray body;
    QByteArray contentType;
    QByteArray authenticate; // the WWW-Authenticate header
    qint64 elapsedMs = 0;
};

namespace HttpProbe {

// A GET, with "user:password" as Basic credentials when given.
HttpAnswer get(const QUrl &url, const std::optional<QString> &basic = std::nullopt, int timeoutMs = 5000);
// A form POST.
HttpAnswer post(const QUrl &url, const QByteArray &form, int timeoutMs = 5000);

} // namespace HttpProbe
