#pragma once

// The strict comparison of property-list trees that the fuzz targets and the tests share.

#include <QString>
#include <QVariant>

namespace velmora::test {

/// Whether two property-list trees (the QVariant trees of PropertyList) hold the same values,
/// stricter than QVariant's ==: the element kinds must match (a signed integer is not the same as
/// an unsigned one, nor 1 the same as 1.0 or true), doubles must match bit for bit except that
/// any NaN matches any NaN, and dates must fall on the same millisecond. When they differ,
/// `difference` says where and how.
bool sameTree(const QVariant &a, const QVariant &b, QString *difference = nullptr);

} // namespace velmora::test

/// QCOMPARE for property-list trees: fails with where and how `actual` differs from `expected`.
#define COMPARE_TREE(actual, expected)                                                                       \
    do {                                                                                                     \
        QString difference_;                                                                                 \
        QVERIFY2(velmora::test::sameTree((expected), (actual), &difference_), qPrintable(difference_));      \
    } while (false)
