#include "ProfileExportDialog.h"

#include "gui/kit/Style.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

namespace {

QString formatTitle(ExportFormat format)
{
    switch (format) {
    case ExportFormat::mobileconfig:
        return ProfileExportDialog::tr("Configuration profile for device management");
    case ExportFormat::script: return ProfileExportDialog::tr("Shell script of defaults commands");
    case ExportFormat::ansible: return ProfileExportDialog::tr("Ansible tasks");
    case ExportFormat::nix: return ProfileExportDialog::tr("nix-darwin module");
    }
    return QString();
}

} // namespace

ProfileExportDialog::ProfileExportDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Export Profile"));
    setWindowModality(Qt::WindowModal);

    m_format = new QComboBox(this);
    for (ExportFormat format : allExportFormats())
        m_format->addItem(tr("%1 (.%2)").arg(formatTitle(format), fileExtension(format)), rawValue(format));
    m_format->setAccessibleName(tr("Format"));

    m_source = new QComboBox(this);
    m_source->addItem(tr("The current settings"));
    m_source->addItem(tr("A saved profile…"));
    m_source->setAccessibleName(tr("Settings to export"));

    m_management = new QComboBox(this);
    m_management->addItem(tr("Forced: kept as they are while the profile is installed"));
    m_management->addItem(tr("Set once: the user may change them afterwards"));
    m_management->setAccessibleName(tr("Management"));

    m_identifier = new QLineEdit(ExportOptions::defaultIdentifierPrefix(), this);
    m_identifier->setAccessibleName(tr("Identifier"));
    m_identifier->setToolTip(tr("A device keeps one profile per identifier: a later export under the same "
                                "identifier replaces the earlier one."));
    m_identifierProblem = new QLabel(tr("Use a reverse-DNS name, such as com.example.settings."), this);
    m_identifierProblem->setFont(Style::caption());
    Style::setSecondaryText(m_identifierProblem);

    auto *form = new QFormLayout;
    form->addRow(tr("Format:"), m_format);
    form->addRow(tr("Export:"), m_source);
    form->addRow(tr("Management:"), m_management);
    form->addRow(tr("Identifier:"), m_identifier);
    form->addRow(QString(), m_identifierProblem);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_export = buttons->addButton(tr("Export…"), QDialogButtonBox::AcceptRole);
    m_export->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_format, &QComboBox::currentIndexChanged, this, &ProfileExportDialog::updateControls);
    connect(m_identifier, &QLineEdit::textChanged, this, &ProfileExportDialog::updateControls);
    updateControls();
}

ProfileExportDialog::Request ProfileExportDialog::request() const
{
    Request request;
    request.format =
        exportFormatFromRawValue(m_format->currentData().toString()).value_or(ExportFormat::script);
    request.fromFile = m_source->currentIndex() == 1;
    request.options.setOnce = m_management->currentIndex() == 1;
    request.options.identifierPrefix = m_identifier->text().trimmed();
    return request;
}

void ProfileExportDialog::updateControls()
{
    const bool configurationProfile = request().format == ExportFormat::mobileconfig;
    const bool identifierOk = ExportOptions::checkIdentifierPrefix(m_identifier->text().trimmed()).ok();
    m_management->setEnabled(configurationProfile);
    m_identifier->setEnabled(configurationProfile);
    m_identifierProblem->setVisible(configurationProfile && !identifierOk);
    m_export->setEnabled(!configurationProfile || identifierOk);
}

} // namespace velmora
