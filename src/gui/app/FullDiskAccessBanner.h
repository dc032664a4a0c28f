#pragma once

#include <QTimer>
#include <QWidget>

#include <chrono>

class QPushButton;

namespace velmora {

class Platform;

/// Asks for Full Disk Access above the page while the privacy database cannot be read, until the
/// user dismisses it for good. While shown it re-tests every 2 seconds, so it goes away by itself
/// once access is granted; shown or not, it re-tests whenever the application becomes active.
/// Hidden, it takes no space.
class FullDiskAccessBanner : public QWidget {
    Q_OBJECT

public:
    /// The application default that remembers "Dismiss".
    static QString dismissedKey() { return QStringLiteral("hasDismissedFDABanner"); }
    /// The settings page that lists the applications with Full Disk Access.
    static QString settingsURL()
    {
        return QStringLiteral(
            "x-apple.systempreferences:com.apple.settings.PrivacySecurity.extension?Privacy_AllFiles");
    }

    explicit FullDiskAccessBanner(Platform &platform, QWidget *parent = nullptr);

    bool isDismissed() const { return m_dismissed; }
    bool hasAccess() const { return m_hasAccess; }
    /// Not dismissed and no access: the banner is on show (and polling).
    bool isShowingBanner() const { return !m_dismissed && !m_hasAccess; }
    bool isPolling() const { return m_poll.isActive(); }
    std::chrono::milliseconds pollInterval() const { return m_poll.intervalAsDuration(); }
    /// Two seconds unless changed (tests shorten it).
    void setPollInterval(std::chrono::milliseconds interval) { m_poll.setInterval(interval); }

    QPushButton *openSettingsButton() const { return m_openSettings; }
    QPushButton *dismissButton() const { return m_dismiss; }

    /// Tests for access again.
    void retest();
    /// Opens the Full Disk Access settings page.
    void openSettings();
    /// Hides the banner for good, remembered in the application's defaults.
    void dismiss();

signals:
    void showingChanged(bool showing);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void setHasAccess(bool hasAccess);
    void updateState();
    bool readDismissed() const;

    Platform &m_platform;
    QWidget *m_card;
    QPushButton *m_openSettings;
    QPushButton *m_dismiss;
    QTimer m_poll;
    bool m_dismissed = false;
    bool m_hasAccess = false;
    bool m_showing = false;
};

} // namespace velmora
