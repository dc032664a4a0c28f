#include "PlaceholderPage.h"

#include "gui/kit/Style.h"
#include "platform/Platform.h"
#include "platform/SymbolImages.h"

#include <QLabel>
#include <QVBoxLayout>

namespace velmora {

QWidget *placeholderPage(const AppContext &context, const QString &symbol, const QString &title)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setSpacing(12);
    layout->addStretch(1);
    auto *icon = new QLabel(page);
    icon->setPixmap(context.platform.symbols().symbol(symbol, Style::accent(), 48, page->devicePixelRatioF()));
    icon->setAlignment(Qt::AlignCenter);
    auto *heading = new QLabel(title, page);
    heading->setFont(Style::title2());
    heading->setAlignment(Qt::AlignCenter);
    auto *text = new QLabel(QObject::tr("This editor is on its way."), page);
    text->setAlignment(Qt::AlignCenter);
    Style::setSecondaryText(text);
    layout->addWidget(icon);
    layout->addWidget(heading);
    layout->addWidget(text);
    layout->addStretch(1);
    return page;
}

} // namespace velmora
