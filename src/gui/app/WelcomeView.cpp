#include "WelcomeView.h"

#include "gui/kit/Style.h"
#include "platform/SymbolImages.h"

#include <QLabel>
#include <QVBoxLayout>

namespace velmora {

WelcomeView::WelcomeView(const SymbolImages &symbols, QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(16);
    layout->addStretch(1);
    auto *icon = new QLabel(this);
    icon->setPixmap(
        symbols.symbol(QStringLiteral("gearshape.2.fill"), Style::accent(), 64, devicePixelRatioF()));
    icon->setAlignment(Qt::AlignCenter);
    auto *title = new QLabel(QStringLiteral("Velmora"), this);
    title->setFont(Style::largeTitle());
    title->setAlignment(Qt::AlignCenter);
    auto *text = new QLabel(tr("Pick a category from the sidebar to start tweaking."), this);
    text->setAlignment(Qt::AlignCenter);
    Style::setSecondaryText(text);
    layout->addWidget(icon);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addStretch(1);
}

} // namespace velmora
