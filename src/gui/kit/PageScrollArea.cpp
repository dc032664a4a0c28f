#include "PageScrollArea.h"

#include <QApplication>

namespace velmora {

PageScrollArea::PageScrollArea(QWidget *parent) : QScrollArea(parent)
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    // The area scrolls to a focused child only when Tab moves among its own children; focus that
    // arrives from the header or the window's toolbar would land out of sight.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && widget() && widget()->isAncestorOf(now))
            ensureWidgetVisible(now);
    });
}

} // namespace velmora
