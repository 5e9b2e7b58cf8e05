#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What every figure program shares: its Markdown section on standard output,
// one line of the report's overview, and the exit code that scripts/figures.sh
// reads (0 goal met, 1 goal missed, 2 the figure could not be measured).
namespace FigureReport {

enum Exit { Met = 0, Missed = 1, Failed = 2 };

// Prints the figure's heading and points NVR_BUILD_DIR at this program's build
// tree, where the simulator and the wizard are. False, with a line saying so,
// when the figure needs the network lab and does not run inside it.
bool begin(const QString &figure, bool needsLab);

// Reads "--summary FILE" from the arguments (removing both) and returns FILE.
QString takeSummaryFile(QStringList &args);

// Appends "figure<TAB>goal<TAB>result<TAB>met|MISSED" to file (nothing when
// file is empty), the row the report's overview shows for this figure.
void appendSummary(const QString &file, const QString &figure, const QString &goal, const QString &result, bool met);

// Prints one line of Markdown (a newline is added).
void print(const QString &line = QString());
void table(const QStringList &header, const QList<QStringList> &rows);

double median(QList<double> values);
QString ms(double value); // "123 ms", "12.3 ms" or "0 ms"
QString seconds(double ms); // "12.345 s"
QString mib(long kib); // "45.6 MiB"
QString verdict(bool met); // "met" or "**MISSED**"

} // namespace FigureReport
