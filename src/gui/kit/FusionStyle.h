#pragma once

#include <QProxyStyle>

namespace velmora {

/// Fusion, except that the icons of a toolbar's overflow button are loaded when first drawn. Qt
/// gives every toolbar that button as it is made and loads its icon (several images) at once,
/// which cost the window about a seventh of its work before its first frame; the button only
/// shows when the toolbar is too narrow for its contents.
class FusionStyle : public QProxyStyle {
    Q_OBJECT

public:
    FusionStyle();

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};

} // namespace velmora
