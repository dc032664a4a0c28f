#include "ExportOptions.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace velmora {

Status ExportOptions::checkIdentifierPrefix(const QString &prefix)
{
    static const QRegularExpression shape(
        QRegularExpression::anchoredPattern(QStringLiteral("[A-Za-z0-9-]+(\\.[A-Za-z0-9-]+)*")));
    if (shape.match(prefix).hasMatch())
        return Status::success();
    return Status::failure(
        QCoreApplication::translate("ExportOptions",
                                    "\"%1\" is not a reverse-DNS identifier (such as com.example.settings)")
            .arg(prefix));
}

} // namespace velmora
