#pragma once

#include <QScrollArea>

namespace velmora {

/// The scroll area of a page: frameless, without a Tab stop of its own (the controls in it take
/// Tab, and an area that takes focus shows none), and scrolled to whichever control in it receives
/// focus, however the focus came (Tab from outside the area included).
class PageScrollArea : public QScrollArea {
    Q_OBJECT

public:
    explicit PageScrollArea(QWidget *parent = nullptr);
};

} // namespace velmora
