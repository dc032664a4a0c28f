#pragma once

#include "gui/kit/AppContext.h"

#include <QString>

class QWidget;

namespace velmora {

/// A page standing in for an editor that is not there yet: its symbol, its title and a line of text.
QWidget *placeholderPage(const AppContext &context, const QString &symbol, const QString &title);

} // namespace velmora
