#include "platform/PlistFormats.h"

#include <QDateTime>
#include <QtEndian>

#include <cmath>
#include <cstring>
#include <limits>
#include <unordered_map>
#include <vector>

namespace {

using PropertyList::Parsed;

constexpr qint64 headerSize = 8;
constexpr qint64 trailerSize = 32;

// Reads the "bplist00" format: objects, an offset table and a trailer that
// names the top object. Every offset, count and reference is checked against
// the bytes actually present before it is used.
class BinaryReader
{
public:
    explicit BinaryReader(const QByteArray &bytes)
        : m_bytes(bytes)
    {
    }

    Parsed read()
    {
        if (!m_bytes.startsWith("bplist00"))
            return failure(QStringLiteral("unknown binary property list version"));
        const qint64 size = m_bytes.size();
        if (size < headerSize + trailerSize + 1)
            return failure(QStringLiteral("truncated"));
        const qint64 trailer = size - trailerSize;
        m_offsetSize = uchar(m_bytes[trailer + 6]);
        m_refSize = uchar(m_bytes[trailer + 7]);
        const quint64 count = be64(trailer + 8);
        const quint64 top = be64(trailer + 16);
        const quint64 tableOffset = be64(trailer + 24);
        if (m_offsetSize < 1 || m_offsetSize > 8 || m_refSize < 1 || m_refSize > 8)
            return failure(QStringLiteral("bad integer sizes in the trailer"));
        if (count == 0 || top >= count || tableOffset < quint64(headerSize) || tableOffset >= quint64(trailer))
            return failure(QStringLiteral("bad trailer"));
        if (count > quint64(trailer - qint64(tableOffset)) / m_offsetSize)
            return failure(QStringLiteral("offset table runs past the trailer"));
        m_count = qint64(count);
        m_table = qint64(tableOffset);
        m_objectsEnd = m_table;
        m_onPath.assign(size_t(m_count), false);
        qint64 expanded = 0;
        const QVariant root = object(top, 0, &expanded);
        if (!m_error.isEmpty())
            return failure(m_error);
        return {root, {}};
    }

private:
    Parsed failure(const QString &why) const { return {{}, QStringLiteral("binary property list: %1").arg(why)}; }

    QVariant fail(const QString &why)
    {
        if (m_error.isEmpty())
            m_error = why;
        return {};
    }

    quint64 be64(qint64 at) const { return qFromBigEndian<quint64>(m_bytes.constData() + at); }

    // An unsigned big-endian integer of 1 to 8 bytes; the caller checked the bounds.
    quint64 beUint(qint64 at, int width) const
    {
        quint64 v = 0;
        for (int i = 0; i < width; ++i)
            v = (v << 8) | uchar(m_bytes[at + i]);
        return v;
    }

    bool available(qint64 at, quint64 count, quint64 width) const
    {
        return at <= m_objectsEnd && count <= quint64(m_objectsEnd - at) / width;
    }

    // A shared object is decoded once; its expanded size still counts at
    // every reference, so a small file cannot stand for a huge tree.
    QVariant object(quint64 index, int depth, qint64 *expanded)
    {
        if (index >= quint64(m_count))
            return fail(QStringLiteral("reference to object %1 of %2").arg(index).arg(m_count));
        if (depth > PropertyList::maxDepth)
            return fail(QStringLiteral("nested too deeply"));
        if (const auto cached = m_decoded.find(index); cached != m_decoded.end()) {
            *expanded = cached->second.expanded;
            return cached->second.value;
        }
        if (m_onPath[index])
            return fail(QStringLiteral("object %1 contains itself").arg(index));
        const quint64 offset = beUint(m_table + qint64(index) * m_offsetSize, m_offsetSize);
        if (offset < quint64(headerSize) || offset >= quint64(m_objectsEnd))
            return fail(QStringLiteral("object %1 lies outside the objects").arg(index));
        m_onPath[index] = true;
        *expanded = 1;
        const QVariant v = decode(qint64(offset), depth, expanded);
        m_onPath[index] = false;
        if (m_error.isEmpty())
            m_decoded.emplace(index, Decoded {v, *expanded});
        return v;
    }

    // Adds a child's expanded size to its container's, within the bound.
    bool grow(qint64 *expanded, qint64 child)
    {
        *expanded += child;
        if (*expanded <= PropertyList::maxValues)
            return true;
        fail(QStringLiteral("too many values"));
        return false;
    }

    QVariant decode(qint64 at, int depth, qint64 *expanded)
    {
        const uchar marker = uchar(m_bytes[at]);
        const int info = marker & 0x0F;
        switch (marker >> 4) {
        case 0x0:
            if (marker == 0x08 || marker == 0x09)
                return marker == 0x09;
            return fail(QStringLiteral("unsupported object 0x%1").arg(marker, 2, 16, QLatin1Char('0')));
        case 0x1:
            return integer(at + 1, info);
        case 0x2:
            return real(at + 1, info);
        case 0x3:
            return marker == 0x33 ? date(at + 1) : fail(QStringLiteral("bad date"));
        case 0x4:
            return data(at, info);
        case 0x5:
        case 0x6:
            return string(at, info, marker >> 4 == 0x6);
        case 0xA:
            return array(at, info, depth, expanded);
        case 0xD:
            return dict(at, info, depth, expanded);
        default:
            return fail(QStringLiteral("unsupported object 0x%1").arg(marker, 2, 16, QLatin1Char('0')));
        }
    }

    QVariant integer(qint64 at, int info)
    {
        if (info > 4 || !available(at, 1, quint64(1) << info))
            return fail(QStringLiteral("bad integer"));
        const int width = 1 << info;
        if (width < 8)
            return qlonglong(beUint(at, width)); // narrow integers are unsigned
        if (width == 8)
            return qlonglong(beUint(at, 8));
        // 16 bytes, signed: only values that fit 64 bits are real property list integers.
        const quint64 high = beUint(at, 8);
        const quint64 low = beUint(at + 8, 8);
        if (high == 0)
            return low > quint64(std::numeric_limits<qlonglong>::max()) ? QVariant(qulonglong(low)) : qlonglong(low);
        if (high == ~quint64(0) && (low >> 63))
            return qlonglong(low);
        return fail(QStringLiteral("integer out of range"));
    }

    QVariant real(qint64 at, int info)
    {
        if (info == 2 && available(at, 1, 4)) {
            const quint32 bits = quint32(beUint(at, 4));
            float f;
            std::memcpy(&f, &bits, sizeof f);
            return double(f);
        }
        if (info == 3 && available(at, 1, 8))
            return doubleAt(at);
        return fail(QStringLiteral("bad real"));
    }

    double doubleAt(qint64 at) const
    {
        const quint64 bits = beUint(at, 8);
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }

    QVariant date(qint64 at)
    {
        if (!available(at, 1, 8))
            return fail(QStringLiteral("bad date"));
        const double secs = doubleAt(at);
        // Years 1 to 9999, as far as the XML form can write.
        if (!std::isfinite(secs) || secs < -63113904000.0 || secs > 252423993599.0)
            return fail(QStringLiteral("date out of range"));
        const qint64 ms = qint64(std::llround(secs * 1000.0));
        return QDateTime::fromMSecsSinceEpoch(PlistFormats::appleEpochSecs * 1000 + ms, Qt::UTC);
    }

    // The element count after a marker: in the low nibble, or an integer
    // object right after it when the nibble is 0xF. *start is where the
    // elements begin.
    bool length(qint64 at, int info, quint64 *count, qint64 *start)
    {
        if (info != 0xF) {
            *count = quint64(info);
            *start = at + 1;
            return true;
        }
        if (!available(at + 1, 1, 1))
            return false;
        const uchar marker = uchar(m_bytes[at + 1]);
        const int width = 1 << (marker & 0x0F);
        if (marker >> 4 != 0x1 || width > 8 || !available(at + 2, 1, quint64(width)))
            return false;
        *count = beUint(at + 2, width);
        *start = at + 2 + width;
        return true;
    }

    QVariant data(qint64 at, int info)
    {
        quint64 count;
        qint64 start;
        if (!length(at, info, &count, &start) || !available(start, count, 1))
            return fail(QStringLiteral("data runs past the objects"));
        return m_bytes.mid(start, qsizetype(count));
    }

    QVariant string(qint64 at, int info, bool utf16)
    {
        quint64 count;
        qint64 start;
        if (!length(at, info, &count, &start) || !available(start, count, utf16 ? 2 : 1))
            return fail(QStringLiteral("string runs past the objects"));
        if (!utf16)
            return QString::fromLatin1(m_bytes.constData() + start, qsizetype(count));
        QString s(qsizetype(count), Qt::Uninitialized);
        for (quint64 i = 0; i < count; ++i)
            s[qsizetype(i)] = QChar(char16_t(beUint(start + qint64(2 * i), 2)));
        return s;
    }

    bool refs(qint64 at, int info, quint64 perElement, quint64 *count, qint64 *start)
    {
        if (!length(at, info, count, start))
            return false;
        return *count <= std::numeric_limits<quint64>::max() / perElement
            && available(*start, *count * perElement, quint64(m_refSize));
    }

    QVariant array(qint64 at, int info, int depth, qint64 *expanded)
    {
        quint64 count;
        qint64 start;
        if (!refs(at, info, 1, &count, &start))
            return fail(QStringLiteral("array runs past the objects"));
        QVariantList list;
        for (quint64 i = 0; i < count && m_error.isEmpty(); ++i) {
            qint64 size = 0;
            list.append(object(beUint(start + qint64(i) * m_refSize, m_refSize), depth + 1, &size));
            grow(expanded, size);
        }
        return m_error.isEmpty() ? QVariant(list) : QVariant();
    }

    QVariant dict(qint64 at, int info, int depth, qint64 *expanded)
    {
        quint64 count;
        qint64 start;
        if (!refs(at, info, 2, &count, &start))
            return fail(QStringLiteral("dictionary runs past the objects"));
        QVariantMap map;
        const qint64 values = start + qint64(count) * m_refSize;
        for (quint64 i = 0; i < count && m_error.isEmpty(); ++i) {
            qint64 keySize = 0;
            qint64 valueSize = 0;
            const QVariant key = object(beUint(start + qint64(i) * m_refSize, m_refSize), depth + 1, &keySize);
            if (m_error.isEmpty() && key.typeId() != QMetaType::QString)
                return fail(QStringLiteral("dictionary key that is not a string"));
            const QVariant value = object(beUint(values + qint64(i) * m_refSize, m_refSize), depth + 1, &valueSize);
            if (grow(expanded, valueSize))
                map.insert(key.toString(), value);
        }
        return m_error.isEmpty() ? QVariant(map) : QVariant();
    }

    const QByteArray &m_bytes;
    int m_offsetSize = 0;
    int m_refSize = 0;
    qint64 m_count = 0;
    qint64 m_table = 0;
    qint64 m_objectsEnd = 0;
    struct Decoded
    {
        QVariant value;
        qint64 expanded;
    };
    std::unordered_map<quint64, Decoded> m_decoded;
    std::vector<bool> m_onPath;
    QString m_error;
};

} // namespace

PropertyList::Parsed PlistFormats::parseBinary(const QByteArray &bytes)
{
    return BinaryReader(bytes).read();
}
