// Stand-in `killall` of the simulated Mac. The five system processes Velmora restarts are always
// running here; "killing" one appends a line to the root's restart log, and the system brings it
// back at once, as launchd would.

#include "platform/simulated/SimulatedRoot.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

using namespace velmora;

namespace {

const QStringList kRunning = {QStringLiteral("Dock"), QStringLiteral("Finder"),
                              QStringLiteral("SystemUIServer"), QStringLiteral("ControlCenter"),
                              QStringLiteral("cfprefsd")};

void usage()
{
    std::fputs("usage: killall [-delmsvqz] [-help] [-I] [-u user] [-t tty] [-c cmd] [-SIGNAL] [cmd]...\n",
               stderr);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList names;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QLatin1String("-help")) {
            usage();
            return 0;
        }
        if (arg == QLatin1String("-s") || arg == QLatin1String("-v") || arg == QLatin1String("-q") ||
            arg == QLatin1String("-z") || arg == QLatin1String("-d") || arg == QLatin1String("-e") ||
            arg == QLatin1String("-m") || arg == QLatin1String("-I"))
            continue;
        if (arg == QLatin1String("-u") || arg == QLatin1String("-t") || arg == QLatin1String("-c")) {
            ++i;
            continue;
        }
        if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1)
            continue; // a signal: -9, -HUP, -SIGTERM
        names << arg;
    }
    if (names.isEmpty()) {
        usage();
        return 1;
    }

    const SimulatedRoot root(SimulatedRoot::resolvePath());
    QDir().mkpath(QFileInfo(root.restartLog()).absolutePath());
    QFile log(root.restartLog());
    if (!log.open(QIODevice::Append | QIODevice::Text)) {
        std::fprintf(stderr, "killall: cannot write %s\n", qPrintable(root.restartLog()));
        return 1;
    }
    QTextStream out(&log);
    bool matched = false;
    for (const QString &name : names) {
        out << QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs) << '\t' << name << '\n';
        matched = matched || kRunning.contains(name);
    }
    if (!matched) {
        std::fputs("No matching processes belonging to you were found\n", stderr);
        return 1;
    }
    return 0;
}
