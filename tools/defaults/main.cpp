// Stand-in `defaults` of the simulated Mac: the system tool's verbs and messages over the
// preference files of the root that VELMORA_SIMULATED_ROOT names.

#include "DefaultsTool.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    velmora::defaults::DefaultsTool tool{velmora::SimulatedRoot(velmora::SimulatedRoot::resolvePath())};
    const int status = tool.run(QCoreApplication::arguments().mid(1));
    std::fflush(stdout);
    std::fflush(stderr);
    return status;
}
