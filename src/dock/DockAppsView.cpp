#include "DockAppsView.h"

#include "ui/PlaceholderPage.h"

#include <QVBoxLayout>

namespace velmora {

DockAppsView::DockAppsView(const AppContext &context, QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(placeholderPage(context, QStringLiteral("rectangle.stack.fill"), tr("Dock Apps")));
}

} // namespace velmora
