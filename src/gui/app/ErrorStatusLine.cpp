#include "ErrorStatusLine.h"

#include "engine/TweakEngine.h"
#include "gui/kit/Style.h"
#include "platform/SymbolImages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

namespace velmora {

ErrorStatusLine::ErrorStatusLine(TweakEngine &engine, const SymbolImages &symbols, QWidget *parent)
    : QWidget(parent), m_engine(engine)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 5, 8, 5);
    layout->setSpacing(8);
    auto *icon = new QLabel(this);
    icon->setPixmap(symbols.symbol(QStringLiteral("exclamationmark.triangle.fill"), Style::red(), 13,
                                   devicePixelRatioF()));
    m_label = new QLabel(this);
    m_label->setFont(Style::caption());
    m_label->setTextFormat(Qt::PlainText);
    m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_dismiss = new QToolButton(this);
    m_dismiss->setAutoRaise(true);
    m_dismiss->setIcon(QIcon(
        symbols.symbol(QStringLiteral("xmark.circle.fill"), Style::tertiaryText(), 13, devicePixelRatioF())));
    m_dismiss->setAccessibleName(tr("Dismiss"));
    m_dismiss->setToolTip(tr("Dismiss"));
    layout->addWidget(icon, 0, Qt::AlignTop);
    layout->addWidget(m_label, 1);
    layout->addWidget(m_dismiss, 0, Qt::AlignTop);

    connect(m_dismiss, &QToolButton::clicked, this, &QWidget::hide);
    connect(&m_engine, &TweakEngine::lastErrorChanged, this, &ErrorStatusLine::refresh);
    refresh();
}

QString ErrorStatusLine::text() const
{
    return m_label->text();
}

void ErrorStatusLine::refresh()
{
    const std::optional<QString> &error = m_engine.lastError();
    // The tool's message ends in a line feed; one line, trimmed, reads better in a status line.
    m_label->setText(error ? error->trimmed().replace(QLatin1Char('\n'), QStringLiteral(" — ")) : QString());
    m_label->setToolTip(error.value_or(QString()));
    setVisible(error.has_value());
}

void ErrorStatusLine::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QColor fill = Style::red();
    fill.setAlphaF(0.12);
    p.fillRect(rect(), fill);
    p.setPen(Style::separator());
    p.drawLine(rect().bottomLeft(), rect().bottomRight());
}

} // namespace velmora
