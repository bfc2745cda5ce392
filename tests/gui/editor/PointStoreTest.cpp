// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/editor/PointStore.h"
#include "gui/editor/PointTableModel.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

#include "tests/gui/editor/QtPrinters.h"

namespace {

PointRecord makePoint(const QString &number, const QString &name, const QString &e = QString(),
                      const QString &n = QString(), const QString &h = QString(),
                      const QString &code = QString())
{
    PointRecord p;
    p.number = number;
    p.name = name;
    p.easting = e;
    p.northing = n;
    p.elevation = h;
    p.code = code;
    return p;
}

} // namespace

TEST(PointStore, keepsLatin1AndWideRowsAndEmptyFieldsApart)
{
    PointStore store;
    const PointRecord ascii = makePoint("1", "PT1", "1234.567", "-0.001", "", "C");
    const PointRecord chinese = makePoint("2", QStringLiteral("控制点"), "1.000", "2.000", "3.000");
    const PointRecord latin1 = makePoint("3", QStringLiteral("Müller"), "", "", "");
    store.append(ascii);
    store.append(chinese);
    store.append(latin1);
    ASSERT_EQ(store.size(), 3);
    EXPECT_EQ(store.at(0), ascii);
    EXPECT_EQ(store.at(1), chinese);
    EXPECT_EQ(store.at(2), latin1);
    EXPECT_TRUE(store.field(0, 4).isEmpty());
}

TEST(PointStore, editsAndInsertionsKeepTheOtherRows)
{
    PointStore store;
    for (int i = 0; i < 100; ++i)
        store.append(makePoint(QString::number(i + 1), QStringLiteral("P%1").arg(i), "1.0"));
    store.setField(10, 1, QStringLiteral("点10"));
    store.setField(10, 5, QStringLiteral("CODE"));
    store.insert(0, makePoint("0", "FIRST"));
    ASSERT_EQ(store.size(), 101);
    EXPECT_EQ(store.field(0, 1), QStringLiteral("FIRST"));
    EXPECT_EQ(store.field(11, 1), QStringLiteral("点10"));
    EXPECT_EQ(store.field(11, 5), QStringLiteral("CODE"));
    EXPECT_EQ(store.field(11, 2), QStringLiteral("1.0"));
    EXPECT_EQ(store.field(12, 1), QStringLiteral("P11"));
}

TEST(PointStore, repeatedEditsOfOneCellDoNotGrowWithoutBound)
{
    PointStore store;
    store.append(makePoint("1", "A"));
    const QString longText(1000, QLatin1Char('x'));
    for (int i = 0; i < 200000; ++i)
        store.setField(0, 2, longText + QString::number(i % 10));
    EXPECT_EQ(store.field(0, 2), longText + QLatin1Char('9'));
    EXPECT_LT(store.textBytes(), qsizetype(64) << 20);
}

TEST(PointStore, overlongCellKeepsItsBeginning)
{
    PointStore store;
    const QString huge(PointStore::kMaxFieldLength + 10, QLatin1Char('7'));
    store.append(makePoint("1", huge, "5"));
    EXPECT_EQ(store.field(0, 1).size(), PointStore::kMaxFieldLength);
    EXPECT_EQ(store.field(0, 2), QStringLiteral("5"));
}

TEST(PointTableModel, passesTheModelTesterThroughLoadsEditsAndInsertions)
{
    PointTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setHeaderLabels({" ", "Name", "Y(Easting)", "X(Northing)", "H(Elevation)", "Code"});
    model.append(makePoint("1", ""));
    model.beginBulkLoad();
    model.clear();
    // Numbers of a file's own (101, 102, ...): numbers that are their rows'
    // positions change with every insert above them, by design and announced
    // as a change of data, which the tester's check of moved rows cannot know.
    for (int i = 0; i < 50; ++i)
        model.append(makePoint(QString::number(i + 101), "N"));
    model.endBulkLoad();
    EXPECT_EQ(model.rowCount(), 50);
    model.setCellText(3, 2, "9.5");
    model.insertPoint(4, makePoint("105", "new"));
    model.setMarkedRow(2);
    EXPECT_EQ(model.data(model.index(3, 2)).toString(), QStringLiteral("9.5"));
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Y(Easting)"));
    EXPECT_TRUE(model.data(model.index(2, 0), Qt::ForegroundRole).isValid());
    EXPECT_FALSE(model.data(model.index(3, 0), Qt::ForegroundRole).isValid());
    EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.pointCount(), 0);
}

TEST(PointTableModel, bulkLoadLeftUntouchedKeepsTheRows)
{
    // A reader that rejects a file never calls clear(): the rows must survive.
    PointTableModel model;
    model.append(makePoint("1", "keep"));
    model.beginBulkLoad();
    model.endBulkLoad();
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.point(0).name, QStringLiteral("keep"));
}
