#include "ProfileDiffView.h"

#include "gui/kit/Style.h"
#include "platform/SymbolImages.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora {

namespace {

// The wallpaper's value carries its picture: tens of megabytes of text, which would take seconds to
// lay out. Only its two ends can show, so only they are kept.
QString cutToEnds(const QString &text, qsizetype end)
{
    if (text.size() <= 2 * end)
        return text;
    return text.left(end) + QChar(0x2026) + text.right(end);
}

// The review's text of a value. One held as UTF-8 (the picture's Base64) is cut to its ends before
// it is widened: converting all of it would cost the window's thread 56 MB and tens of milliseconds
// for text no one sees. The ends are longer than what `coloured` shows or puts in the tip.
QString shownText(const std::optional<TweakValue> &value)
{
    constexpr qsizetype end = 2000;
    if (!value || !value->holdsUtf8())
        return displayText(value);
    const QByteArray utf8 = value->toUtf8();
    if (utf8.size() <= 2 * end)
        return displayText(value);
    // Cut on whole characters: a continuation byte never starts a piece.
    qsizetype head = end;
    while (head > 0 && (uchar(utf8[head]) & 0xC0) == 0x80)
        --head;
    qsizetype tail = utf8.size() - end;
    while (tail < utf8.size() && (uchar(utf8[tail]) & 0xC0) == 0x80)
        ++tail;
    return QString::fromUtf8(utf8.first(head)) + QChar(0x2026) + QString::fromUtf8(utf8.sliced(tail));
}

QLabel *coloured(const QString &text, const QColor &color, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    QFont font = Style::monospacedDigits(Style::caption());
    label->setFont(font);
    // A structured value (the Dock's contents) is a long JSON text: shown shortened, whole in the tip.
    const QString oneLine = cutToEnds(text, 200).replace(QLatin1Char('\n'), QLatin1Char(' '));
    label->setText(QFontMetrics(font).elidedText(oneLine, Qt::ElideMiddle, 200));
    if (label->text() != text)
        label->setToolTip(cutToEnds(text, 2000));
    Style::setTextColor(label, color);
    return label;
}

} // namespace

ProfileDiffView::ProfileDiffView(const Profile &profile, QList<ProfileDiffItem> items,
                                 const SymbolImages &symbols, QWidget *parent)
    : QDialog(parent), m_profile(profile), m_items(std::move(items)), m_symbols(symbols)
{
    setWindowTitle(tr("Review Profile"));
    setMinimumSize(520, 380);
    resize(600, 500);
    setWindowModality(Qt::WindowModal);

    const QList<ProfileDiffItem> changed = changedItems();
    const QList<ProfileDiffItem> unchanged = unchangedItems();
    const qreal dpr = devicePixelRatioF();
    m_arrow = m_symbols.symbol(QStringLiteral("arrow.right"), Style::secondaryText(), 10, dpr);
    m_willChange = m_symbols.symbol(QStringLiteral("pencil.circle.fill"), Style::orange(), 16, dpr);
    m_unchanged = m_symbols.symbol(QStringLiteral("checkmark.circle.fill"), Style::green(), 16, dpr);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *header = new QWidget(this);
    auto *headerLayout = new QVBoxLayout(header);
    headerLayout->setContentsMargins(16, 16, 16, 16);
    headerLayout->setSpacing(4);
    m_header = new QLabel(tr("Profile: %1").arg(m_profile.name), header);
    m_header->setFont(Style::headline());
    m_header->setTextFormat(Qt::PlainText);
    m_header->setAlignment(Qt::AlignCenter);
    // Counted texts come as a singular and a plural text: with no translation loaded, a
    // "%n change(s)" would show its "(s)" as it is written. A translation still gets the count for
    // its own plural forms.
    const int changes = static_cast<int>(changed.size());
    m_summary = new QLabel(changes == 1 ? tr("%n change will be applied", nullptr, changes)
                                        : tr("%n changes will be applied", nullptr, changes),
                           header);
    m_summary->setFont(Style::subheadline());
    m_summary->setAlignment(Qt::AlignCenter);
    Style::setSecondaryText(m_summary);
    headerLayout->addWidget(m_header);
    headerLayout->addWidget(m_summary);
    layout->addWidget(header);
    layout->addWidget(Style::divider(this));

    if (changed.isEmpty()) {
        m_empty = new QWidget(this);
        auto *emptyLayout = new QVBoxLayout(m_empty);
        emptyLayout->addStretch(1);
        auto *icon = new QLabel(m_empty);
        icon->setPixmap(m_symbols.symbol(QStringLiteral("checkmark.circle"), Style::secondaryText(), 40,
                                         devicePixelRatioF()));
        icon->setAlignment(Qt::AlignCenter);
        auto *title = new QLabel(tr("No Changes"), m_empty);
        title->setFont(Style::title3());
        title->setAlignment(Qt::AlignCenter);
        auto *text = new QLabel(tr("This profile matches your current settings."), m_empty);
        text->setAlignment(Qt::AlignCenter);
        Style::setSecondaryText(text);
        emptyLayout->addWidget(icon);
        emptyLayout->addWidget(title);
        emptyLayout->addWidget(text);
        emptyLayout->addStretch(1);
        layout->addWidget(m_empty, 1);
    } else {
        auto *scroll = new QScrollArea(this);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        auto *list = new QWidget;
        auto *listLayout = new QVBoxLayout(list);
        listLayout->setContentsMargins(16, 10, 16, 10);
        listLayout->setSpacing(6);
        auto *section = new QLabel(tr("Changes"), list);
        QFont sectionFont = Style::caption();
        sectionFont.setWeight(QFont::DemiBold);
        section->setFont(sectionFont);
        Style::setSecondaryText(section);
        listLayout->addWidget(section);
        auto *changedRows = new QWidget(list);
        auto *changedLayout = new QVBoxLayout(changedRows);
        changedLayout->setContentsMargins(0, 0, 0, 0);
        changedLayout->setSpacing(6);
        listLayout->addWidget(changedRows);
        for (const ProfileDiffItem &item : changed)
            m_rowsToBuild.append({item, changedRows});
        if (!unchanged.isEmpty()) {
            listLayout->addSpacing(10);
            m_unchangedToggle = new QToolButton(list);
            const int same = static_cast<int>(unchanged.size());
            m_unchangedToggle->setText(same == 1 ? tr("%n unchanged setting", nullptr, same)
                                                 : tr("%n unchanged settings", nullptr, same));
            m_unchangedToggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            m_unchangedToggle->setArrowType(Qt::RightArrow);
            m_unchangedToggle->setCheckable(true);
            m_unchangedToggle->setChecked(false);
            m_unchangedToggle->setAutoRaise(true);
            Style::setSecondaryText(m_unchangedToggle);
            m_unchangedRows = new QWidget(list);
            auto *rowsLayout = new QVBoxLayout(m_unchangedRows);
            rowsLayout->setContentsMargins(18, 0, 0, 0);
            rowsLayout->setSpacing(6);
            for (const ProfileDiffItem &item : unchanged)
                m_rowsToBuild.append({item, m_unchangedRows});
            m_unchangedRows->setVisible(false);
            connect(m_unchangedToggle, &QToolButton::toggled, this, [this](bool open) {
                m_unchangedToggle->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
                m_unchangedRows->setVisible(open);
            });
            listLayout->addWidget(m_unchangedToggle);
            listLayout->addWidget(m_unchangedRows);
        }
        listLayout->addStretch(1);
        scroll->setWidget(list);
        layout->addWidget(scroll, 1);
    }

    layout->addWidget(Style::divider(this));
    auto *footer = new QHBoxLayout;
    footer->setContentsMargins(16, 12, 16, 12);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setAutoDefault(false);
    m_apply = new QPushButton(applyTitle(changed.size()), this);
    m_apply->setDefault(true);
    Style::setProminent(m_apply);
    m_apply->setEnabled(!changed.isEmpty());
    footer->addWidget(m_cancel);
    footer->addStretch(1);
    footer->addWidget(m_apply);
    layout->addLayout(footer);

    // As many rows as the sheet shows at once: the rest cannot be seen before a scroll.
    constexpr int kFirstRows = 14;
    buildRows(kFirstRows, 0);

    connect(m_cancel, &QPushButton::clicked, this, [this] {
        emit cancelRequested();
        reject();
    });
    connect(m_apply, &QPushButton::clicked, this, [this] {
        emit applyRequested();
        accept();
    });
}

QList<ProfileDiffItem> ProfileDiffView::changedItems() const
{
    QList<ProfileDiffItem> out;
    for (const ProfileDiffItem &item : m_items) {
        if (item.isChanged())
            out.append(item);
    }
    return out;
}

QList<ProfileDiffItem> ProfileDiffView::unchangedItems() const
{
    QList<ProfileDiffItem> out;
    for (const ProfileDiffItem &item : m_items) {
        if (!item.isChanged())
            out.append(item);
    }
    return out;
}

QString ProfileDiffView::headerText() const
{
    return m_header->text();
}

QString ProfileDiffView::summaryText() const
{
    return m_summary->text();
}

QString ProfileDiffView::applyTitle(qsizetype changes)
{
    const int n = static_cast<int>(changes);
    return n == 1 ? tr("Apply %n Change", nullptr, n) : tr("Apply %n Changes", nullptr, n);
}

void ProfileDiffView::keyPressEvent(QKeyEvent *event)
{
    // Escape cancels; Return applies only while there is something to apply.
    if (event->key() == Qt::Key_Escape) {
        m_cancel->click();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (m_apply->isEnabled())
            m_apply->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ProfileDiffView::buildRows(int atLeast, qint64 budgetNs)
{
    QElapsedTimer clock;
    clock.start();
    int built = 0;
    while (m_nextRow < m_rowsToBuild.size() && (built < atLeast || clock.nsecsElapsed() < budgetNs)) {
        const PendingRow &pending = m_rowsToBuild[m_nextRow++];
        pending.container->layout()->addWidget(makeRow(pending.item, pending.container));
        ++built;
    }
    if (isComplete()) {
        emit completed();
        return;
    }
    // A few milliseconds of rows per turn of the event loop, then the window's own events.
    constexpr qint64 kSliceNs = 6'000'000;
    QTimer::singleShot(0, this, [this] { buildRows(1, kSliceNs); });
}

QWidget *ProfileDiffView::makeRow(const ProfileDiffItem &item, QWidget *parent) const
{
    auto *row = new QWidget(parent);
    row->setObjectName(item.id);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 2, 0, 2);
    auto *texts = new QVBoxLayout;
    texts->setSpacing(2);
    auto *title = new QLabel(item.title, row);
    title->setTextFormat(Qt::PlainText);
    QFont titleFont = title->font();
    titleFont.setWeight(QFont::Medium);
    title->setFont(titleFont);
    texts->addWidget(title);
    if (item.isChanged()) {
        auto *values = new QHBoxLayout;
        values->setSpacing(4);
        QLabel *old = coloured(shownText(item.currentValue), Style::redText(), row);
        old->setObjectName(QStringLiteral("old"));
        QFont struck = old->font();
        struck.setStrikeOut(true);
        old->setFont(struck);
        auto *arrow = new QLabel(row);
        arrow->setPixmap(m_arrow);
        QLabel *fresh = coloured(shownText(item.newValue), Style::greenText(), row);
        fresh->setObjectName(QStringLiteral("new"));
        values->addWidget(old);
        values->addWidget(arrow);
        values->addWidget(fresh);
        values->addStretch(1);
        texts->addLayout(values);
    } else {
        QLabel *same = coloured(shownText(item.newValue), Style::secondaryText(), row);
        same->setObjectName(QStringLiteral("new"));
        texts->addWidget(same);
    }
    layout->addLayout(texts, 1);
    auto *status = new QLabel(row);
    status->setObjectName(QStringLiteral("status"));
    status->setPixmap(item.isChanged() ? m_willChange : m_unchanged);
    status->setToolTip(item.isChanged() ? tr("Will change") : tr("Unchanged"));
    layout->addWidget(status);
    return row;
}

} // namespace velmora
