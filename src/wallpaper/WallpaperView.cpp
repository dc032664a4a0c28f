#include "WallpaperView.h"

#include "ui/PlaceholderPage.h"

#include <QVBoxLayout>

namespace velmora {

WallpaperView::WallpaperView(const AppContext &context, QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(placeholderPage(context, QStringLiteral("photo.fill"), tr("Wallpaper")));
}

} // namespace velmora
