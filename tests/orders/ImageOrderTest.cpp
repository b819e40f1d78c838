#include "OrdersTestSupport.h"

#include "core/NotificationCenter.h"
#include "orders/ImageOrder.h"
#include "orders/OrderConstants.h"
#include "orders/SinglePackageModel.h"

#include <QObject>

#include <gtest/gtest.h>

using namespace kivo;

namespace {

QVariantList records(int count)
{
    QVariantList list;
    for (int i = 0; i < count; ++i)
        list << test::packageRecord(QString("P%1").arg(i), QString("Package %1").arg(i), 1.0 + i,
                                    i % 2 ? "Flash" : "Print");
    return list;
}

} // namespace

TEST(LineItem, CopyIsIndependentOfItsSource)
{
    LineItem source = test::makeLine("P1", "Print", 3, 2.5f, "Name");
    source.setPkgAltQty(4);
    source.setPkgHasExtraCount(1);
    source.setPkgPrePrintQty(2);
    LineItem copy = source.copy();
    EXPECT_EQ(copy, source);
    EXPECT_EQ(LineItem::initWithLineItem(source), source);
    copy.setPkgQty(9);
    copy.setPkgPLU("P2");
    EXPECT_EQ(source.pkgQty(), 3);
    EXPECT_EQ(source.pkgPLU(), "P1");
    const QVariantMap map = source.toVariantMap();
    EXPECT_EQ(map.value("pkgQty").typeId(), QMetaType::LongLong);
    EXPECT_EQ(map.value("pkgUnitPrice").typeId(), QMetaType::Double);
}

TEST(ImageOrderDefaults, FreshOrderHasEightPlaceholderLines)
{
    ImageOrder order;
    ASSERT_EQ(order.lineCount(), 8);
    ASSERT_NE(order.lineForKey("Line3"), nullptr);
    EXPECT_EQ(order.lineForKey("Line8"), nullptr);
    EXPECT_EQ(order.lineForKey("Line03"), nullptr);
    // copy() gives a default order, not the lines.
    order.line(0).setPkgQty(5);
    EXPECT_EQ(order.copy().line(0).pkgQty(), 0);

    QObject view;
    const ImageOrder withView = ImageOrder::initWithNSImageView(&view);
    EXPECT_EQ(withView.view(), &view);
}

TEST(ImageOrderDefaults, CopyDefaultsFillsAtMostEightLines)
{
    // Ten records: lines 0 to 7 from records 0 to 7.
    ImageOrder order;
    order.line(2).setPkgQty(4);
    order.line(2).setPkgTotal(7.0f);
    ASSERT_TRUE(order.copyDefaultsToOrder(records(10)));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(order.line(i).pkgPLU(), QString("P%1").arg(i));
    EXPECT_EQ(order.line(2).pkgKivoPkgName(), "Package 2 host");
    EXPECT_EQ(order.line(2).pkgType(), "Print");
    EXPECT_EQ(order.line(2).pkgQty(), 0);            // quantities cleared
    EXPECT_FLOAT_EQ(order.line(2).pkgTotal(), 7.0f); // the total is left alone

    // Five records: lines 5 to 7 keep their placeholders.
    ImageOrder small;
    ASSERT_TRUE(small.copyDefaultsToOrder(records(5)));
    EXPECT_EQ(small.line(4).pkgPLU(), "P4");
    EXPECT_EQ(small.line(5).pkgPLU(), "PLU 5555");

    // Not a list: nothing changes, still true.
    ImageOrder untouched;
    EXPECT_TRUE(untouched.copyDefaultsToOrder(QVariant("not a list")));
    EXPECT_EQ(untouched.line(0).pkgPLU(), "PLU 0000");
}

TEST(ImageOrderPanel, RowQuantitiesReachEveryLineOfThatName)
{
    QVariantList list = records(4);
    QVariantMap duplicate = list.at(3).toMap();
    duplicate.insert("pkgDisplayName", "PACKAGE 1");
    list[3] = duplicate;
    ImageOrder order;
    order.copyDefaultsToOrder(list);

    SinglePackageModel model;
    model.assignName("package 1");
    model.assignValue(3);
    model.assignAltValue(2);
    model.assignHasExtraCountValue(1);
    model.assignPrePrintedQtyValue(1);
    EXPECT_TRUE(order.copySinglePackageModelToOrder(&model));
    for (int i : {1, 3}) {
        EXPECT_EQ(order.line(i).pkgQty(), 3);
        EXPECT_EQ(order.line(i).pkgAltQty(), 2);
        EXPECT_EQ(order.line(i).pkgHasExtraCount(), 1);
        EXPECT_EQ(order.line(i).pkgPrePrintQty(), 1);
    }
    EXPECT_EQ(order.line(0).pkgQty(), 0);
    EXPECT_EQ(order.line(3).pkgPLU(), "P3"); // PLU and price untouched
    EXPECT_FALSE(order.copySinglePackageModelToOrder(nullptr));

    SinglePackageModel nobody;
    nobody.assignName("no such package");
    nobody.assignValue(7);
    EXPECT_TRUE(order.copySinglePackageModelToOrder(&nobody));
    EXPECT_EQ(order.computeTotalSheets(), 6);
}

TEST(ImageOrderCounts, SheetsByTypeIgnoringCaseAndSubtotal)
{
    ImageOrder order;
    order.line(0) = test::makeLine("A", "print", 2, 5.00f);
    order.line(1) = test::makeLine("B", "FLASH", 1, 12.50f);
    order.line(2) = test::makeLine("C", "promo", 4, 0.0f);
    order.line(2).setPkgQty(0);
    order.line(3) = test::makeLine("D", "Print", 3, 1.0f);
    order.line(3).setPkgQty(0);
    order.line(4).setPkgType(QString());
    order.line(4).setPkgQty(0);
    order.computeTotalSheetsNew();
    EXPECT_EQ(order.printSheetCount(), 2);
    EXPECT_EQ(order.flashItemCount(), 1);
    EXPECT_EQ(order.computeTotalSheets(), 3);

    // 2 at 5.00 and 1 at 12.50.
    EXPECT_FLOAT_EQ(order.computeSubTotal(), 22.50f);
    EXPECT_FLOAT_EQ(order.line(0).pkgTotal(), 10.00f);
    EXPECT_FLOAT_EQ(order.line(1).pkgTotal(), 12.50f);
    EXPECT_FLOAT_EQ(order.line(3).pkgTotal(), 0.0f);

    order.release();
    EXPECT_EQ(order.lineCount(), 0);
    EXPECT_EQ(order.printSheetCount(), 0);
    EXPECT_EQ(order.flashItemCount(), 0);
}

TEST(SinglePackageModel, ChangeRulesAndQtyChangedNotification)
{
    QObject observer;
    QList<QObject*> posted;
    NotificationCenter::defaultCenter().addObserver(
        &observer, kivoQtyChangedNotification,
        [&posted](const Notification& n) { posted.append(n.object); });

    SinglePackageModel model;
    model.assignUnitPrice(2.5f); // quiet, recomputes
    EXPECT_TRUE(posted.isEmpty());
    model.assignValue(3);
    ASSERT_EQ(posted.size(), 1);
    EXPECT_EQ(posted.first(), &model);
    EXPECT_FLOAT_EQ(model.subTotal(), 7.5f);

    // The same quantity again: no post.
    model.assignValue(3);
    EXPECT_EQ(posted.size(), 1);

    model.assignAltValue(1);
    EXPECT_EQ(posted.size(), 2);
    model.assignAltValue(1);
    EXPECT_EQ(posted.size(), 2);
    model.assignHasExtraCountValue(1);
    model.assignPrePrintedQtyValue(2);
    EXPECT_EQ(posted.size(), 2);

    model.assignUnitPrice(4.0f);
    EXPECT_FLOAT_EQ(model.subTotal(), 12.0f);
    model.assignUnitPrice(std::numeric_limits<float>::quiet_NaN());
    EXPECT_TRUE(std::isnan(model.subTotal()));
    EXPECT_EQ(posted.size(), 2);
}
