#pragma once

#include <QAccessibleWidget>

class QComboBox;

namespace velmora {

/// A picker (a combo box) as assistive technology sees it. Qt names a combo box on Linux by the
/// option it shows, so a row's picker would read as "Graphite" rather than "Accent colour"; here
/// its name is its accessible name (the option shown only when it has none) and the option shown
/// is its value. Its list of options is its child, opened and closed by its actions.
class AccessiblePicker : public QAccessibleWidget {
public:
    explicit AccessiblePicker(QComboBox *picker);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    QComboBox *picker() const;
};

} // namespace velmora
