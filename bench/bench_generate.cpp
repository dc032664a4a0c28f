// Writes the inputs the benchmarks measure on, so anyone can lay out the same ones:
//
//   bench_generate picture FILE MEGABYTES     a PNG of random pixels of about that size
//   bench_generate photo FILE WIDTHxHEIGHT    a JPEG the size of a photograph
//   bench_generate apps ROOT BUNDLES          application bundles in ROOT's application folders

#include "support/BenchGenerators.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>

using namespace velmora::bench;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString what = args.value(1);
    const QString target = args.value(2);
    const QString size = args.value(3);
    bool ok = false;
    if (what == QLatin1String("picture") && size.toInt() > 0) {
        ok = !writeNoisePicture(target, size.toInt()).isEmpty();
    } else if (what == QLatin1String("photo")) {
        const QRegularExpressionMatch m =
            QRegularExpression(QRegularExpression::anchoredPattern(QStringLiteral("(\\d+)x(\\d+)")))
                .match(size);
        if (!m.hasMatch()) {
            std::fputs("the size is WIDTHxHEIGHT\n", stderr);
            return 2;
        }
        ok = !writeLargePhoto(target, QSize(m.captured(1).toInt(), m.captured(2).toInt())).isEmpty();
    } else if (what == QLatin1String("apps") && size.toInt() > 0) {
        ok = layOutApplications(target, size.toInt());
    } else {
        std::fputs(
            "usage: bench_generate picture FILE MEGABYTES | photo FILE WIDTHxHEIGHT | apps ROOT BUNDLES\n",
            stderr);
        return 2;
    }
    if (!ok)
        std::fprintf(stderr, "cannot write %s\n", qPrintable(target));
    return ok ? 0 : 1;
}
