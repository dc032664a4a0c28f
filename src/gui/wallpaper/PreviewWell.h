#pragma once

#include "wallpaper/Scaling.h"

#include <QImage>
#include <QWidget>

#include <optional>

namespace velmora {

class SymbolImages;

/// The picture as the selected display would show it, drawn with its scaling in whatever space the
/// page gives; a placeholder when there is no picture, and while one is being decoded.
class PreviewWell : public QWidget {
    Q_OBJECT

public:
    explicit PreviewWell(const SymbolImages &symbols, QWidget *parent = nullptr);

    void setImage(const std::optional<QImage> &image);
    const std::optional<QImage> &image() const { return m_image; }
    /// Whether a picture is on its way: the placeholder then says nothing of "no image".
    void setLoading(bool loading);
    bool isLoading() const { return m_loading; }
    /// Why the picture shown has no preview (it is too large, it cannot be read): said in place of
    /// "No image selected", which would contradict the file name above the well.
    void setProblem(const std::optional<QString> &problem);
    const std::optional<QString> &problem() const { return m_problem; }
    void setScaling(Scaling scaling);
    Scaling scaling() const { return m_scaling; }

    /// Where an image of `natural` size lands in a well of `well` size: covering it (fill, the
    /// overflow clipped), inside it (fit), matching it (stretch), or at its own size in the middle
    /// (center). Proportions are kept except for stretch.
    static QRectF imageRect(const QSizeF &natural, const QSizeF &well, Scaling scaling);

    QSize sizeHint() const override { return QSize(400, 260); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const SymbolImages &m_symbols;
    std::optional<QImage> m_image;
    bool m_loading = false;
    std::optional<QString> m_problem;
    Scaling m_scaling = Scaling::fill;
};

} // namespace velmora
