#include "app/PdfTextLayer.h"

#include <QList>
#include <QRegularExpression>
#include <QString>

namespace {

// A radical that is the same character as an ideograph (NFKC), as that ideograph.
uint ideographOf(uint code)
{
    const bool radical = (code >= 0x2E80 && code <= 0x2EFF) || (code >= 0x2F00 && code <= 0x2FDF);
    if (!radical)
        return code;
    const QString unified = QString(QChar(char16_t(code))).normalized(QString::NormalizationForm_KC);
    return unified.size() == 1 ? unified.at(0).unicode() : code;
}

QString hex4(uint code)
{
    return QStringLiteral("<%1>").arg(code, 4, 16, QLatin1Char('0')).toUpper();
}

// One "<first> <last> <code>" or "<first> <last> [<code> ...]" line of a
// bfrange, with every code point its ideograph; a run made of consecutive
// code points becomes a list when that changes any of them.
QString fixedRange(const QRegularExpressionMatch &line)
{
    const uint first = line.captured(1).toUInt(nullptr, 16);
    const uint last = line.captured(2).toUInt(nullptr, 16);
    QList<uint> codes;
    if (line.captured(3).startsWith(QLatin1Char('['))) {
        static const QRegularExpression code(QStringLiteral("<([0-9A-Fa-f]{4})>"));
        for (const QRegularExpressionMatch &m : code.globalMatch(line.captured(3)))
            codes << m.captured(1).toUInt(nullptr, 16);
    } else {
        const uint start = line.captured(3).mid(1, 4).toUInt(nullptr, 16);
        for (uint glyph = first; glyph <= last && glyph - first < 0x10000; ++glyph)
            codes << start + (glyph - first);
    }
    QStringList shown;
    bool changed = false;
    for (const uint code : std::as_const(codes)) {
        changed |= ideographOf(code) != code;
        shown << hex4(ideographOf(code));
    }
    if (!changed)
        return line.captured(0);
    return QStringLiteral("<%1> <%2> [%3]").arg(line.captured(1), line.captured(2), shown.join(QLatin1Char(' ')));
}

} // namespace

QByteArray withIdeographsInTextLayer(const QByteArray &pdf)
{
    // Latin-1 keeps every byte as one character and back.
    const QString in = QString::fromLatin1(pdf);
    static const QRegularExpression stream(
        QStringLiteral(
            "(\\d+ 0 obj\\n<< /Length )(\\d+)( >>\\nstream\\n)(/CIDInit [^\\n]*\\n.*?endcmap\\n.*?)(endstream)"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression range(
        QStringLiteral("<([0-9A-Fa-f]{4})> <([0-9A-Fa-f]{4})> (\\[[^\\]]*\\]|<[0-9A-Fa-f]{4}>)"));
    QString out;
    QList<QPair<qsizetype, qsizetype>> shifts; // (offset in the input, bytes added from there on)
    qsizetype from = 0;
    qsizetype added = 0;
    for (const QRegularExpressionMatch &m : stream.globalMatch(in)) {
        QString map = m.captured(4);
        QString fixed;
        qsizetype at = 0;
        for (const QRegularExpressionMatch &line : range.globalMatch(map)) {
            fixed += QStringView(map).mid(at, line.capturedStart() - at);
            fixed += fixedRange(line);
            at = line.capturedEnd();
        }
        fixed += QStringView(map).mid(at);
        if (fixed == map)
            continue;
        out += QStringView(in).mid(from, m.capturedStart() - from);
        const qsizetype length = m.captured(2).toLongLong() + fixed.size() - map.size();
        out += m.captured(1) + QString::number(length) + m.captured(3) + fixed + m.captured(5);
        added += QString::number(length).size() - m.captured(2).size() + fixed.size() - map.size();
        from = m.capturedEnd();
        shifts << qMakePair(from, added);
    }
    if (shifts.isEmpty())
        return pdf;
    out += QStringView(in).mid(from);
    // The cross-reference table and its offset follow the objects that moved.
    const auto moved = [&shifts](qsizetype offset) {
        qsizetype by = 0;
        for (const auto &[after, total] : std::as_const(shifts))
            if (offset >= after)
                by = total;
        return offset + by;
    };
    static const QRegularExpression entry(QStringLiteral("(\\d{10}) \\d{5} n"));
    static const QRegularExpression start(QStringLiteral("startxref\\n(\\d+)"));
    const qsizetype xref = out.lastIndexOf(QLatin1String("\nxref\n"));
    if (xref < 0)
        return pdf;
    QString fixedTable = out.mid(xref);
    // Offsets are ten digits wide: each is rewritten in its place.
    for (const QRegularExpressionMatch &e : entry.globalMatch(QString(fixedTable)))
        fixedTable.replace(e.capturedStart(1), 10,
            QStringLiteral("%1").arg(moved(e.captured(1).toLongLong()), 10, 10, QLatin1Char('0')));
    const QRegularExpressionMatch tail = start.match(fixedTable);
    if (tail.hasMatch())
        fixedTable.replace(
            tail.capturedStart(1), tail.capturedLength(1), QString::number(moved(tail.captured(1).toLongLong())));
    return (out.left(xref) + fixedTable).toLatin1();
}
