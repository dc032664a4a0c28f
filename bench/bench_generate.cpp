// Writes the inputs the benchmarks measure on, so anyone can lay out the same ones:
//
//   bench_generate picture FILE MEGABYTES     a PNG of random pixels of about that size
//   bench_generate photo FILE WIDTHxHEIGHT    a JPEG the size of a photograph
//   bench_generate huge FILE WIDTHxHEIGHT     a grayscale JPEG far past any preview (30000x30000)
//   bench_generate apps ROOT BUNDLES          application bundles in ROOT's application folders
//   bench_generate profile ROOT FILE          every value of ROOT moved from where it stood, saved
//                                             as a profile of all values (ROOT is changed)

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
    } else if (what == QLatin1String("photo") || what == QLatin1String("huge")) {
        const QRegularExpressionMatch m =
            QRegularExpression(QRegularExpression::anchoredPattern(QStringLiteral("(\\d+)x(\\d+)")))
                .match(size);
        if (!m.hasMatch()) {
            std::fputs("the size is WIDTHxHEIGHT\n", stderr);
            return 2;
        }
        const QSize pixels(m.captured(1).toInt(), m.captured(2).toInt());
        ok = !(what == QLatin1String("photo") ? writeLargePhoto(target, pixels)
                                              : writeHugePicture(target, pixels))
                  .isEmpty();
    } else if (what == QLatin1String("profile") && !size.isEmpty()) {
        const QString problem = writeProfileOfAllValues(target, size);
        if (!problem.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(problem));
            return 1;
        }
        return 0;
    } else if (what == QLatin1String("apps") && size.toInt() > 0) {
        ok = layOutApplications(target, size.toInt());
    } else {
        std::fputs("usage: bench_generate picture FILE MEGABYTES | photo FILE WIDTHxHEIGHT | huge FILE "
                   "WIDTHxHEIGHT\n"
                   "                      | apps ROOT BUNDLES | profile ROOT FILE\n",
                   stderr);
        return 2;
    }
    if (!ok)
        std::fprintf(stderr, "cannot write %s\n", qPrintable(target));
    return ok ? 0 : 1;
}
