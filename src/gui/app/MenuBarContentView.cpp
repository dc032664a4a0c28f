#include "MenuBarContentView.h"

#include "MainWindow.h"
#include "engine/TweakEngine.h"
#include "gui/kit/Style.h"
#include "gui/kit/Tasks.h"
#include "gui/kit/ToggleSwitch.h"
#include "platform/SymbolImages.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace velmora {

namespace {

// A flip here takes effect at once: write, then carry out every pending restart.
QCoro::Task<> applyAndRestart(TweakEngine *engine, TweakValue value, Tweak tweak)
{
    co_await engine->apply(value, tweak);
    co_await engine->restartPending();
}

/// A footer button whose key works while the panel is open; the hint shows it the platform's way
/// (Ctrl+Q here, ⌘Q on a Mac).
QPushButton *footerButton(const QString &title, const QKeySequence &keys, QWidget *parent)
{
    const QString hint = keys.toString(QKeySequence::NativeText);
    auto *shortcut = new QAction(title, parent);
    shortcut->setShortcut(keys);
    parent->addAction(shortcut);
    auto *button = new QPushButton(parent);
    button->setFlat(true);
    button->setAccessibleName(title);
    button->setCursor(Qt::PointingHandCursor);
    auto *layout = new QHBoxLayout(button);
    layout->setContentsMargins(14, 5, 14, 5);
    auto *label = new QLabel(title, button);
    auto *keyHint = new QLabel(hint, button);
    keyHint->setFont(Style::caption());
    Style::setTextColor(keyHint, Style::tertiaryText());
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    keyHint->setAttribute(Qt::WA_TransparentForMouseEvents);
    layout->addWidget(label);
    layout->addStretch(1);
    layout->addWidget(keyHint);
    button->setMinimumHeight(28);
    QObject::connect(shortcut, &QAction::triggered, button, &QPushButton::click);
    return button;
}

} // namespace

MenuBarContentView::MenuBarContentView(TweakEngine &engine, const SymbolImages &symbols, QWidget *parent)
    : QWidget(parent), m_engine(engine), m_tweaks(shownTweaks(engine))
{
    // The card is 300 wide; its shadow falls into the margin around it, on a window that draws
    // nothing else (the window must be a translucent one for the shadow to show as a shadow).
    setFixedWidth(300 + 2 * shadowMargin);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(shadowMargin, shadowMargin - 4, shadowMargin, shadowMargin + 4);
    layout->setSpacing(0);

    auto *header = new QWidget(this);
    auto *headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(14, 12, 14, 8);
    headerLayout->setSpacing(6);
    auto *icon = new QLabel(header);
    icon->setPixmap(
        symbols.symbol(QStringLiteral("paperplane.fill"), Style::accent(), 15, devicePixelRatioF()));
    auto *title = new QLabel(QStringLiteral("Velmora"), header);
    title->setFont(Style::headline());
    headerLayout->addWidget(icon);
    headerLayout->addWidget(title);
    headerLayout->addStretch(1);
    layout->addWidget(header);
    layout->addWidget(Style::divider(this));

    auto *group = new QWidget(this);
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->setContentsMargins(0, 4, 0, 4);
    groupLayout->setSpacing(0);
    for (const Tweak &tweak : std::as_const(m_tweaks)) {
        auto *row = new QWidget(group);
        auto *rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(14, 5, 14, 5);
        rowLayout->setSpacing(12);
        auto *name = new QLabel(row);
        name->setTextFormat(Qt::PlainText);
        // A long title wraps onto a second line rather than losing its end.
        name->setWordWrap(true);
        name->setText(tweak.title);
        auto *toggle = new ToggleSwitch(row, ToggleSwitch::Size::small);
        toggle->setAccessibleName(tweak.title);
        toggle->setObjectName(tweak.id);
        rowLayout->addWidget(name, 1);
        rowLayout->addWidget(toggle);
        groupLayout->addWidget(row);
        m_toggles.append(toggle);
        connect(toggle, &ToggleSwitch::clicked, this, [this, tweak](bool on) {
            QCoro::connect(applyAndRestart(&m_engine, TweakValue::ofBool(on), tweak), this,
                           [this] { refresh(); });
        });
    }
    layout->addWidget(group);
    layout->addWidget(Style::divider(this));

    auto *open = footerButton(tr("Open Velmora…"), QKeySequence(QKeySequence::Open), this);
    auto *quit = footerButton(tr("Quit Velmora"), MainWindow::quitKeys(), this);
    connect(open, &QPushButton::clicked, this, &MenuBarContentView::openMainWindowRequested);
    connect(quit, &QPushButton::clicked, this, &MenuBarContentView::quitRequested);
    layout->addWidget(open);
    layout->addWidget(quit);
    layout->addSpacing(4);

    connect(&m_engine, &TweakEngine::currentValuesChanged, this, &MenuBarContentView::refresh);
    refresh();
}

QList<Tweak> MenuBarContentView::shownTweaks(const TweakEngine &engine)
{
    QList<Tweak> toggles;
    for (const Tweak &tweak : engine.registry().tweaks()) {
        if (tweak.kind.type() != TweakKind::Type::toggle)
            continue;
        toggles.append(tweak);
        if (toggles.size() == maximumToggles)
            break;
    }
    return toggles;
}

bool MenuBarContentView::shownState(const TweakEngine &engine, const Tweak &tweak)
{
    const auto it = engine.currentValues().constFind(tweak.id);
    if (it != engine.currentValues().cend())
        return it->isBool() && it->toBool();
    return tweak.defaultValue.isBool() && tweak.defaultValue.toBool();
}

void MenuBarContentView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The panel may open before any page has read these tweaks; read their categories (once). The
    // switches follow the values as they arrive.
    for (const Tweak &tweak : std::as_const(m_tweaks))
        startTask(m_engine.refreshCategory(tweak.categoryID), this);
    refresh();
}

QSize MenuBarContentView::sizeHint() const
{
    return QSize(minimumWidth(), layout()->totalHeightForWidth(minimumWidth()));
}

void MenuBarContentView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF card =
        QRectF(rect()).adjusted(shadowMargin, shadowMargin - 4, -shadowMargin, -(shadowMargin + 4));
    constexpr qreal radius = 10;
    // A soft shadow: rings growing outwards, each fainter, a little lower than the card.
    const int darkness = Style::isDark() ? 70 : 30;
    for (int i = shadowMargin - 2; i > 0; --i) {
        QPainterPath ring;
        ring.addRoundedRect(card.adjusted(-i, -i + 3, i, i + 3), radius + i, radius + i);
        p.fillPath(ring, QColor(0, 0, 0, darkness / (i + 1)));
    }
    QPainterPath shape;
    shape.addRoundedRect(card, radius, radius);
    p.fillPath(shape, palette().color(QPalette::Window));
    // The border separates the panel from a window of the same colour underneath.
    QColor border = palette().color(QPalette::WindowText);
    border.setAlphaF(Style::isDark() ? 0.35 : 0.25);
    p.setPen(QPen(border, 1));
    p.drawRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void MenuBarContentView::refresh()
{
    for (qsizetype i = 0; i < m_tweaks.size(); ++i) {
        const QSignalBlocker block(m_toggles[i]);
        m_toggles[i]->setChecked(shownState(m_engine, m_tweaks[i]));
    }
}

} // namespace velmora
