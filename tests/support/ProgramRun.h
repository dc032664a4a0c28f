#pragma once

// Running the project's programs from tests: velmoractl and the stand-in tools, as child processes
// with argument lists.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace velmora::test {

class TestRoot;

struct ProgramRun {
    int exitCode = -1; ///< -1 when the program crashed or did not finish in 30 s
    QString out;
    QString err;
};

/// Runs a program with `input` on its standard input, in `workingDirectory` (else the test's own);
/// with a root, the child finds the simulated Mac through the environment, as the application's
/// children do.
ProgramRun runProgram(const QString &program, const QStringList &args,
                      const QString &simulatedRoot = QString(), const QByteArray &input = QByteArray(),
                      const QString &workingDirectory = QString());

/// `velmoractl --simulated-root ROOT ARGS…`.
ProgramRun runVelmoractl(const TestRoot &root, const QStringList &args,
                         const QByteArray &input = QByteArray());

} // namespace velmora::test
