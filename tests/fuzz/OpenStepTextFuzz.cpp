#include "FuzzTargets.h"

#include "plist/OpenStepText.h"
#include "support/PlistTreeEquality.h"

namespace velmora::fuzz {

int fuzzOpenStepText(const uint8_t *data, size_t size)
{
    const Result<QVariant> tree = OpenStepText::parse(QString::fromUtf8(inputBytes(data, size)));
    if (!tree)
        return 0;
    // What `defaults read` prints must be what `defaults write` takes back.
    const QString printed = OpenStepText::format(*tree);
    const Result<QVariant> reread = OpenStepText::parse(printed);
    if (!reread) {
        const QByteArray message = QStringLiteral("the printed form of a parsed value does not parse: %1")
                                       .arg(reread.error())
                                       .toUtf8();
        fuzzFailure("openstep", message.constData());
    }
    QString difference;
    if (!test::sameTree(*tree, *reread, &difference)) {
        const QByteArray message = QStringLiteral("printed and read back, %1").arg(difference).toUtf8();
        fuzzFailure("openstep", message.constData());
    }
    return 0;
}

} // namespace velmora::fuzz
