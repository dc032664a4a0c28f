#include "ChildRun.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace velmora::bench {

qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

ChildRun runChild(const QString &program, const QStringList &args, const QStringList &environment,
                  bool discardOutput)
{
    ChildRun run;
    std::vector<QByteArray> argBytes{QFile::encodeName(program)};
    for (const QString &arg : args)
        argBytes.push_back(arg.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &arg : argBytes)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    std::vector<QByteArray> envBytes;
    for (char **e = environ; *e; ++e)
        envBytes.emplace_back(*e);
    for (const QString &entry : environment)
        envBytes.push_back(entry.toLocal8Bit());
    std::vector<char *> envp;
    for (QByteArray &entry : envBytes)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    int pipeFds[2] = {-1, -1};
    if (!discardOutput && pipe2(pipeFds, O_CLOEXEC) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (discardOutput)
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    else
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);

    pid_t pid = -1;
    run.startedNs = monotonicNs();
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (!discardOutput)
        close(pipeFds[1]);
    if (spawned != 0) {
        if (!discardOutput)
            close(pipeFds[0]);
        return run;
    }
    if (!discardOutput) {
        char buffer[65536];
        for (;;) {
            const ssize_t got = read(pipeFds[0], buffer, sizeof buffer);
            if (got > 0)
                run.out.append(buffer, got);
            else if (got == 0 || errno != EINTR)
                break;
        }
        close(pipeFds[0]);
    }
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    run.wallMs = (monotonicNs() - run.startedNs) / 1e6;
    run.peakMegabytes = usage.ru_maxrss / 1024.0;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

ChildRun runChildOwnPeak(const QString &program, const QStringList &args, const QStringList &environment,
                         bool discardOutput)
{
    const QString time = QStringLiteral("/usr/bin/time");
    if (!QFileInfo(time).isExecutable()) {
        static bool warned = false;
        if (!warned)
            std::fputs("warning: no /usr/bin/time: peaks include the benchmark's own memory\n", stderr);
        warned = true;
        return runChild(program, args, environment, discardOutput);
    }
    QTemporaryFile report;
    if (!report.open())
        return ChildRun{};
    ChildRun run = runChild(time,
                            QStringList{QStringLiteral("-f"), QStringLiteral("%M"), QStringLiteral("-o"),
                                        report.fileName(), program} +
                                args,
                            environment, discardOutput);
    // The last line is the figure; a line before it tells of a signal.
    const QList<QByteArray> lines = report.readAll().trimmed().split('\n');
    bool ok = false;
    const double kilobytes = lines.last().trimmed().toDouble(&ok);
    run.peakMegabytes = ok ? kilobytes / 1024.0 : 0;
    return run;
}

} // namespace velmora::bench
