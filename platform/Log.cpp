#include "platform/Log.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstdarg>
#include <cstdio>
#include <syslog.h>

namespace {

Log::Sink &sink()
{
    static Log::Sink s;
    return s;
}

bool &systemLog()
{
    static bool enabled = true;
    return enabled;
}

bool toStderr()
{
    static const bool enabled = qEnvironmentVariableIntValue("NVRWIZARD_LOG_STDERR") == 1;
    return enabled;
}

} // namespace

void Log::line(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (systemLog())
        syslog(LOG_INFO, "%s", utf8.constData());
    if (toStderr())
        std::fprintf(stderr, "%s\n", utf8.constData());
    if (sink())
        sink()(text);
}

void Log::format(const char *fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    const QString text = QString::vasprintf(fmt, args);
    va_end(args);
    line(text);
}

void Log::setSink(Sink s)
{
    sink() = std::move(s);
}

void Log::setSystemLog(bool enabled)
{
    systemLog() = enabled;
}

QString Log::masked(const QString &secret)
{
    return secret.isEmpty() ? QStringLiteral("(empty)") : QStringLiteral("****");
}
