#include "launcher/HomeFolder.h"

#include <QFile>
#include <QtGlobal>

#include <pwd.h>
#include <unistd.h>

#include <vector>

QString HomeFolder::find()
{
    const QString fromEnvironment = qEnvironmentVariable("HOME");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    passwd entry {};
    passwd *found = nullptr;
    const long hint = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size_t(hint > 0 ? hint : 16384));
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir)
        return {};
    return QFile::decodeName(found->pw_dir);
}
