#pragma once

#include "ui/AppContext.h"

#include <QWidget>

namespace velmora {

/// The Dock editor page. (A placeholder until the editor lands.)
class DockAppsView : public QWidget {
    Q_OBJECT

public:
    explicit DockAppsView(const AppContext &context, QWidget *parent = nullptr);
};

} // namespace velmora
