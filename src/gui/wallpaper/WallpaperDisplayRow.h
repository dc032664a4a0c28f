#pragma once

#include <QAbstractButton>
#include <QImage>

#include <optional>

namespace velmora {

class SymbolImages;

/// One display in the wallpaper page's list: a thumbnail of its picture, its name and its size in
/// points, and a check mark on a tinted background when it is the display being edited. Clicking
/// it (or Space when it has focus) selects it.
class WallpaperDisplayRow : public QAbstractButton {
    Q_OBJECT

public:
    WallpaperDisplayRow(const SymbolImages &symbols, quint32 displayID, QWidget *parent = nullptr);

    quint32 displayID() const { return m_displayID; }

    void setName(const QString &name);
    const QString &name() const { return m_name; }
    /// "1512×982".
    void setSizeText(const QString &text);
    const QString &sizeText() const { return m_sizeText; }
    void setPreview(const std::optional<QImage> &preview);
    bool hasPreview() const { return m_preview.has_value(); }
    void setSelected(bool selected);
    bool isSelected() const { return m_selected; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont nameFont() const;
    QFont sizeFont() const;

    const SymbolImages &m_symbols;
    quint32 m_displayID;
    QString m_name;
    QString m_sizeText;
    std::optional<QImage> m_preview;
    bool m_selected = false;
};

} // namespace velmora
