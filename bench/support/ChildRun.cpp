#include "ChildRun.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHash>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

qint64 msSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// NAME=value entries for execve: ours, with the overrides replacing or added.
std::vector<QByteArray> mergedEnvironment(const QStringList &overrides)
{
    QHash<QByteArray, QByteArray> byName;
    QList<QByteArray> order;
    auto put = [&](const QByteArray &entry) {
        const QByteArray name = entry.left(entry.indexOf('='));
        if (!byName.contains(name))
            order << name;
        byName.insert(name, entry);
    };
    for (char **e = environ; *e; ++e)
        put(QByteArray(*e));
    for (const QString &entry : overrides)
        put(entry.toLocal8Bit());
    std::vector<QByteArray> merged;
    for (const QByteArray &name : order)
        merged.push_back(byName.value(name));
    return merged;
}

std::vector<char *> pointers(std::vector<QByteArray> &strings)
{
    std::vector<char *> result;
    for (QByteArray &s : strings)
        result.push_back(s.data());
    result.push_back(nullptr);
    return result;
}

// Appends whatever can be read now without blocking; at the end of the
// stream closes fd and sets it to -1.
void drain(int &fd, QByteArray &into)
{
    char buffer[16384];
    while (fd >= 0) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            into.append(buffer, n);
        } else if (n < 0 && errno == EAGAIN) {
            return;
        } else if (!(n < 0 && errno == EINTR)) {
            ::close(fd);
            fd = -1;
        }
    }
}

} // namespace

bool ChildRun::run(const QString &program, const QStringList &args, const QStringList &env, int timeoutMs,
    const std::function<bool(const QString &line)> &stopWhen)
{
    int outPipe[2];
    int errPipe[2];
    if (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0) {
        error = QStringLiteral("no pipe");
        return false;
    }
    std::vector<QByteArray> argBytes {QFile::encodeName(program)};
    for (const QString &a : args)
        argBytes.push_back(a.toLocal8Bit());
    std::vector<QByteArray> envBytes = mergedEnvironment(env);
    std::vector<char *> argv = pointers(argBytes);
    std::vector<char *> envp = pointers(envBytes);

    const Clock::time_point start = Clock::now();
    startedAtEpochMs = QDateTime::currentMSecsSinceEpoch();
    const pid_t pid = ::fork();
    if (pid < 0) {
        error = QStringLiteral("fork failed");
        return false;
    }
    if (pid == 0) {
        // Never outlive the bench.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        ::dup2(outPipe[1], STDOUT_FILENO);
        ::dup2(errPipe[1], STDERR_FILENO);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    ::fcntl(outPipe[0], F_SETFL, O_NONBLOCK);
    ::fcntl(errPipe[0], F_SETFL, O_NONBLOCK);
    // Readable as soon as the child has ended, even while something it
    // started still holds its pipes open.
    const int exitFd = int(::syscall(SYS_pidfd_open, pid, 0));
    if (exitFd < 0) {
        ::kill(pid, SIGKILL);
        error = QStringLiteral("pidfd_open failed");
    }

    QByteArray pending;
    auto takeLines = [&](bool all) {
        const qint64 now = msSince(start);
        for (qsizetype eol; (eol = pending.indexOf('\n')) >= 0 || (all && !pending.isEmpty());) {
            const QByteArray line = eol >= 0 ? pending.left(eol) : pending;
            pending.remove(0, eol >= 0 ? eol + 1 : pending.size());
            const QString text = QString::fromUtf8(line);
            lines.append({now, text});
            if (stoppedAtMs < 0 && stopWhen && stopWhen(text)) {
                stoppedAtMs = now;
                ::kill(pid, SIGTERM);
            }
        }
    };
    for (bool ended = exitFd < 0; !ended;) {
        const qint64 left = timeoutMs - msSince(start);
        if (left <= 0 && !timedOut) {
            timedOut = true;
            ::kill(pid, SIGKILL);
        }
        // A closed pipe is left out (a negative descriptor), or poll would spin on it.
        pollfd fds[3] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}, {exitFd, POLLIN, 0}};
        if (::poll(fds, 3, int(std::clamp<qint64>(left, 1, 1000))) < 0 && errno != EINTR)
            break;
        drain(outPipe[0], standardOutput);
        drain(errPipe[0], pending);
        takeLines(false);
        ended = fds[2].revents != 0;
    }
    int status = 0;
    rusage usage {};
    while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) { }
    wallMs = msSince(start);
    drain(outPipe[0], standardOutput);
    drain(errPipe[0], pending);
    takeLines(true);
    if (outPipe[0] >= 0)
        ::close(outPipe[0]);
    if (errPipe[0] >= 0)
        ::close(errPipe[0]);
    if (exitFd >= 0)
        ::close(exitFd);

    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    peakRssKiB = usage.ru_maxrss;
    cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    if (exitCode == 127 && lines.isEmpty())
        error = QStringLiteral("%1 could not be started").arg(program);
    return error.isEmpty();
}

qint64 ChildRun::firstLineMs(const QString &text) const
{
    for (const Line &line : lines) {
        if (line.text.contains(text))
            return line.atMs;
    }
    return -1;
}

QStringList ChildRun::homeEnvironment(const QString &home)
{
    const QString runtime = home + QStringLiteral("/run");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return {
        QStringLiteral("HOME=") + home,
        QStringLiteral("XDG_CONFIG_HOME=%1/.config").arg(home),
        QStringLiteral("XDG_DATA_HOME=%1/.local/share").arg(home),
        QStringLiteral("XDG_RUNTIME_DIR=") + runtime,
        QStringLiteral("NVRWIZARD_DEPLOYMENT_FILE=%1/no-deployment.conf").arg(home),
    };
}
