// velmoractl: the command-line companion of Velmora.

#include "CommandContext.h"
#include "Velmoractl.h"

#include <QCoreApplication>
#include <QCoro/QCoroTask>
#include <QTextStream>
#include <QTimer>

int main(int argc, char *argv[])
{
    using namespace velmora;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmoractl"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandContext context(out, err);
    Velmoractl velmoractl;
    const QStringList arguments = QCoreApplication::arguments().mid(1);

    int exitCode = 0;
    QTimer::singleShot(0, &app, [&] {
        QCoro::connect(velmoractl.execute(context, arguments), &app, [&](int code) {
            exitCode = code;
            out.flush();
            err.flush();
            QCoreApplication::exit(code);
        });
    });
    app.exec();
    return exitCode;
}
