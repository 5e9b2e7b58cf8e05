#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

using SimFormFields = QList<QPair<QString, QString>>;

// One HTTP/1.1 request as the simulator's servers see it.
struct SimHttpRequest
{
    QByteArray method;
    QByteArray target; // as sent: path and query, still escaped
    QByteArray path; // target up to "?"
    QByteArray query; // after the first "?", empty without one
    bool hasQuery = false;
    QHash<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;

    QByteArray header(const char *name) const { return headers.value(QByteArray(name)); }
    bool keepAlive() const;
    // User and password of a Basic Authorization header, none without a valid one.
    std::optional<QPair<QString, QString>> basicCredentials() const;
};

// Splits "a=1&b=2" into its fields, undoing percent escapes (and "+" as a
// space when plusIsSpace, as HTML forms send it). False on a broken escape or
// text that is not UTF-8 once unescaped.
bool parseFormFields(const QByteArray &text, bool plusIsSpace, SimFormFields *fields);
QString formValue(const SimFormFields &fields, const QString &key);

// Reads requests from a connection's bytes. Requests that are too large or
// malformed end in an error status; the connection is then closed.
class SimHttpParser
{
public:
    static constexpr int kMaxHeaderBytes = 16 * 1024;
    static constexpr int kMaxBodyBytes = 256 * 1024;

    enum class Result { NeedMore, Complete, Bad };

    // Consumes one request from the front of buffer when it is complete.
    Result take(QByteArray &buffer, SimHttpRequest *request);
    int errorStatus() const { return m_errorStatus; }
    const char *errorText() const { return m_errorText; }

private:
    Result fail(int status, const char *text);

    int m_errorStatus = 400;
    const char *m_errorText = "";
};
