#include "sim/http/SimHttpRequest.h"

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool unescape(const QByteArray &text, bool plusIsSpace, QString *out)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%') {
            const int high = i + 2 < text.size() ? hexDigit(text[i + 1]) : -1;
            const int low = high < 0 ? -1 : hexDigit(text[i + 2]);
            if (low < 0)
                return false;
            bytes.append(char(high * 16 + low));
            i += 2;
        } else {
            bytes.append(plusIsSpace && c == '+' ? ' ' : c);
        }
    }
    const QString decoded = QString::fromUtf8(bytes);
    if (decoded.toUtf8() != bytes)
        return false;
    *out = decoded;
    return true;
}

bool isToken(const QByteArray &text)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        if (c <= ' ' || c >= 0x7F || QByteArray("()<>@,;:\\\"/[]?={}").contains(c))
            return false;
    }
    return true;
}

} // namespace

bool SimHttpRequest::keepAlive() const
{
    return header("connection").toLower() != "close";
}

std::optional<QPair<QString, QString>> SimHttpRequest::basicCredentials() const
{
    const QByteArray value = header("authorization");
    if (!value.startsWith("Basic "))
        return std::nullopt;
    const auto result = QByteArray::fromBase64Encoding(value.mid(6).trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    const QByteArray &decoded = result.decoded;
    const qsizetype colon = decoded.indexOf(':');
    if (!result || colon < 0)
        return std::nullopt;
    return QPair<QString, QString>(QString::fromUtf8(decoded.left(colon)), QString::fromUtf8(decoded.mid(colon + 1)));
}

bool parseFormFields(const QByteArray &text, bool plusIsSpace, SimFormFields *fields)
{
    fields->clear();
    for (const QByteArray &piece : text.split('&')) {
        if (piece.isEmpty())
            continue;
        const qsizetype equals = piece.indexOf('=');
        QString key;
        QString value;
        if (!unescape(equals < 0 ? piece : piece.left(equals), plusIsSpace, &key)
            || !unescape(equals < 0 ? QByteArray() : piece.mid(equals + 1), plusIsSpace, &value))
            return false;
        fields->append({key, value});
    }
    return true;
}

QString formValue(const SimFormFields &fields, const QString &key)
{
    for (const auto &field : fields) {
        if (field.first == key)
            return field.second;
    }
    return QString();
}

SimHttpParser::Result SimHttpParser::fail(int status, const char *text)
{
    m_errorStatus = status;
    m_errorText = text;
    return Result::Bad;
}

SimHttpParser::Result SimHttpParser::take(QByteArray &buffer, SimHttpRequest *request)
{
    const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return buffer.size() > kMaxHeaderBytes ? fail(431, "Request Header Fields Too Large") : Result::NeedMore;
    if (headEnd > kMaxHeaderBytes)
        return fail(431, "Request Header Fields Too Large");

    const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
    const QList<QByteArray> start = lines.first().trimmed().split(' ');
    if (start.size() != 3 || !isToken(start[0]) || !start[1].startsWith('/') || !start[2].startsWith("HTTP/1."))
        return fail(400, "Bad Request");
    for (const char c : start[1]) {
        if (c <= ' ' || c >= 0x7F)
            return fail(400, "Bad Request");
    }
    SimHttpRequest parsed;
    parsed.method = start[0];
    parsed.target = start[1];
    const qsizetype question = parsed.target.indexOf('?');
    parsed.hasQuery = question >= 0;
    parsed.path = parsed.hasQuery ? parsed.target.left(question) : parsed.target;
    parsed.query = parsed.hasQuery ? parsed.target.mid(question + 1) : QByteArray();
    if (start[2] == "HTTP/1.0")
        parsed.headers.insert("connection", "close");
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].endsWith('\r') ? lines[i].chopped(1) : lines[i];
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0 || !isToken(line.left(colon)))
            return fail(400, "Bad Request");
        parsed.headers.insert(line.left(colon).toLower(), line.mid(colon + 1).trimmed());
    }
    if (parsed.headers.contains("transfer-encoding"))
        return fail(501, "Not Implemented");
    qsizetype length = 0;
    if (parsed.headers.contains("content-length")) {
        bool ok = false;
        const QByteArray text = parsed.header("content-length");
        length = text.toLongLong(&ok);
        if (!ok || length < 0 || text.startsWith('+') || text.startsWith('-'))
            return fail(400, "Bad Request");
        if (length > kMaxBodyBytes)
            return fail(413, "Payload Too Large");
    }
    const qsizetype bodyStart = headEnd + 4;
    if (buffer.size() < bodyStart + length)
        return Result::NeedMore;
    parsed.body = buffer.mid(bodyStart, length);
    buffer.remove(0, bodyStart + length);
    *request = std::move(parsed);
    return Result::Complete;
}
