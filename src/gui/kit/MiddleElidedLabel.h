#pragma once

#include <QWidget>

namespace velmora {

/// One line of text that, when it does not fit, gives up characters in its middle ("Long…name.jpg"),
/// so both the start and the extension of a file name stay readable.
class MiddleElidedLabel : public QWidget {
    Q_OBJECT

public:
    explicit MiddleElidedLabel(QWidget *parent = nullptr);

    void setText(const QString &text);
    /// The whole text, not shortened.
    const QString &text() const { return m_text; }
    /// The text as it fits the current width.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
};

} // namespace velmora
