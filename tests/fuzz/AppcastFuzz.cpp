#include "FuzzTargets.h"

#include "updates/AppVersion.h"
#include "updates/Appcast.h"

namespace velmora::fuzz {

namespace {

[[noreturn]] void fail(const QString &what)
{
    const QByteArray message = what.toUtf8();
    fuzzFailure("appcast", message.constData());
}

// A feed comes from the network; only an https address (or http to this machine) may ever
// reach the opener.
void checkLink(const QUrl &url, const char *which)
{
    if (url.isEmpty())
        return;
    if (!Appcast::isSecureAddress(url))
        fail(QStringLiteral("the %1 %2 is not a secure address").arg(QLatin1String(which), url.toString()));
}

void checkFeed(const QByteArray &feed, const QUrl &feedURL)
{
    const Result<QList<AppcastItem>> items = Appcast::parse(feed, feedURL);
    if (!items)
        return;
    for (const AppcastItem &item : *items) {
        checkLink(item.downloadURL, "download link");
        checkLink(item.link, "release page");
        checkLink(item.releaseNotesURL, "release notes link");
        if (!AppVersion(item.version).isValid())
            fail(QStringLiteral("an item without a version (\"%1\") was kept").arg(item.version));
    }
    // The newest item is chosen by comparing versions pairwise, so the order must be consistent;
    // only a version that begins with "-" is not, with the framework's comparator as with ours.
    for (qsizetype i = 1; i < items->size(); ++i) {
        const AppVersion a((*items)[i - 1].version), b((*items)[i].version);
        const bool dashFirst = a.text().startsWith(QLatin1Char('-')) || b.text().startsWith(QLatin1Char('-'));
        if ((!dashFirst && AppVersion::compare(a, b) != -AppVersion::compare(b, a)) ||
            AppVersion::compare(a, a) != 0)
            fail(QStringLiteral("the versions \"%1\" and \"%2\" do not compare consistently")
                     .arg(a.text(), b.text()));
    }
    (void)Appcast::newestItem(*items);
}

} // namespace

int fuzzAppcast(const uint8_t *data, size_t size)
{
    const QByteArray feed = inputBytes(data, size);
    checkFeed(feed, QUrl(QStringLiteral("https://updates.example.org/velmora/appcast.xml")));
    checkFeed(feed, QUrl());
    return 0;
}

} // namespace velmora::fuzz
