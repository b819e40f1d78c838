#include "output/PendingInvoice.h"

#include <QDateTime>

#include <gtest/gtest.h>

using namespace kivo;

namespace {

const QByteArray kHeader = "versNum\torderNumber\torderDate\torderTime\torderList ( upcName, "
                           "displayName, photoName, qty, unitPrice, extPrice)\r";

QVariantMap entry(const QString& plu, const QString& display, const QString& name, qint64 qty,
                  double unit, double total)
{
    return {{"pkgPLU", plu},
            {"pkgDisplayName", display},
            {"name", name},
            {"pkgQty", qty},
            {"pkgUnitPrice", unit},
            {"pkgTotal", total},
            {"pkgPrePrintQty", qint64(0)}};
}

const QVariantMap kFreeSheet{{"pkgPLU", "FS1"},      {"pkgDisplayName", "Free Sheets Discount"},
                             {"name", "freeSheet"},  {"pkgQty", qint64(1)},
                             {"pkgUnitPrice", -2.0}, {"pkgSubTotal", -2.0}};
const QVariantMap kDiscount{{"pkgPLU", "DSC"},        {"pkgDisplayName", "Santa Discount"},
                            {"name", "Discount Amt"}, {"pkgQty", qint64(1)},
                            {"pkgUnitPrice", 0.0},    {"pkgSubTotal", 0.0}};

QDateTime at(int hour, int minute)
{
    return QDateTime(QDate(2026, 5, 12), QTime(hour, minute));
}

} // namespace

TEST(PendingInvoice, BytesForEachKindOfRecord)
{
    const QVariantMap print = entry("P200", "5x7 Print", "/photos/day/IMG_0042.jpg", 2, 8.0, 16.0);
    struct Case
    {
        const char* what;
        QVariantMap order;
        QDateTime when;
        QByteArray records;
    };
    const Case cases[] = {
        {"free sheets",
         {{"listOfPackages", QVariantList{print}}, {"freeSheets", qint64(1)}},
         at(14, 5),
         "P200,5x7 Print,IMG_0042.jpg,2,8.00,16.00~FS1,Free Sheets "
         "Discount,freeSheet,1,-2.00,-2.00~"},
        {"nothing extra: ends with the last package's ~",
         {{"listOfPackages", QVariantList{print}}, {"freeSheets", qint64(0)}},
         at(9, 7),
         "P200,5x7 Print,IMG_0042.jpg,2,8.00,16.00~"},
        {"two free sheets and a discount",
         {{"listOfPackages", QVariantList{print}},
          {"freeSheets", qint64(2)},
          {"discountAmt", 21.0}},
         at(0, 30),
         "P200,5x7 Print,IMG_0042.jpg,2,8.00,16.00~FS1,Free Sheets "
         "Discount,freeSheet,2,-2.00,-4.00~"
         "DSC,Santa Discount,Discount Amt,1,-21.00,-21.00~"},
        {"a negative discount bills a positive amount",
         {{"listOfPackages", QVariantList{print}}, {"discountAmt", -1.5}},
         at(23, 59),
         "P200,5x7 Print,IMG_0042.jpg,2,8.00,16.00~DSC,Santa Discount,Discount Amt,1,1.50,1.50~"},
        {"a zero discount writes no record",
         {{"listOfPackages", QVariantList{print}}, {"discountAmt", 0.0}},
         at(12, 0),
         "P200,5x7 Print,IMG_0042.jpg,2,8.00,16.00~"},
        {"several lines in order, amounts rounded to cents",
         {{"listOfPackages",
           QVariantList{entry("A1", "8x10", "a.jpg", 1, 12.5, 12.5),
                        entry("U1", "USB Drive", "/x/b.JPG", 3, 19.999, 59.997)}}},
         at(12, 0),
         "A1,8x10,a.jpg,1,12.50,12.50~U1,USB Drive,b.JPG,3,20.00,60.00~"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray text = pendingInvoiceText(c.order, kFreeSheet, kDiscount, c.when);
        const QByteArray expected = kHeader + "V1002\t" +
                                    c.when.toString("MM/dd/yy\tHH:mm ").toLatin1() +
                                    (c.when.time().hour() < 12 ? "AM" : "PM") + "\t" + c.records;
        EXPECT_EQ(text, expected);
        EXPECT_FALSE(text.endsWith('\n'));
        EXPECT_FALSE(text.startsWith("\xEF\xBB\xBF"));
    }
}

TEST(PendingInvoice, DataLineStartsWithVersionThenDate)
{
    const QByteArray text =
        pendingInvoiceText({{"listOfPackages", QVariantList{}}}, kFreeSheet, kDiscount, at(14, 5));
    const qsizetype cr = text.indexOf('\r');
    ASSERT_GT(cr, 0);
    EXPECT_EQ(text.count('\n'), 0);
    EXPECT_EQ(text.mid(cr + 1), QByteArray("V1002\t05/12/26\t14:05 PM\t"));
}

TEST(PendingInvoice, NonAsciiNamesAreUtf8)
{
    const QVariantMap order{
        {"listOfPackages", QVariantList{entry("P1", "Café Print", "Zoë.jpg", 1, 1.0, 1.0)}}};
    const QByteArray text = pendingInvoiceText(order, kFreeSheet, kDiscount, at(8, 0));
    EXPECT_TRUE(text.endsWith(QString("P1,Café Print,Zoë.jpg,1,1.00,1.00~").toUtf8()));
}
