#include "MessageBoxFit.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QSpacerItem>
#include <QTextDocument>

#include <cmath>

namespace velmora {

namespace {

// Room a window manager takes in a title bar beside the title: the window's icon and its buttons.
constexpr int kTitleBarAllowance = 160;
// Past this width a message's lines wrap, as a system alert's do.
constexpr int kMaximumTextWidth = 440;

/// The width a text wants on one line per paragraph, up to the width past which it wraps.
int textWidth(const QLabel *label)
{
    QTextDocument document;
    document.setDefaultFont(label->font());
    if (label->textFormat() == Qt::RichText)
        document.setHtml(label->text());
    else
        document.setPlainText(label->text());
    return std::min(int(std::ceil(document.idealWidth())), kMaximumTextWidth);
}

} // namespace

int MessageBoxFit::titleWidth(const QString &title)
{
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title) + kTitleBarAllowance;
}

void MessageBoxFit::toText(QMessageBox *box)
{
    // The box sizes itself to its layout's minimum width: spacers of the wanted widths set it.
    auto *grid = qobject_cast<QGridLayout *>(box->layout());
    if (!grid)
        return;
    grid->addItem(new QSpacerItem(titleWidth(box->windowTitle()), 0, QSizePolicy::Minimum), grid->rowCount(),
                  0, 1, grid->columnCount());
    auto *details = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel"));
    const int index = details ? grid->indexOf(details) : -1;
    if (index < 0)
        return;
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    grid->addItem(new QSpacerItem(textWidth(details), 0, QSizePolicy::Minimum), grid->rowCount(), column, 1,
                  columnSpan);
}

} // namespace velmora
