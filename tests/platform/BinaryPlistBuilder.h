#pragma once

#include <QByteArray>
#include <QList>
#include <QtEndian>

// Assembles "bplist00" files from hand-encoded objects, so tests can state
// exactly which offsets, counts and references a malformed file holds.
struct BinaryPlistBuilder
{
    QList<QByteArray> objects;
    quint64 top = 0;
    int offsetSize = 2;
    int refSize = 1;
    qint64 objectCount = -1; // -1: as many as there are objects

    static QByteArray be(quint64 v, int width)
    {
        return QByteArray::fromHex(QByteArray::number(v, 16).rightJustified(16, '0')).right(width);
    }

    // An array or dictionary marker with its element count, extended when large.
    static QByteArray container(uchar type, quint64 count)
    {
        return count < 15 ? QByteArray(1, char((type << 4) | count))
                          : QByteArray(1, char((type << 4) | 0xF)) + char(0x13) + be(count, 8);
    }

    QByteArray build() const
    {
        QByteArray out("bplist00");
        QList<quint64> offsets;
        for (const QByteArray &o : objects) {
            offsets.append(quint64(out.size()));
            out += o;
        }
        const quint64 table = quint64(out.size());
        for (quint64 off : offsets)
            out += be(off, offsetSize);
        out += QByteArray(6, '\0');
        out += char(offsetSize);
        out += char(refSize);
        out += be(objectCount < 0 ? quint64(objects.size()) : quint64(objectCount), 8);
        out += be(top, 8);
        out += be(table, 8);
        return out;
    }
};
