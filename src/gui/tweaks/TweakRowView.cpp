#include "TweakRowView.h"

#include "engine/TweakEngine.h"
#include "gui/kit/DecimalSlider.h"
#include "gui/kit/IntegerStepper.h"
#include "gui/kit/PathPickerControl.h"
#include "gui/kit/Style.h"
#include "gui/kit/Tasks.h"
#include "gui/kit/ToggleSwitch.h"
#include "gui/kit/WheelGuard.h"
#include "platform/Platform.h"
#include "platform/SymbolImages.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace velmora {

TweakRowView::TweakRowView(const AppContext &context, Tweak tweak, int rowMinHeight, int controlColumnWidth,
                           QWidget *parent)
    : QFrame(parent), m_context(context), m_tweak(std::move(tweak))
{
    setObjectName(m_tweak.id);
    setMinimumHeight(rowMinHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(16, 12, 16, 12);
    row->setSpacing(16);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(3);
    auto *title = new QLabel(m_tweak.title, this);
    title->setFont(Style::headline());
    title->setTextFormat(Qt::PlainText);
    title->setWordWrap(true);
    texts->addWidget(title);
    if (m_tweak.summary) {
        auto *summary = new QLabel(*m_tweak.summary, this);
        summary->setFont(Style::subheadline());
        summary->setTextFormat(Qt::PlainText);
        summary->setWordWrap(true);
        Style::setSecondaryText(summary);
        texts->addWidget(summary);
    }
    if (m_tweak.warning) {
        auto *warningRow = new QHBoxLayout;
        warningRow->setSpacing(4);
        auto *icon = new QLabel(this);
        icon->setPixmap(m_context.platform.symbols().symbol(QStringLiteral("exclamationmark.triangle.fill"),
                                                            Style::orange(), 11, devicePixelRatioF()));
        auto *warning = new QLabel(*m_tweak.warning, this);
        warning->setFont(Style::caption());
        warning->setTextFormat(Qt::PlainText);
        warning->setWordWrap(true);
        Style::setTextColor(warning, Style::orangeText());
        warningRow->addWidget(icon, 0, Qt::AlignTop);
        warningRow->addWidget(warning, 1);
        texts->addLayout(warningRow);
    }
    row->addLayout(texts, 1);

    auto *column = new QWidget(this);
    auto *columnLayout = new QHBoxLayout(column);
    columnLayout->setContentsMargins(0, 0, 0, 0);
    QWidget *control = makeControl();
    // A picker is as wide as its longest option, even where that is wider than the column.
    if (m_picker)
        column->setMinimumWidth(controlColumnWidth);
    else
        column->setFixedWidth(controlColumnWidth);
    control->setParent(column);
    // Sliders and path choosers take the whole column; the others sit at its trailing edge.
    const bool fillsColumn = m_slider || m_path || m_stepper;
    if (!fillsColumn)
        columnLayout->addStretch(1);
    columnLayout->addWidget(control, fillsColumn ? 1 : 0);
    row->addWidget(column, 0, Qt::AlignVCenter);

    connect(&m_context.engine, &TweakEngine::currentValueChanged, this, [this](const QString &id) {
        if (id == m_tweak.id)
            showValue();
    });
    showValue();
}

QWidget *TweakRowView::makeControl()
{
    TweakEngine &engine = m_context.engine;
    switch (m_tweak.kind.type()) {
    case TweakKind::Type::toggle:
        m_toggle = new ToggleSwitch;
        m_toggle->setAccessibleName(m_tweak.title);
        connect(m_toggle, &ToggleSwitch::clicked, this,
                [this](bool on) { applyAndShow(TweakValue::ofBool(on)); });
        return m_toggle;
    case TweakKind::Type::picker:
        m_picker = new QComboBox;
        m_picker->setAccessibleName(m_tweak.title);
        m_picker->setMinimumWidth(160);
        m_picker->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        m_picker->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        WheelGuard::install(m_picker);
        for (const TweakOption &option : m_tweak.kind.options())
            m_picker->addItem(option.label);
        connect(m_picker, &QComboBox::activated, this, [this](int index) {
            const QList<TweakOption> &options = m_tweak.kind.options();
            if (index < 0 || index >= options.size())
                return;
            applyAndShow(options[index].value);
        });
        return m_picker;
    case TweakKind::Type::text:
        m_text = new QLineEdit;
        m_text->setAccessibleName(m_tweak.title);
        m_text->setFixedWidth(220);
        Style::setRoundedBorder(m_text);
        m_text->setClearButtonEnabled(false);
        m_text->installEventFilter(this);
        connect(m_text, &QLineEdit::textEdited, this, [this](const QString &text) {
            startTask(m_context.engine.apply(TweakValue::ofString(text), m_tweak), this);
        });
        return m_text;
    case TweakKind::Type::path:
        m_path = new PathPickerControl(engine, m_context.panels, m_tweak);
        return m_path;
    case TweakKind::Type::integer: m_stepper = new IntegerStepper(engine, m_tweak); return m_stepper;
    case TweakKind::Type::decimal: m_slider = new DecimalSlider(engine, m_tweak); return m_slider;
    }
    return new QWidget;
}

void TweakRowView::applyAndShow(const TweakValue &value)
{
    // The control shows the new choice while the write runs; once it has finished the control shows
    // the engine's value again, so a failed write never leaves it claiming a state the system lacks.
    QCoro::connect(m_context.engine.apply(value, m_tweak), this, [this](bool) { showValue(); });
}

void TweakRowView::showValue()
{
    const TweakValue shown = m_context.engine.valueOrDefault(m_tweak);
    if (m_toggle) {
        const QSignalBlocker block(m_toggle);
        m_toggle->setChecked(shown.isBool() && shown.toBool());
    } else if (m_picker) {
        int selected = -1;
        const QList<TweakOption> &options = m_tweak.kind.options();
        for (int i = 0; i < options.size(); ++i) {
            if (options[i].value == shown) {
                selected = i;
                break;
            }
        }
        const QSignalBlocker block(m_picker);
        m_picker->setCurrentIndex(selected); // -1: no selection for a value no option has
    } else if (m_text) {
        // While the user types, the field is the truth: the engine catches up keystroke by keystroke.
        const QString text = shown.isString() ? shown.toString() : QString();
        if (!m_text->hasFocus() && m_text->text() != text) {
            const QSignalBlocker block(m_text);
            m_text->setText(text);
        }
    } else if (m_path) {
        m_path->refresh();
    } else if (m_stepper) {
        m_stepper->refresh();
    } else if (m_slider) {
        m_slider->refresh();
    }
}

bool TweakRowView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text && event->type() == QEvent::FocusOut)
        showValue();
    return QFrame::eventFilter(watched, event);
}

QMenu *TweakRowView::contextMenu()
{
    if (!m_menu) {
        m_menu = new QMenu(this);
        QAction *reset =
            m_menu->addAction(QIcon(m_context.platform.symbols().symbol(
                                  QStringLiteral("arrow.uturn.backward"),
                                  palette().color(QPalette::WindowText), 14, devicePixelRatioF())),
                              tr("Reset to Default"));
        connect(reset, &QAction::triggered, this, &TweakRowView::resetToDefault);
    }
    return m_menu;
}

void TweakRowView::resetToDefault()
{
    startTask(m_context.engine.reset(m_tweak), this);
}

void TweakRowView::contextMenuEvent(QContextMenuEvent *event)
{
    contextMenu()->popup(event->globalPos());
}

void TweakRowView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), 12, 12);
    p.fillPath(shape, Style::secondaryBackground());
}

} // namespace velmora
