#pragma once

#include "profiles/ExportFormat.h"
#include "profiles/ExportOptions.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

/// Profiles ▸ Export…: which format to write, of what (the current settings or a saved profile), and
/// for a configuration profile how its values are managed and its identifier. The menu asks for the
/// files once the user has chosen.
class ProfileExportDialog : public QDialog {
    Q_OBJECT

public:
    /// What the user chose.
    struct Request {
        ExportFormat format = ExportFormat::mobileconfig;
        /// A saved profile file rather than the current settings.
        bool fromFile = false;
        ExportOptions options;
    };

    explicit ProfileExportDialog(QWidget *parent = nullptr);

    Request request() const;

    QComboBox *formatBox() const { return m_format; }
    QComboBox *sourceBox() const { return m_source; }
    QComboBox *managementBox() const { return m_management; }
    QLineEdit *identifierField() const { return m_identifier; }
    QPushButton *exportButton() const { return m_export; }

private:
    /// The management and the identifier only mean something to a configuration profile, and an
    /// identifier that is not reverse-DNS cannot be exported.
    void updateControls();

    QComboBox *m_format;
    QComboBox *m_source;
    QComboBox *m_management;
    QLineEdit *m_identifier;
    QLabel *m_identifierProblem;
    QPushButton *m_export;
};

} // namespace velmora
