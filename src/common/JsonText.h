#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace velmora {

/// The shortest decimal text that reads back as the same double, keeping a trailing ".0" on
/// whole numbers of ordinary size ("0.5", "2.0", "-0.0625", "100.0"); an exponent from 2^53 up
/// and below 0.0001 ("1e+16", "1e-05").
QString shortestDecimalText(double value);

/// JSON text of a tree of QVariantMap, QVariantList, QStringList, text, booleans, numbers and null
/// (an invalid QVariant or nullptr). Unlike QJsonDocument it keeps a double recognisable: 1.0 is
/// written "1.0", not "1", so readers in other languages get the type back. Keys come sorted.
QByteArray jsonText(const QVariant &value, bool indented = true);

} // namespace velmora
