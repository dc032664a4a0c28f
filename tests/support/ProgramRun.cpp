#include "ProgramRun.h"

#include "TestRoot.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace velmora::test {

ProgramRun runProgram(const QString &program, const QStringList &args, const QString &simulatedRoot,
                      const QByteArray &input, const QString &workingDirectory)
{
    QProcess p;
    if (!workingDirectory.isEmpty())
        p.setWorkingDirectory(workingDirectory);
    if (!simulatedRoot.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VELMORA_SIMULATED_ROOT"), simulatedRoot);
        p.setProcessEnvironment(env);
    }
    p.start(program, args);
    p.write(input);
    p.closeWriteChannel();
    ProgramRun r;
    if (!p.waitForFinished(30000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

ProgramRun runVelmoractl(const TestRoot &root, const QStringList &args, const QByteArray &input)
{
    return runProgram(QStringLiteral(VELMORA_BIN_DIR "/velmoractl"),
                      QStringList{QStringLiteral("--simulated-root"), root.path()} + args, QString(), input);
}

} // namespace velmora::test
