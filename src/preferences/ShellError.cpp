#include "ShellError.h"

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

QString ShellError::description() const
{
    switch (m_kind) {
    case Kind::nonZeroExit:
        return QStringLiteral("Command failed (exit %1): %2\n%3")
            .arg(QString::number(m_result.exitCode), m_command, m_result.standardError);
    case Kind::launchFailed:
        return QStringLiteral("Could not launch %1: %2").arg(m_command, m_underlying);
    }
    Q_UNREACHABLE();
    return QString();
}

} // namespace velmora
