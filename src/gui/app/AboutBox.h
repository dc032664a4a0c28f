#pragma once

#include <QMessageBox>

namespace velmora {

/// Help ▸ About Velmora: the version, the licence and the libraries the application is built on,
/// with the application's icon when it has one.
class AboutBox : public QMessageBox {
    Q_OBJECT

public:
    explicit AboutBox(QWidget *parent = nullptr);
};

} // namespace velmora
