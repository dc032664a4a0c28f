#include "WallpaperView.h"

#include "ChooseImageTapTarget.h"
#include "PreviewWell.h"
#include "WallpaperCard.h"
#include "WallpaperDisplayRow.h"
#include "gui/kit/CategoryIconBadge.h"
#include "gui/kit/DisplayPath.h"
#include "gui/kit/MiddleElidedLabel.h"
#include "gui/kit/PageScrollArea.h"
#include "gui/kit/Panels.h"
#include "gui/kit/Style.h"
#include "gui/kit/ToggleSwitch.h"
#include "gui/kit/WheelGuard.h"
#include "platform/Platform.h"
#include "platform/Workspace.h"
#include "wallpaper/DesktopPictures.h"
#include "wallpaper/WallpaperViewModel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace velmora {

namespace {

// The file name of a path: what follows the last "/".
QString fileNameOf(const QString &path)
{
    return path.section(QLatin1Char('/'), -1);
}

} // namespace

WallpaperView::WallpaperView(const AppContext &context, QWidget *parent)
    : QWidget(parent), m_context(context), m_model(new WallpaperViewModel(context.platform, this))
{
    setWindowTitle(tr("Wallpaper"));
    const SymbolImages &symbols = m_context.platform.symbols();

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    // Header: badge, title and file name, the edit buttons; under it "Choose Image".
    auto *header = new QWidget(this);
    auto *headerStack = new QVBoxLayout(header);
    headerStack->setContentsMargins(24, 24, 24, 16);
    headerStack->setSpacing(16);
    auto *titleRow = new QHBoxLayout;
    titleRow->setSpacing(14);
    const TweakCategory badgeLook{QStringLiteral("wallpaper"), tr("Wallpaper"), QStringLiteral("photo.fill"),
                                  CategoryTint::teal, 0};
    auto *badge = new CategoryIconBadge(symbols, badgeLook, 56, 24, 12, header);
    auto *titles = new QVBoxLayout;
    titles->setSpacing(2);
    auto *title = new QLabel(tr("Wallpaper"), header);
    title->setFont(Style::title2());
    m_fileName = new MiddleElidedLabel(header);
    m_fileName->setFont(Style::callout());
    Style::setSecondaryText(m_fileName);
    titles->addWidget(title);
    titles->addWidget(m_fileName);
    m_revert = new QPushButton(tr("Revert"), header);
    m_apply = new QPushButton(tr("Apply"), header);
    m_apply->setToolTip(
        tr("Apply (%1)").arg(QKeySequence(Qt::CTRL | Qt::Key_Return).toString(QKeySequence::NativeText)));
    Style::setProminent(m_apply);
    titleRow->addWidget(badge);
    titleRow->addLayout(titles, 1);
    titleRow->addWidget(m_revert);
    titleRow->addWidget(m_apply);
    headerStack->addLayout(titleRow);
    auto *chooseRow = new QHBoxLayout;
    m_chooseImage = new ChooseImageTapTarget(symbols, header);
    chooseRow->addWidget(m_chooseImage);
    chooseRow->addStretch(1);
    headerStack->addLayout(chooseRow);
    outer->addWidget(header);

    // The cards, in a scroll area.
    auto *scroll = new PageScrollArea(this);
    auto *content = new QWidget;
    auto *stack = new QVBoxLayout(content);
    stack->setContentsMargins(24, 0, 24, 24);
    stack->setSpacing(20);

    m_displaysCard = new WallpaperCard(tr("Displays"), 10, content);
    m_rowsLayout = new QVBoxLayout;
    m_rowsLayout->setContentsMargins(0, 0, 0, 0);
    m_rowsLayout->setSpacing(4);
    m_displaysCard->content()->addLayout(m_rowsLayout);
    m_displaysCaption =
        new QLabel(tr("Select a display to configure its wallpaper independently."), m_displaysCard);
    m_displaysCaption->setFont(Style::caption());
    m_displaysCaption->setWordWrap(true);
    Style::setTextColor(m_displaysCaption, Style::tertiaryText());
    m_displaysCard->content()->addWidget(m_displaysCaption);
    stack->addWidget(m_displaysCard);

    auto *previewCard = new WallpaperCard(tr("Preview"), 12, content);
    m_preview = new PreviewWell(symbols, previewCard);
    previewCard->content()->addWidget(m_preview);
    stack->addWidget(previewCard);

    auto *optionsCard = new WallpaperCard(tr("Display Options"), 14, content);
    auto *scalingRow = new QHBoxLayout;
    auto *scalingLabelWidget = new QLabel(tr("Scaling"), optionsCard);
    m_scaling = new QComboBox(optionsCard);
    for (int i = 0; i < allScalings().size(); ++i)
        m_scaling->addItem(scalingLabel(i), rawValue(allScalings()[i]));
    m_scaling->setAccessibleName(tr("Scaling"));
    WheelGuard::install(m_scaling);
    scalingLabelWidget->setBuddy(m_scaling);
    scalingRow->addWidget(scalingLabelWidget);
    scalingRow->addStretch(1);
    scalingRow->addWidget(m_scaling);
    optionsCard->content()->addLayout(scalingRow);
    auto *clippingRow = new QHBoxLayout;
    auto *clippingLabel = new QLabel(tr("Allow clipping"), optionsCard);
    m_clipping = new ToggleSwitch(optionsCard);
    m_clipping->setAccessibleName(tr("Allow clipping"));
    clippingRow->addWidget(clippingLabel);
    clippingRow->addStretch(1);
    clippingRow->addWidget(m_clipping);
    optionsCard->content()->addLayout(clippingRow);
    stack->addWidget(optionsCard);

    m_status = new QLabel(content);
    m_status->setFont(Style::callout());
    m_status->setWordWrap(true);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setContentsMargins(4, 0, 4, 0);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Style::setSecondaryText(m_status);
    stack->addWidget(m_status);
    stack->addStretch(1);
    scroll->setWidget(content);
    outer->addWidget(scroll, 1);

    // Command-Return applies, as the prominent button promises.
    for (const QKeySequence &keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto *shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, &WallpaperView::applyIfDirty);
    }

    connect(m_revert, &QPushButton::clicked, m_model, &WallpaperViewModel::load);
    connect(m_apply, &QPushButton::clicked, this, &WallpaperView::applyIfDirty);
    connect(m_chooseImage, &QAbstractButton::clicked, this, &WallpaperView::chooseImage);
    connect(m_scaling, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < allScalings().size())
            m_model->setScaling(allScalings()[index]);
        refreshSelection(); // without a display the choice has no effect: show what holds
    });
    connect(m_clipping, &QAbstractButton::clicked, this, [this](bool checked) {
        m_model->setAllowClipping(checked);
        refreshSelection();
    });

    connect(m_model, &WallpaperViewModel::screensChanged, this, &WallpaperView::rebuildRows);
    connect(m_model, &WallpaperViewModel::previewsChanged, this, [this] {
        refreshRows();
        refreshSelection();
    });
    connect(m_model, &WallpaperViewModel::selectedDisplayIDChanged, this, [this] {
        refreshRows();
        refreshSelection();
    });
    connect(m_model, &WallpaperViewModel::pendingPreviewsChanged, this, &WallpaperView::refreshSelection);
    connect(m_model, &WallpaperViewModel::previewProblemsChanged, this, &WallpaperView::refreshSelection);
    connect(m_model, &WallpaperViewModel::configsChanged, this, &WallpaperView::refreshSelection);
    m_preview->installEventFilter(this);
    connect(m_model, &WallpaperViewModel::statusChanged, this, &WallpaperView::refreshStatus);
    connect(m_model, &WallpaperViewModel::isDirtyChanged, this, &WallpaperView::refreshDirty);

    rebuildRows();
    refreshSelection();
    refreshStatus();
    refreshDirty();
}

QString WallpaperView::scalingLabel(int index)
{
    static const char *const labels[] = {QT_TR_NOOP("Fill Screen"), QT_TR_NOOP("Fit to Screen"),
                                         QT_TR_NOOP("Stretch to Fill"), QT_TR_NOOP("Center")};
    return index >= 0 && index < 4 ? tr(labels[index]) : QString();
}

void WallpaperView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Coming back to the page drops unapplied edits; a window merely restored from the Dock does not.
    if (!event->spontaneous()) {
        sizePreviews();
        m_model->load();
    }
}

bool WallpaperView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_preview && event->type() == QEvent::Resize)
        sizePreviews();
    return QWidget::eventFilter(watched, event);
}

void WallpaperView::sizePreviews()
{
    // Decoded for the well's pixels: a large picture decoded whole would take seconds and hold
    // hundreds of megabytes for a few hundred points of preview.
    m_model->setPreviewPixelSize(m_preview->size() * m_preview->devicePixelRatioF());
}

void WallpaperView::chooseImage()
{
    Workspace &workspace = m_context.platform.workspace();
    workspace.playAlertSound();
    workspace.log(QStringLiteral("[ChooseImage] tap target fired"));
    if (QWidget *top = window()) {
        top->raise();
        top->activateWindow();
    }
    const std::optional<QString> chosen =
        m_context.panels.chooseImage(this, tr("Choose a wallpaper image"), tr("Choose"));
    if (!chosen || chosen->isEmpty())
        return;
    m_model->setImagePath(*chosen);
}

void WallpaperView::applyIfDirty()
{
    if (m_model->isDirty())
        m_model->applyConfigs();
}

void WallpaperView::rebuildRows()
{
    qDeleteAll(m_rows);
    m_rows.clear();
    const QList<Display> &screens = m_model->screens();
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const Display &display = screens[i];
        auto *row = new WallpaperDisplayRow(m_context.platform.symbols(), displayID(display), m_displaysCard);
        row->setName(display.name.isEmpty() ? tr("Display %1").arg(i + 1) : display.name);
        row->setSizeText(QStringLiteral("%1×%2").arg(display.frame.width()).arg(display.frame.height()));
        connect(row, &QAbstractButton::clicked, this,
                [this, id = row->displayID()] { m_model->setSelectedDisplayID(id); });
        m_rowsLayout->addWidget(row);
        m_rows.append(row);
    }
    // Tab goes from one display to the next in their order.
    for (qsizetype i = 1; i < m_rows.size(); ++i)
        setTabOrder(m_rows[i - 1], m_rows[i]);
    refreshRows();
}

void WallpaperView::refreshRows()
{
    const std::optional<quint32> selected = m_model->selectedDisplayID();
    for (WallpaperDisplayRow *row : std::as_const(m_rows)) {
        const auto preview = m_model->previews().constFind(row->displayID());
        row->setPreview(preview == m_model->previews().cend() ? std::nullopt
                                                              : std::optional<QImage>(*preview));
        row->setSelected(selected && *selected == row->displayID());
    }
}

void WallpaperView::refreshSelection()
{
    const WallpaperConfig config = m_model->currentConfig();
    m_fileName->setText(config.hasImagePath() ? fileNameOf(*config.imagePath) : tr("No image selected"));
    // The name alone is shown; its tip says where the file is.
    if (config.hasImagePath())
        m_fileName->setToolTip(
            DisplayPath::abbreviated(*config.imagePath, m_context.platform.fileLocations().home));

    std::optional<QImage> preview;
    if (const std::optional<quint32> id = m_model->selectedDisplayID()) {
        const auto found = m_model->previews().constFind(*id);
        if (found != m_model->previews().cend())
            preview = *found;
    }
    m_preview->setImage(preview);
    const std::optional<quint32> selected = m_model->selectedDisplayID();
    const bool loading = !preview && selected && m_model->pendingPreviews().contains(*selected);
    m_preview->setLoading(loading);
    std::optional<QString> problem;
    if (!preview && !loading && selected && config.hasImagePath()) {
        const auto found = m_model->previewProblems().constFind(*selected);
        if (found != m_model->previewProblems().cend())
            problem = *found == WallpaperViewModel::PreviewProblem::tooLarge
                          ? tr("This picture is too large to preview")
                          : tr("This picture cannot be previewed");
    }
    m_preview->setProblem(problem);
    m_preview->setScaling(config.scaling);

    const QSignalBlocker blockMenu(m_scaling);
    m_scaling->setCurrentIndex(int(allScalings().indexOf(config.scaling)));
    const QSignalBlocker blockSwitch(m_clipping);
    m_clipping->setChecked(config.allowClipping);
}

void WallpaperView::refreshStatus()
{
    const std::optional<QString> &status = m_model->status();
    m_status->setText(status.value_or(QString()));
    m_status->setVisible(status.has_value());
}

void WallpaperView::refreshDirty()
{
    m_revert->setVisible(m_model->isDirty());
    m_apply->setVisible(m_model->isDirty());
}

} // namespace velmora
