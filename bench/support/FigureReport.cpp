#include "FigureReport.h"

#include "LabEnv.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cstdio>

namespace FigureReport {

bool begin(const QString &figure, bool needsLab)
{
    print(QStringLiteral("## ") + figure);
    print();
    if (needsLab && !LabEnv::fromEnvironment().inLab()) {
        print(QStringLiteral("Not measured: run it inside the lab (scripts/netlab.sh -- %1).")
                  .arg(QCoreApplication::applicationFilePath()));
        return false;
    }
    if (qEnvironmentVariableIsEmpty("NVR_BUILD_DIR"))
        qputenv("NVR_BUILD_DIR", QFile::encodeName(QCoreApplication::applicationDirPath() + QStringLiteral("/..")));
    return true;
}

QString takeSummaryFile(QStringList &args)
{
    const qsizetype at = args.indexOf(QStringLiteral("--summary"));
    if (at < 0 || at + 1 >= args.size())
        return QString();
    const QString file = args.at(at + 1);
    args.remove(at, 2);
    return file;
}

void appendSummary(const QString &file, const QString &figure, const QString &goal, const QString &result, bool met)
{
    if (file.isEmpty())
        return;
    QFile out(file);
    if (!out.open(QIODevice::Append | QIODevice::Text))
        return;
    out.write(QStringList {figure, goal, result, met ? QStringLiteral("met") : QStringLiteral("MISSED")}
                  .join(QLatin1Char('\t'))
                  .toUtf8()
        + '\n');
}

void print(const QString &line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void table(const QStringList &header, const QList<QStringList> &rows)
{
    auto row = [](const QStringList &cells) { return QStringLiteral("| ") + cells.join(QStringLiteral(" | ")) + " |"; };
    print(row(header));
    print(QStringLiteral("|") + QStringLiteral("---|").repeated(header.size()));
    for (const QStringList &r : rows)
        print(row(r));
    print();
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

QString ms(double value)
{
    const bool whole = value >= 100 || value == double(qRound64(value));
    return whole ? QStringLiteral("%1 ms").arg(qRound64(value)) : QStringLiteral("%1 ms").arg(value, 0, 'f', 1);
}

QString seconds(double ms)
{
    return QStringLiteral("%1 s").arg(ms / 1000.0, 0, 'f', 3);
}

QString mib(long kib)
{
    return QStringLiteral("%1 MiB").arg(kib / 1024.0, 0, 'f', 1);
}

QString verdict(bool met)
{
    return met ? QStringLiteral("met") : QStringLiteral("**MISSED**");
}

} // namespace FigureReport
