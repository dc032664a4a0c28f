#pragma once

#include "updates/AppcastItem.h"

#include <QTextBrowser>

namespace velmora {

/// Release notes from an update feed, shown as the feed marks them up (HTML, Markdown or plain
/// text) and scrolled when they are long. Nothing is fetched or read while they are shown: images
/// and style sheets the notes name stay unloaded, so a feed learns nothing from showing them and
/// reaches no file on this Mac. Links are only reported (`anchorClicked`), never followed here.
class ReleaseNotesView : public QTextBrowser {
    Q_OBJECT

public:
    explicit ReleaseNotesView(QWidget *parent = nullptr);

    void setNotes(const QString &notes, AppcastItem::NotesFormat format);

    /// Answers every resource with nothing; the document would otherwise read local files itself.
    QVariant loadResource(int type, const QUrl &name) override;
};

} // namespace velmora
