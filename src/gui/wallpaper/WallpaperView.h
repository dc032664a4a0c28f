#pragma once

#include "gui/kit/AppContext.h"

#include <QList>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace velmora {

class ChooseImageTapTarget;
class MiddleElidedLabel;
class PreviewWell;
class ToggleSwitch;
class WallpaperCard;
class WallpaperDisplayRow;
class WallpaperViewModel;

/// The wallpaper editor page: the connected displays with their pictures, a preview of the selected
/// display's picture with its scaling, "Choose Image", the scaling and clipping options, and "Revert"
/// and "Apply" while there are edits. Every display is edited on its own and all are applied at once.
/// Each time the page is shown it reads the displays afresh, dropping unapplied edits.
class WallpaperView : public QWidget {
    Q_OBJECT

public:
    explicit WallpaperView(const AppContext &context, QWidget *parent = nullptr);

    WallpaperViewModel *model() const { return m_model; }

    // The page's parts, for tests and accessibility.
    MiddleElidedLabel *fileNameLabel() const { return m_fileName; }
    QPushButton *revertButton() const { return m_revert; }
    QPushButton *applyButton() const { return m_apply; }
    ChooseImageTapTarget *chooseImageButton() const { return m_chooseImage; }
    const QList<WallpaperDisplayRow *> &displayRows() const { return m_rows; }
    QLabel *displaysCaption() const { return m_displaysCaption; }
    PreviewWell *previewWell() const { return m_preview; }
    QComboBox *scalingMenu() const { return m_scaling; }
    ToggleSwitch *clippingSwitch() const { return m_clipping; }
    QLabel *statusLabel() const { return m_status; }

    /// The label of a scaling mode in the menu: "Fill Screen", "Fit to Screen", "Stretch to Fill", "Center".
    static QString scalingLabel(int index);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Tells the model the size the preview is shown at, in device pixels.
    void sizePreviews();
    void chooseImage();
    void applyIfDirty();
    void rebuildRows();
    void refreshRows();
    void refreshSelection();
    void refreshStatus();
    void refreshDirty();

    AppContext m_context;
    WallpaperViewModel *m_model;

    MiddleElidedLabel *m_fileName = nullptr;
    QPushButton *m_revert = nullptr;
    QPushButton *m_apply = nullptr;
    ChooseImageTapTarget *m_chooseImage = nullptr;
    WallpaperCard *m_displaysCard = nullptr;
    QVBoxLayout *m_rowsLayout = nullptr;
    QList<WallpaperDisplayRow *> m_rows;
    QLabel *m_displaysCaption = nullptr;
    PreviewWell *m_preview = nullptr;
    QComboBox *m_scaling = nullptr;
    ToggleSwitch *m_clipping = nullptr;
    QLabel *m_status = nullptr;
};

} // namespace velmora
