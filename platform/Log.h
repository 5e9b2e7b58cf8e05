#pragma once

#include <QString>

#include <functional>

// Diagnostics of the wizard: free-form lines for the system log. Lines go to
// syslog, to standard error when NVRWIZARD_LOG_STDERR=1, and to a sink that
// tests install to read them.
namespace Log {

void line(const QString &text);

// printf-style convenience for the many "%s"-formatted lines.
void format(const char *fmt, ...) Q_ATTRIBUTE_FORMAT_PRINTF(1, 2);

using Sink = std::function<void(const QString &)>;
// Installs a sink (replacing the previous one); an empty function removes it.
void setSink(Sink sink);

// Whether lines go to syslog (on unless turned off). Programs that feed the
// parsers millions of inputs turn it off so they do not flood the system log.
void setSystemLog(bool enabled);

// Stands in for passwords, cookie keys and Basic credentials in log lines.
QString masked(const QString &secret);

} // namespace Log
