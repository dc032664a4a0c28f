#pragma once

#include <QWidget>

class QVBoxLayout;

namespace velmora {

/// One card of the wallpaper page: a heading over its content, padded 16 points, on a rounded
/// rectangle tinted with the text colour at 5 %.
class WallpaperCard : public QWidget {
    Q_OBJECT

public:
    WallpaperCard(const QString &heading, int spacing, QWidget *parent = nullptr);

    /// Where the card's content goes, under the heading.
    QVBoxLayout *content() const { return m_layout; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVBoxLayout *m_layout;
};

} // namespace velmora
