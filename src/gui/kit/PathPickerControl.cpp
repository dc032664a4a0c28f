#include "PathPickerControl.h"

#include "DisplayPath.h"
#include "Panels.h"
#include "Style.h"
#include "Tasks.h"
#include "engine/TweakEngine.h"
#include "platform/Platform.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace velmora {

PathPickerControl::PathPickerControl(TweakEngine &engine, Panels &panels, Tweak tweak, QWidget *parent)
    : QWidget(parent), m_engine(engine), m_panels(panels), m_tweak(std::move(tweak))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    m_label = new QLabel(this);
    m_label->setFont(Style::callout());
    m_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Style::setSecondaryText(m_label);
    m_choose = new QPushButton(tr("Choose…"), this);
    m_choose->setFocusPolicy(Qt::StrongFocus);
    // "Choose…" alone says nothing once read away from its row; the path shown is its description.
    m_choose->setAccessibleName(m_tweak.title);
    layout->addWidget(m_label, 1);
    layout->addWidget(m_choose);
    connect(m_choose, &QPushButton::clicked, this, &PathPickerControl::choose);
    setFocusProxy(m_choose);
    refresh();
}

QString PathPickerControl::shownText() const
{
    const TweakValue shown = m_engine.valueOrDefault(m_tweak);
    return shown.isString() ? shown.toString() : QString();
}

void PathPickerControl::refresh()
{
    const QString text = shownText();
    const QString &home = m_engine.platform().fileLocations().home;
    m_label->setToolTip(DisplayPath::abbreviated(text, home));
    m_choose->setAccessibleDescription(DisplayPath::abbreviated(text, home));
    m_label->setText(DisplayPath::elided(text, home, m_label->fontMetrics(), std::max(20, m_label->width())));
}

void PathPickerControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    refresh();
}

void PathPickerControl::choose()
{
    const QString start = m_engine.platform().fileLocations().expandTilde(shownText());
    const std::optional<QString> folder = m_panels.chooseFolder(this, m_tweak.title, start, tr("Choose"));
    if (!folder)
        return;
    startTask(m_engine.apply(TweakValue::ofString(*folder), m_tweak), this);
}

} // namespace velmora
