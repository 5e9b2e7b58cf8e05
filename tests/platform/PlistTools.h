#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QtTest>

// Runs tests/support/plistcheck.py (Python's plistlib) or plistutil, and
// fails the calling test with their message when they disagree.
inline QString plistcheckScript()
{
    return qEnvironmentVariable("NVR_SOURCE_DIR") + QStringLiteral("/tests/support/plistcheck.py");
}

inline bool runTool(const QString &program, const QStringList &args, QString *output = nullptr)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning().noquote() << program << args.join(QLatin1Char(' ')) << "->" << p.readAllStandardError();
        return false;
    }
    if (output)
        *output = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    return true;
}

// plistutil prints "ERROR" where the conversion would go and exits 0 when it
// cannot read a file: it read the file when it wrote a conversion.
inline bool plistutilReads(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("plistutil"), {QStringLiteral("-i"), path});
    if (!p.waitForFinished(60000) || p.exitCode() != 0 || !p.readAllStandardError().isEmpty())
        return false;
    const QByteArray out = p.readAllStandardOutput();
    return !out.isEmpty() && !out.startsWith("ERROR");
}

// The system's Python when there is one: version-manager shims on PATH cost a
// second per start.
inline bool plistcheck(const QStringList &args, QString *output = nullptr)
{
    const QString python = QStringLiteral("/usr/bin/python3");
    return runTool(
        QFile::exists(python) ? python : QStringLiteral("python3"), QStringList {plistcheckScript()} + args, output);
}
