#include "sim/web/SimHostileWeb.h"

#include "sim/core/SimRecorder.h"

namespace SimHostileWeb {

namespace {

// An endless body still ends some day, should a client read that long.
constexpr qint64 kEndlessBytes = qint64(8) << 30;

QByteArray noise()
{
    QByteArray bytes(700, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char((i * 131 + 7) ^ (i >> 3));
    return bytes;
}

SimHttpResponse streamed(qint64 bytes, bool chunked)
{
    SimHttpResponse response = SimHttpResponse::text(200, QByteArray());
    response.delivery.streamBytes = bytes;
    response.delivery.chunked = chunked;
    return response;
}

} // namespace

std::optional<SimHttpResponse> instead(const SimMisbehaviour &m)
{
    if (m.webReset) {
        SimHttpResponse response;
        response.delivery.reset = true;
        return response;
    }
    if (m.webGarbage) {
        SimHttpResponse response = SimHttpResponse::text(200, noise());
        response.delivery.raw = true;
        return response;
    }
    if (m.webEndless)
        return streamed(kEndlessBytes, true);
    if (m.webHugeMb > 0)
        return streamed(qint64(m.webHugeMb) << 20, false);
    if (m.webStatus) {
        SimHttpResponse response = SimHttpResponse::errorPage(m.webStatus);
        if (m.webStatus == 401)
            response.headers << qMakePair(QByteArray("WWW-Authenticate"), QByteArray("Basic realm=\"HRX-540A\""));
        return response;
    }
    return std::nullopt;
}

QString kind(const SimMisbehaviour &m)
{
    if (m.webReset)
        return QStringLiteral("reset");
    if (m.webGarbage)
        return QStringLiteral("garbage");
    if (m.webEndless)
        return QStringLiteral("endless");
    if (m.webHugeMb > 0)
        return QStringLiteral("huge");
    if (m.webStatus)
        return QStringLiteral("status");
    return QStringLiteral("stall");
}

} // namespace SimHostileWeb
