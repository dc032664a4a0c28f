#include "PendingRestartsBanner.h"

#include "engine/TweakEngine.h"
#include "gui/kit/Style.h"
#include "gui/kit/Tasks.h"
#include "platform/SymbolImages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <algorithm>

namespace velmora {

PendingRestartsBanner::PendingRestartsBanner(TweakEngine &engine, const SymbolImages &symbols,
                                             QWidget *parent)
    : QWidget(parent), m_engine(engine)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 6, 10, 6);
    layout->setSpacing(8);
    auto *icon = new QLabel(this);
    icon->setPixmap(symbols.symbol(QStringLiteral("arrow.triangle.2.circlepath"),
                                   palette().color(QPalette::WindowText), 15, devicePixelRatioF()));
    m_label = new QLabel(this);
    m_label->setFont(Style::callout());
    m_apply = new QPushButton(tr("Apply"), this);
    m_apply->setDefault(false);
    m_apply->setAutoDefault(false);
    Style::setProminent(m_apply);
    layout->addWidget(icon);
    layout->addWidget(m_label);
    layout->addWidget(m_apply);

    connect(m_apply, &QPushButton::clicked, this, [this] { startTask(m_engine.restartPending(), this); });
    connect(&m_engine, &TweakEngine::pendingRestartsChanged, this, &PendingRestartsBanner::refresh);
    refresh();
}

QString PendingRestartsBanner::message(const TweakEngine &engine)
{
    QStringList names;
    for (RestartTarget target : engine.pendingRestarts())
        names << rawValue(target);
    // Plain code-point order: upper case first, so "cfprefsd" comes last.
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseSensitive) < 0;
    });
    return tr("Restart needed: %1").arg(names.join(QStringLiteral(", ")));
}

QString PendingRestartsBanner::text() const
{
    return m_label->text();
}

void PendingRestartsBanner::refresh()
{
    m_label->setText(message(m_engine));
}

void PendingRestartsBanner::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath capsule;
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    capsule.addRoundedRect(r, r.height() / 2, r.height() / 2);
    QColor fill = Style::secondaryBackground();
    fill.setAlphaF(0.85);
    p.fillPath(capsule, fill);
    p.setPen(QPen(Style::separator(), 1));
    p.drawPath(capsule);
}

} // namespace velmora
