#pragma once

// The three lists of the Dock editor's model, each watched as a view does (see ListWatch).

#include "ListWatch.h"
#include "dock/DockAppsViewModel.h"

#include <QTest>

namespace velmora::test {

class DockListsWatch {
public:
    explicit DockListsWatch(DockAppsViewModel &model)
        : m_apps(model.appsModel(), QStringLiteral("apps"), m_log),
          m_others(model.othersModel(), QStringLiteral("others"), m_log),
          m_available(model.availableModel(), QStringLiteral("available"), m_log)
    {
    }

    /// Fails the test when a list does not agree with what it announced.
    void check()
    {
        const QString mismatch = (m_apps.mismatch() + m_others.mismatch() + m_available.mismatch()).trimmed();
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
    /// What the lists announced since the last call.
    QStringList take() { return std::exchange(m_log, {}); }

private:
    QStringList m_log;
    ListWatch m_apps;
    ListWatch m_others;
    ListWatch m_available;
};

} // namespace velmora::test
