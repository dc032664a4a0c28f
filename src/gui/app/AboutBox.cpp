#include "AboutBox.h"

#include "gui/kit/MessageBoxFit.h"

#include <QApplication>
#include <QIcon>

namespace velmora {

AboutBox::AboutBox(QWidget *parent) : QMessageBox(parent)
{
    setObjectName(QStringLiteral("about"));
    setWindowTitle(tr("About Velmora"));
    setTextFormat(Qt::PlainText);
    setText(tr("Velmora %1").arg(QStringLiteral(VELMORA_VERSION)));
    setInformativeText(
        tr("Hidden macOS settings, gathered in one place.\n\n"
           "Released under the MIT License.\n\n"
           "Built with Qt %1, QCoro %2 and libplist %3.\nSymbols from the Material Design Icons font.")
            .arg(QString::fromLatin1(qVersion()), QStringLiteral(VELMORA_QCORO_VERSION),
                 QStringLiteral(VELMORA_LIBPLIST_VERSION)));
    setStandardButtons(QMessageBox::Ok);
    // The window's icon is the application's once it has one; until then the box shows none rather
    // than a generic information sign.
    const QIcon icon = parent ? parent->windowIcon() : QApplication::windowIcon();
    if (!icon.isNull())
        setIconPixmap(icon.pixmap(64, 64));
    MessageBoxFit::toText(this);
}

} // namespace velmora
