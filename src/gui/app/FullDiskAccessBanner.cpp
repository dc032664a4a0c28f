#include "FullDiskAccessBanner.h"

#include "gui/kit/Style.h"
#include "platform/FullDiskAccess.h"
#include "platform/Platform.h"
#include "platform/PreferenceStore.h"
#include "platform/SymbolImages.h"
#include "platform/Workspace.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

namespace {

// What the system's own boolean default reading accepts: a boolean, a non-zero number, or the texts
// "YES"/"true"/a non-zero number, as `defaults write … -bool`, `-int 1` or `-string YES` leave them.
bool isTrue(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool: return value.toBool();
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double: return value.toDouble() != 0.0;
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        if (text.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0 ||
            text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        bool ok = false;
        const qlonglong number = text.toLongLong(&ok);
        return ok && number != 0;
    }
    default: return false;
    }
}

} // namespace

FullDiskAccessBanner::FullDiskAccessBanner(Platform &platform, QWidget *parent)
    : QWidget(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("fullDiskAccessBanner"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 10, 16, 0);
    m_card = new QWidget(this);
    outer->addWidget(m_card);

    auto *row = new QHBoxLayout(m_card);
    row->setContentsMargins(14, 14, 14, 14);
    row->setSpacing(12);
    row->setAlignment(Qt::AlignTop);

    const QFont iconFont = Style::title3();
    auto *icon = new QLabel(m_card);
    icon->setObjectName(QStringLiteral("fullDiskAccessIcon"));
    const qreal iconSize = iconFont.pointSizeF() > 0 ? iconFont.pointSizeF() * 1.5 : 20.0;
    icon->setPixmap(platform.symbols().symbol(QStringLiteral("lock.shield.fill"), Style::accent(), iconSize,
                                              devicePixelRatioF()));
    icon->setContentsMargins(0, 2, 0, 0);
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    row->addWidget(icon, 0, Qt::AlignTop);

    auto *column = new QVBoxLayout;
    column->setSpacing(4);
    auto *title = new QLabel(tr("Some settings require Full Disk Access"), m_card);
    title->setObjectName(QStringLiteral("fullDiskAccessTitle"));
    title->setFont(Style::headline());
    auto *body = new QLabel(tr("Velmora can read tweaks from apps like Safari, Messages, and Music only "
                               "after you grant Full Disk Access in System Settings."),
                            m_card);
    body->setObjectName(QStringLiteral("fullDiskAccessMessage"));
    body->setFont(Style::callout());
    body->setWordWrap(true);
    Style::setSecondaryText(body);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->setContentsMargins(0, 4, 0, 0);
    m_openSettings = new QPushButton(tr("Open Settings"), m_card);
    m_openSettings->setObjectName(QStringLiteral("openSettings"));
    m_openSettings->setFont(Style::callout());
    m_openSettings->setAutoDefault(false);
    Style::setProminent(m_openSettings);
    m_dismiss = new QPushButton(tr("Dismiss"), m_card);
    m_dismiss->setObjectName(QStringLiteral("dismiss"));
    m_dismiss->setFont(Style::callout());
    m_dismiss->setFlat(true);
    m_dismiss->setAutoDefault(false);
    buttons->addWidget(m_openSettings);
    buttons->addWidget(m_dismiss);
    buttons->addStretch(1);

    column->addWidget(title);
    column->addWidget(body);
    column->addLayout(buttons);
    row->addLayout(column, 1);

    connect(m_openSettings, &QPushButton::clicked, this, &FullDiskAccessBanner::openSettings);
    connect(m_dismiss, &QPushButton::clicked, this, &FullDiskAccessBanner::dismiss);

    m_poll.setInterval(std::chrono::seconds(2));
    connect(&m_poll, &QTimer::timeout, this, &FullDiskAccessBanner::retest);
    // Access granted or revoked in the system's settings shows the next time the user comes back.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            retest();
    });

    m_dismissed = readDismissed();
    m_hasAccess = FullDiskAccess::isGranted(m_platform.fileLocations());
    updateState();
}

bool FullDiskAccessBanner::readDismissed() const
{
    return isTrue(m_platform.preferences().copyAppValue(dismissedKey(), Platform::applicationIdentifier()));
}

void FullDiskAccessBanner::retest()
{
    setHasAccess(FullDiskAccess::isGranted(m_platform.fileLocations()));
}

void FullDiskAccessBanner::setHasAccess(bool hasAccess)
{
    if (m_hasAccess == hasAccess)
        return;
    m_hasAccess = hasAccess;
    updateState();
}

void FullDiskAccessBanner::openSettings()
{
    const QUrl url(settingsURL(), QUrl::StrictMode);
    if (!url.isValid())
        return;
    const Status opened = m_platform.workspace().openURL(url);
    if (!opened)
        qWarning("FullDiskAccessBanner: %s", qUtf8Printable(opened.error()));
}

void FullDiskAccessBanner::dismiss()
{
    if (m_dismissed)
        return;
    m_dismissed = true;
    const QString app = Platform::applicationIdentifier();
    // Hidden at once either way; if the default cannot be written the banner comes back next time,
    // which is the lesser evil than never asking again by mistake.
    const Status stored = m_platform.preferences().setAppValue(dismissedKey(), true, app);
    if (!stored)
        qWarning("FullDiskAccessBanner: could not remember the dismissal: %s",
                 qUtf8Printable(stored.error()));
    m_platform.preferences().synchronize(app);
    updateState();
}

void FullDiskAccessBanner::updateState()
{
    const bool showing = isShowingBanner();
    // The 2-second re-test runs only while the banner is on show; hidden, only activation re-tests.
    if (showing && !m_poll.isActive())
        m_poll.start();
    else if (!showing)
        m_poll.stop();
    // A banner without a parent would become a window of its own: a layout shows it when it is added.
    if (parentWidget() || !showing)
        setVisible(showing);
    if (showing != m_showing) {
        m_showing = showing;
        emit showingChanged(showing);
    }
}

bool FullDiskAccessBanner::event(QEvent *event)
{
    if (event->type() == QEvent::ParentChange && parentWidget())
        setVisible(isShowingBanner());
    return QWidget::event(event);
}

void FullDiskAccessBanner::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // The border lies on the inside edge of the card: half a pixel in from its rectangle.
    const QRectF card = QRectF(m_card->geometry()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(card, 12, 12);
    QColor fill = Style::accent();
    fill.setAlphaF(0.07);
    p.fillPath(shape, fill);
    QColor border = Style::accent();
    border.setAlphaF(0.25);
    p.setPen(QPen(border, 1));
    p.drawPath(shape);
}

} // namespace velmora
