#pragma once

#include <QString>

class QMessageBox;

namespace velmora {

/// Sizes a message box the way a system alert is sized. Left alone, a box takes the width of its
/// headline and wraps the details into a narrow column under it, and a window manager cuts a title
/// wider than the box.
class MessageBoxFit {
public:
    /// How wide a window must be for a title bar to show `title` whole beside its buttons.
    static int titleWidth(const QString &title);
    /// Widens `box` for its whole title and for its details on one line per paragraph, up to the
    /// width past which lines wrap. Call it once the box has its texts, icon and buttons.
    static void toText(QMessageBox *box);
};

} // namespace velmora
