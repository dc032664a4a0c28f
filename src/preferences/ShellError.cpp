#include "ShellError.h"

#include "common/MessageText.h"

#include <QCoreApplication>

namespace velmora {

ShellError ShellError::nonZeroExit(QString command, ProcessResult result)
{
    ShellError e;
    e.m_kind = Kind::nonZeroExit;
    e.m_command = std::move(command);
    e.m_result = std::move(result);
    return e;
}

ShellError ShellError::launchFailed(QString command, QString underlying)
{
    ShellError e;
    e.m_kind = Kind::launchFailed;
    e.m_command = std::move(command);
    e.m_underlying = std::move(underlying);
    return e;
}

QString ShellError::commandLine(const QString &program, const QStringList &arguments)
{
    QStringList shown;
    shown.reserve(arguments.size());
    for (const QString &argument : arguments)
        shown << abbreviatedForMessage(argument);
    return abbreviatedForMessage(program, 1000) + QLatin1Char(' ') + shown.join(QLatin1Char(' '));
}

QString ShellError::description() const
{
    switch (m_kind) {
    case Kind::nonZeroExit: {
        const QString how =
            m_result.killSignal != 0
                ? QCoreApplication::translate("ShellError", "killed by signal %1").arg(m_result.killSignal)
                : QCoreApplication::translate("ShellError", "exit %1").arg(m_result.exitCode);
        return QCoreApplication::translate("ShellError", "Command failed (%1): %2\n%3")
            .arg(how, m_command, m_result.standardError);
    }
    case Kind::launchFailed:
        return QCoreApplication::translate("ShellError", "Could not launch %1: %2")
            .arg(m_command, m_underlying);
    }
    Q_UNREACHABLE();
    return QString();
}

} // namespace velmora
