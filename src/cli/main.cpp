// velmoractl: the command-line companion of Velmora.

#include "CatalogueCommand.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

const char kUsage[] = "usage: velmoractl <command> [arguments]\n"
                      "\n"
                      "commands:\n"
                      "  catalogue [--json]   print every category and tweak\n"
                      "  help                 print this text\n";

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmoractl"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList args = QCoreApplication::arguments().mid(1);
    const QString verb = args.isEmpty() ? QString() : args.takeFirst();
    if (verb == QLatin1String("catalogue"))
        return velmora::runCatalogueCommand(args, out, err);
    if (verb == QLatin1String("help") || verb == QLatin1String("--help") || verb == QLatin1String("-h")) {
        out << kUsage;
        return 0;
    }
    err << kUsage;
    return 2;
}
