#pragma once

#include <QToolButton>

class QStyleOptionToolButton;

namespace velmora {

/// A tool button that opens a menu, with the menu's chevron beside its text: the style's own
/// indicator sits in the bottom corner, under the text, where it reads as a stray mark.
class MenuButton : public QToolButton {
    Q_OBJECT

public:
    explicit MenuButton(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    /// The icon and text side by side, as the style lays them out.
    QSize contentSize(const QStyleOptionToolButton &option) const;
};

} // namespace velmora
