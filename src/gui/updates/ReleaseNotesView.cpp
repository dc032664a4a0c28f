#include "ReleaseNotesView.h"

#include <algorithm>

namespace velmora {

namespace {

// Wide enough for a paragraph to read as one, as the alert's details are; high enough for a few
// lines before the notes scroll, low enough for the window to fit any screen.
constexpr int kWidth = 440;
constexpr int kMinimumHeight = 80;
constexpr int kMaximumHeight = 260;

} // namespace

ReleaseNotesView::ReleaseNotesView(QWidget *parent) : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("releaseNotes"));
    setOpenLinks(false);
    setOpenExternalLinks(false);
    // Tab walks the notes' links and then goes on to the buttons, as in any text browser.
    setFocusPolicy(Qt::StrongFocus);
    setFixedWidth(kWidth);
}

void ReleaseNotesView::setNotes(const QString &notes, AppcastItem::NotesFormat format)
{
    switch (format) {
    case AppcastItem::NotesFormat::html: setHtml(notes); break;
    case AppcastItem::NotesFormat::markdown: setMarkdown(notes); break;
    case AppcastItem::NotesFormat::plainText: setPlainText(notes); break;
    }
    document()->setTextWidth(kWidth - 2 * frameWidth());
    const int height = int(document()->size().height()) + 2 * frameWidth();
    setFixedHeight(std::clamp(height, kMinimumHeight, kMaximumHeight));
}

QVariant ReleaseNotesView::loadResource(int type, const QUrl &name)
{
    Q_UNUSED(type);
    Q_UNUSED(name);
    // Not a null variant: with one, the document would go on to read a local file by itself.
    return QVariant(QByteArray());
}

} // namespace velmora
