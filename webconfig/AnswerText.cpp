#include "webconfig/AnswerText.h"

namespace AnswerText {

QString fromAscii(const QByteArray &body)
{
    QString text;
    text.reserve(body.size());
    for (const char byte : body) {
        const auto code = static_cast<unsigned char>(byte);
        text.append(code < 0x80 ? QChar(code) : QChar(QChar::ReplacementCharacter));
    }
    return text;
}

QString fromUtf8(const QByteArray &body)
{
    return QString::fromUtf8(body);
}

QStringList lines(const QString &text)
{
    QStringList pieces = text.split(QStringLiteral("\r\n"));
    pieces.removeLast();
    return pieces;
}

std::optional<KeyValue> keyValue(const QString &line)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    const qsizetype next = line.indexOf(QLatin1Char('='), equals + 1);
    const qsizetype valueLength = next < 0 ? -1 : next - equals - 1;
    return KeyValue {line.left(equals), line.mid(equals + 1, valueLength)};
}

std::optional<KeyValue> firstKeyValue(const QString &text)
{
    const QStringList all = lines(text);
    return all.isEmpty() ? std::nullopt : keyValue(all.first());
}

} // namespace AnswerText
