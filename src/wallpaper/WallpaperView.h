#pragma once

#include "ui/AppContext.h"

#include <QWidget>

namespace velmora {

/// The wallpaper editor page. (A placeholder until the editor lands.)
class WallpaperView : public QWidget {
    Q_OBJECT

public:
    explicit WallpaperView(const AppContext &context, QWidget *parent = nullptr);
};

} // namespace velmora
