// --config: one read-only recorder command from the command line, its parsed
// result on standard output.
#include "app/main/CommandLine.h"
#include "app/main/ConfigRecordPrint.h"

#include "protocol/TVexorReply.h"
#include "util/UtilMethod.h"
#include "webconfig/HttpCommand.h"
#include "webconfig/HttpConfig.h"
#include "webconfig/HttpConfigDelegate.h"
#include "webconfig/HttpError.h"

#include <QCoreApplication>
#include <QFile>
#include <QHostAddress>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

struct Options
{
    int code = 0;
    QString nvr;
    QString user;
    QString passwordFile;
    QString lang = QStringLiteral("EN");
};

const int kReadOnlyCodes[] = {HttpCmd::GetHddInfo, HttpCmd::GetNimboraInfo, HttpCmd::GetNimboraRegInfo,
    HttpCmd::CameraDiscovery, HttpCmd::GetDateInformation, HttpCmd::GetTimeZoneListInformation};

int usageError(const QString &message)
{
    std::fprintf(stderr,
        "nvrwizard: %s\nUsage: nvrwizard --config CODE --nvr IP --user USER [--password-file FILE] "
        "[--lang EN]\n  CODE: 2 disks, 5 cloud portal, 6 cloud account, 8 cameras, 17 date and time, "
        "19 time-zone list\n  Without --password-file the password is read from standard input.\n",
        message.toUtf8().constData());
    return 2;
}

// Returns an error text, empty when the arguments are usable.
QString check(const ConfigArguments &arguments, Options &options)
{
    bool ok = false;
    options.code = arguments.code.toInt(&ok);
    if (!ok
        || std::find(std::begin(kReadOnlyCodes), std::end(kReadOnlyCodes), options.code) == std::end(kReadOnlyCodes))
        return QStringLiteral("--config takes one of the read-only codes 2, 5, 6, 8, 17, 19");
    options.nvr = arguments.nvr;
    options.user = arguments.user;
    options.passwordFile = arguments.passwordFile;
    if (!arguments.lang.isEmpty())
        options.lang = arguments.lang;
    if (QHostAddress(options.nvr).protocol() != QAbstractSocket::IPv4Protocol)
        return QStringLiteral("--nvr needs the recorder's IPv4 address");
    if (options.user.isEmpty())
        return QStringLiteral("--user is missing");
    return QString();
}

bool readPassword(const QString &file, QString &password)
{
    QFile source(file);
    const bool opened = file.isEmpty() ? source.open(stdin, QIODevice::ReadOnly) : source.open(QIODevice::ReadOnly);
    if (!opened)
        return false;
    password = QString::fromUtf8(source.readLine()).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    return true;
}

struct Outcome : HttpConfigDelegate
{
    int exitCode = 1;
    void onHttpConfigDidFinish(HttpConfig *config, int cmd) override
    {
        std::fputs(configRecordText(*config, cmd).toUtf8().constData(), stdout);
        exitCode = 0;
        QCoreApplication::quit();
    }
    void onHttpDidError(const HttpError &error) override
    {
        std::fprintf(stderr, "nvrwizard: the recorder did not answer: %s\n", error.description.toUtf8().constData());
        QCoreApplication::quit();
    }
};

void start(HttpConfig &config, const Options &o, const TVexorReply &nvr, const QString &password)
{
    switch (o.code) {
    case HttpCmd::GetHddInfo:
        return config.startGetHddInfo(nvr, o.user, password);
    case HttpCmd::GetNimboraInfo:
        return config.startGetNimboraInfo(nvr, o.user, password);
    case HttpCmd::GetNimboraRegInfo:
        return config.startGetNimboraRegInfo(nvr, o.user, password);
    case HttpCmd::CameraDiscovery:
        return config.startCameraDiscovery(nvr, o.user, password);
    case HttpCmd::GetDateInformation:
        return config.performGetDateInformation(nvr, o.user, password);
    default:
        return config.performGetTimeZoneListInformation(nvr, o.user, password, o.lang);
    }
}

} // namespace

int runConfigMode(int argc, char *argv[], const ConfigArguments &arguments)
{
    Options options;
    const QString error = check(arguments, options);
    if (!error.isEmpty())
        return usageError(error);
    QString password;
    if (!readPassword(options.passwordFile, password))
        return usageError(QStringLiteral("cannot read the password from %1").arg(options.passwordFile));

    QCoreApplication app(argc, argv);
    TVexorReply nvr {};
    UtilMethod::stringToIp(options.nvr, nvr.ipAddress);
    Outcome outcome;
    HttpConfig config(&outcome);
    start(config, options, nvr, password);
    app.exec();
    return outcome.exitCode;
}
