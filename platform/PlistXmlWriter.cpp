#include "platform/PlistFormats.h"

#include <QDateTime>
#include <QXmlStreamWriter>

#include <cmath>

namespace {

// Characters an XML 1.0 document cannot hold, not even as references.
bool xmlCanHold(QStringView s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r')
            return false;
        if (c == 0xFFFE || c == 0xFFFF)
            return false;
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 == s.size() || !QChar::isLowSurrogate(s[i + 1].unicode()))
                return false;
            ++i;
        } else if (QChar::isLowSurrogate(c)) {
            return false;
        }
    }
    return true;
}

class XmlWriter
{
public:
    explicit XmlWriter(QByteArray *out)
        : m_xml(out)
    {
        m_xml.setAutoFormatting(true);
        m_xml.setAutoFormattingIndent(-1); // tabs, as property lists are usually laid out
    }

    QString write(const QVariant &root)
    {
        m_xml.writeStartDocument();
        m_xml.writeDTD(QStringLiteral("<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                                      "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">"));
        m_xml.writeStartElement(QStringLiteral("plist"));
        m_xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
        value(root, 0);
        m_xml.writeEndElement();
        m_xml.writeEndDocument();
        if (m_error.isEmpty() && m_xml.hasError())
            m_error = QStringLiteral("the XML could not be written");
        return m_error;
    }

private:
    void fail(const QString &why)
    {
        if (m_error.isEmpty())
            m_error = why;
    }

    void value(const QVariant &v, int depth)
    {
        if (!m_error.isEmpty())
            return;
        if (depth > PropertyList::maxDepth)
            return fail(QStringLiteral("property list nested too deeply"));
        switch (v.typeId()) {
        case QMetaType::QVariantMap:
            return dict(v.toMap(), depth);
        case QMetaType::QVariantList:
            return array(v.toList(), depth);
        case QMetaType::QString:
            return string(QStringLiteral("string"), v.toString());
        case QMetaType::Int:
        case QMetaType::LongLong:
            return text(QStringLiteral("integer"), QString::number(v.toLongLong()));
        case QMetaType::UInt:
        case QMetaType::ULongLong:
            return text(QStringLiteral("integer"), QString::number(v.toULongLong()));
        case QMetaType::Double:
            return text(QStringLiteral("real"), real(v.toDouble()));
        case QMetaType::Bool:
            return m_xml.writeEmptyElement(v.toBool() ? QStringLiteral("true") : QStringLiteral("false"));
        case QMetaType::QDateTime:
            return date(v.toDateTime());
        case QMetaType::QByteArray:
            return text(QStringLiteral("data"), QString::fromLatin1(v.toByteArray().toBase64()));
        default:
            return fail(QStringLiteral("a value of type %1 has no property list form").arg(v.typeName()));
        }
    }

    void dict(const QVariantMap &map, int depth)
    {
        m_xml.writeStartElement(QStringLiteral("dict"));
        for (auto it = map.cbegin(); it != map.cend() && m_error.isEmpty(); ++it) {
            string(QStringLiteral("key"), it.key());
            value(it.value(), depth + 1);
        }
        m_xml.writeEndElement();
    }

    void array(const QVariantList &list, int depth)
    {
        m_xml.writeStartElement(QStringLiteral("array"));
        for (const QVariant &v : list)
            value(v, depth + 1);
        m_xml.writeEndElement();
    }

    void text(const QString &element, const QString &content) { m_xml.writeTextElement(element, content); }

    // A carriage return goes as a reference: a parser turns a literal one into
    // a line feed. Empty texts keep their end tag; some readers refuse "<key/>".
    void string(const QString &element, const QString &s)
    {
        if (!xmlCanHold(s))
            return fail(QStringLiteral("a text with a control character cannot be written as XML"));
        m_xml.writeStartElement(element);
        const QStringList pieces = s.split(QLatin1Char('\r'));
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            if (i > 0)
                m_xml.writeEntityReference(QStringLiteral("#13"));
            m_xml.writeCharacters(pieces[i]);
        }
        m_xml.writeEndElement();
    }

    static QString real(double d)
    {
        if (std::isnan(d))
            return QStringLiteral("nan");
        if (std::isinf(d))
            return d > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
        return QString::number(d, 'g', QLocale::FloatingPointShortest);
    }

    // Whole seconds in UTC: the XML form has no finer field.
    void date(const QDateTime &when)
    {
        const QDateTime utc = when.toUTC();
        const int year = utc.date().year();
        if (!utc.isValid() || year < 1 || year > 9999)
            return fail(QStringLiteral("a date outside the years 1 to 9999"));
        const QString text = QStringLiteral("%1-%2Z")
                                 .arg(year, 4, 10, QLatin1Char('0'))
                                 .arg(utc.toString(QStringLiteral("MM-ddTHH:mm:ss")));
        m_xml.writeTextElement(QStringLiteral("date"), text);
    }

    QXmlStreamWriter m_xml;
    QString m_error;
};

} // namespace

QString PlistFormats::writeXml(const QVariant &root, QByteArray *xml)
{
    xml->clear();
    const QString error = XmlWriter(xml).write(root);
    if (!error.isEmpty())
        xml->clear();
    return error;
}
