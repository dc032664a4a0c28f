#include "ShellRunner.h"

#include <QCoreApplication>
#include <QCoro/QCoroSignal>
#include <QProcess>
#include <QStringDecoder>

#include <csignal>

namespace velmora {

namespace {

// Output that is not valid UTF-8 becomes empty text rather than text with replacement characters.
QString decodeStrictly(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    return decoder.hasError() ? QString() : text;
}

} // namespace

QCoro::Task<ShellRunner::RunResult> ShellRunner::run(QString executable, QStringList arguments) const
{
    // A program receives its arguments as C strings: a NUL would silently cut one short, so a value
    // holding one is refused rather than written changed.
    for (const QString &argument : std::as_const(arguments)) {
        if (argument.contains(QChar(0)) || executable.contains(QChar(0))) {
            QString command = executable + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
            command.replace(QChar(0), QStringLiteral("\\0"));
            co_return RunResult::failure(ShellError::launchFailed(
                command,
                QCoreApplication::translate(
                    "ShellRunner", "an argument holds a NUL character, which no program can receive")));
        }
    }
    QProcess process;
    process.setProgram(executable);
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardInputFile(QProcess::nullDevice());

    QByteArray out;
    QByteArray err;
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &process,
                     [&process, &out] { out += process.readAllStandardOutput(); });
    QObject::connect(&process, &QProcess::readyReadStandardError, &process,
                     [&process, &err] { err += process.readAllStandardError(); });

    process.start(QIODevice::ReadOnly);
    // The child's start is reported through the event loop; wait for it to run or to have failed.
    while (process.state() == QProcess::Starting)
        co_await qCoro(&process, &QProcess::stateChanged);

    if (process.state() == QProcess::NotRunning && process.error() == QProcess::FailedToStart) {
        const QString command = ShellError::commandLine(executable, arguments);
        co_return RunResult::failure(ShellError::launchFailed(command, process.errorString()));
    }
    while (process.state() != QProcess::NotRunning)
        co_await qCoro(&process, &QProcess::finished);

    out += process.readAllStandardOutput();
    err += process.readAllStandardError();
    ProcessResult result;
    result.standardOutput = decodeStrictly(out);
    result.standardError = decodeStrictly(err);
    if (process.exitStatus() == QProcess::CrashExit) {
        // A child killed by a signal has no exit status of its own; QProcess hands over the signal's
        // number in its place, which would read as an ordinary "exit 9".
        result.killSignal = process.exitCode() > 0 ? process.exitCode() : SIGKILL;
        result.exitCode = 128 + result.killSignal;
    } else {
        result.exitCode = process.exitCode();
    }
    co_return result;
}

} // namespace velmora
