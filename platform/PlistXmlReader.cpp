#include "platform/PlistFormats.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <cmath>
#include <limits>

namespace {

using PropertyList::Parsed;

class XmlReader
{
public:
    explicit XmlReader(const QByteArray &bytes)
        : m_xml(bytes)
    {
    }

    Parsed read()
    {
        if (!nextStart())
            return failure(QStringLiteral("no property list element"));
        QVariant root;
        if (m_xml.name() == QLatin1String("plist")) {
            if (!nextStart())
                return failure(QStringLiteral("empty property list"));
            root = value(0);
            if (!m_error.isEmpty())
                return failure(m_error);
            if (!nextEnd(QStringLiteral("plist")))
                return failure(QStringLiteral("more than one value in the property list"));
        } else {
            root = value(0);
        }
        if (m_error.isEmpty() && nextStart())
            m_error = QStringLiteral("content after the property list");
        if (!m_error.isEmpty() || m_xml.hasError())
            return failure(m_error);
        return {root, {}};
    }

private:
    Parsed failure(const QString &what) const
    {
        const QString reason = m_xml.hasError() ? m_xml.errorString() : what;
        return {{}, QStringLiteral("XML property list, line %1: %2").arg(m_xml.lineNumber()).arg(reason)};
    }

    // Moves to the next start element; false at an end element or the end.
    bool nextStart()
    {
        while (!m_xml.atEnd()) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::StartElement:
                return true;
            case QXmlStreamReader::EndElement:
            case QXmlStreamReader::Invalid:
                return false;
            case QXmlStreamReader::Characters:
                if (!m_xml.isWhitespace()) {
                    m_error = QStringLiteral("text outside a value");
                    return false;
                }
                break;
            default:
                break;
            }
        }
        return false;
    }

    bool nextEnd(const QString &name)
    {
        return !nextStart() && !m_xml.hasError() && m_xml.isEndElement() && m_xml.name() == name;
    }

    QString text() { return m_xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement); }

    QVariant fail(const QString &why)
    {
        if (m_error.isEmpty())
            m_error = why;
        return {};
    }

    QVariant value(int depth)
    {
        if (depth > PropertyList::maxDepth)
            return fail(QStringLiteral("nested too deeply"));
        if (++m_values > PropertyList::maxValues)
            return fail(QStringLiteral("too many values"));
        const auto name = m_xml.name();
        if (name == QLatin1String("dict"))
            return dict(depth);
        if (name == QLatin1String("array"))
            return array(depth);
        if (name == QLatin1String("string"))
            return text();
        if (name == QLatin1String("integer"))
            return integer(text().trimmed());
        if (name == QLatin1String("real"))
            return real(text().trimmed());
        if (name == QLatin1String("true") || name == QLatin1String("false")) {
            const bool truth = name == QLatin1String("true");
            if (!text().trimmed().isEmpty())
                return fail(QStringLiteral("text inside a boolean"));
            return truth;
        }
        if (name == QLatin1String("date"))
            return date(text().trimmed());
        if (name == QLatin1String("data"))
            return data(text());
        return fail(QStringLiteral("unknown element <%1>").arg(name));
    }

    QVariant dict(int depth)
    {
        QVariantMap map;
        while (m_error.isEmpty() && nextStart()) {
            if (m_xml.name() != QLatin1String("key"))
                return fail(QStringLiteral("a dictionary value without its key"));
            const QString key = text();
            if (m_xml.hasError() || !nextStart())
                return fail(QStringLiteral("a dictionary key without its value"));
            const QVariant v = value(depth + 1);
            map.insert(key, v);
        }
        if (!m_error.isEmpty() || m_xml.hasError())
            return {};
        return map;
    }

    QVariant array(int depth)
    {
        QVariantList list;
        while (m_error.isEmpty() && nextStart())
            list.append(value(depth + 1));
        if (!m_error.isEmpty() || m_xml.hasError())
            return {};
        return list;
    }

    QVariant integer(const QString &s)
    {
        QString digits = s;
        const bool negative = digits.startsWith(QLatin1Char('-'));
        if (negative || digits.startsWith(QLatin1Char('+')))
            digits.remove(0, 1);
        int base = 10;
        if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
            digits.remove(0, 2);
            base = 16;
        }
        bool ok = !digits.isEmpty() && !digits.startsWith(QLatin1Char('+')) && !digits.startsWith(QLatin1Char('-'));
        const qulonglong magnitude = ok ? digits.toULongLong(&ok, base) : 0;
        if (!ok)
            return fail(QStringLiteral("not an integer: %1").arg(s.left(40)));
        constexpr qulonglong minMagnitude = qulonglong(std::numeric_limits<qlonglong>::max()) + 1;
        if (negative) {
            if (magnitude > minMagnitude)
                return fail(QStringLiteral("integer out of range"));
            return magnitude == minMagnitude ? std::numeric_limits<qlonglong>::min() : -qlonglong(magnitude);
        }
        if (magnitude > qulonglong(std::numeric_limits<qlonglong>::max()))
            return magnitude;
        return qlonglong(magnitude);
    }

    QVariant real(const QString &s)
    {
        const QString lower = s.toLower();
        if (lower == QLatin1String("nan"))
            return std::numeric_limits<double>::quiet_NaN();
        if (lower == QLatin1String("inf") || lower == QLatin1String("+inf"))
            return std::numeric_limits<double>::infinity();
        if (lower == QLatin1String("-inf"))
            return -std::numeric_limits<double>::infinity();
        bool ok = false;
        const double d = s.toDouble(&ok);
        if (!ok)
            return fail(QStringLiteral("not a real number: %1").arg(s.left(40)));
        return d;
    }

    QVariant date(const QString &s)
    {
        // The forms XML property lists use: leading fields of a UTC time.
        static const QRegularExpression form(
            QStringLiteral("^(\\d{4})(?:-(\\d\\d)(?:-(\\d\\d)(?:T(\\d\\d)(?::(\\d\\d)(?::(\\d\\d))?)?)?)?)?Z$"));
        const QRegularExpressionMatch m = form.match(s);
        const auto field = [&m](int i, int fallback) { return m.capturedLength(i) ? m.captured(i).toInt() : fallback; };
        const QDate day(field(1, 1), field(2, 1), field(3, 1));
        const QTime time(field(4, 0), field(5, 0), field(6, 0));
        if (!m.hasMatch() || !day.isValid() || !time.isValid())
            return fail(QStringLiteral("not a date: %1").arg(s.left(40)));
        return QDateTime(day, time, Qt::UTC);
    }

    QVariant data(const QString &s)
    {
        QByteArray base64 = s.toLatin1();
        base64.removeIf([](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
        auto decoded = QByteArray::fromBase64Encoding(base64, QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            return fail(QStringLiteral("data that is not Base64"));
        return *decoded;
    }

    QXmlStreamReader m_xml;
    QString m_error;
    qint64 m_values = 0;
};

} // namespace

PropertyList::Parsed PlistFormats::parseXml(const QByteArray &bytes)
{
    return XmlReader(bytes).read();
}
