#include "FusionStyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

namespace velmora {

namespace {

/// Stands for one of a style's own icons and asks the style for it the first time it is drawn or
/// measured.
class DeferredStandardIconEngine : public QIconEngine {
public:
    DeferredStandardIconEngine(QStyle *style, QStyle::StandardPixmap which, const QStyleOption *option,
                               const QWidget *widget)
        : m_style(style), m_which(which), m_hasOption(option != nullptr), m_widget(widget)
    {
        if (option)
            m_option = *option;
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return icon().isNull(); }
    QString key() const override { return QStringLiteral("DeferredStandardIconEngine"); }
    QIconEngine *clone() const override
    {
        auto *copy = new DeferredStandardIconEngine(m_style.data(), m_which,
                                                    m_hasOption ? &m_option : nullptr, m_widget.data());
        copy->m_icon = m_icon;
        copy->m_loaded = m_loaded;
        return copy;
    }

private:
    const QIcon &icon()
    {
        if (!m_loaded) {
            m_loaded = true;
            if (m_style)
                m_icon = m_style->standardIcon(m_which, m_hasOption ? &m_option : nullptr, m_widget.data());
        }
        return m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_which;
    QStyleOption m_option; ///< a plain option: its direction picks the mirrored arrows
    bool m_hasOption;
    QPointer<const QWidget> m_widget;
    QIcon m_icon;
    bool m_loaded = false;
};

} // namespace

FusionStyle::FusionStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

QIcon FusionStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                                const QWidget *widget) const
{
    // Only a plain option is kept (copying a derived one would cut it off); toolbars pass one.
    if ((standardIcon == SP_ToolBarHorizontalExtensionButton ||
         standardIcon == SP_ToolBarVerticalExtensionButton) &&
        (!option || option->type == QStyleOption::SO_Default))
        return QIcon(new DeferredStandardIconEngine(baseStyle(), standardIcon, option, widget));
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

} // namespace velmora
