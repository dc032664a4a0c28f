#pragma once

// Reading the fields of the Dock's JSON objects: a missing required key or a value of the wrong
// type makes the whole object unreadable; an optional key that is absent or null stays absent.

#include "common/Result.h"

#include <QJsonObject>
#include <QJsonValue>

#include <optional>

namespace velmora::DockJsonFields {

/// The text under `key`; an error naming the key when it is missing or not text.
Result<QString> requiredString(const QJsonObject &object, const QString &key);
/// Absent when missing or null; an error when it is there but not text.
Result<std::optional<QString>> optionalString(const QJsonObject &object, const QString &key);
/// Absent when missing or null; an error when it is not a whole number.
Result<std::optional<qint64>> optionalInteger(const QJsonObject &object, const QString &key);

} // namespace velmora::DockJsonFields
