#pragma once

#include "ProcessResult.h"

#include <QString>
#include <QStringList>

namespace velmora {

/// Why running a program failed, with the readable description the engine records.
class ShellError {
public:
    enum class Kind { nonZeroExit, launchFailed };

    ShellError() = default;
    /// A finished run that its caller judged a failure.
    static ShellError nonZeroExit(QString command, ProcessResult result);
    /// The program could not be started; `underlying` is the operating system's own description.
    static ShellError launchFailed(QString command, QString underlying);

    /// The command as messages show it: the program and its arguments separated by spaces, each long
    /// argument cut short ("… (140000 more bytes)") and control characters escaped.
    static QString commandLine(const QString &program, const QStringList &arguments);

    Kind kind() const { return m_kind; }
    const QString &command() const { return m_command; }
    const ProcessResult &result() const { return m_result; }

    /// "Command failed (exit N): COMMAND\nSTDERR", "Command failed (killed by signal N): COMMAND\nSTDERR"
    /// or "Could not launch COMMAND: REASON".
    QString description() const;

private:
    Kind m_kind = Kind::launchFailed;
    QString m_command;
    ProcessResult m_result;
    QString m_underlying;
};

} // namespace velmora
