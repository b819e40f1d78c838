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
        QByteArray stamp; // date and time as the data line carries them
        QByteArray records;
    };
    const Case cases[] = {
        {"free sheets",
         {{"listOfPackages", QVariantList{print}}, {"freeSheets", qint64(1)}},
         at(14, 5),
         "05/12/26\t14:05 PM",
         "P200,5x7 Print,IMG_0042.jpg,2,8.00,16.00~FS1,Free Sheets "
         "Discount,freeSheet,1,-2.00,-2.00~"},
        {"nothing extra: ends with the last package's ~",
         {{"listOfPackages", QVariantList{print}}, {"freeSheets", qint64(0)}},
         at(9, 7),
         "05/12/26\t09:07 AM",
         "P200,5x7 Print,IMG_0042.jpg,2,8.00,16.00~"},
        {"two free sheets and a discount",
         {{"listOfPackages", QVariantList{print}},
          {"freeSheets", qint64(2)},
          {"discountAmt", 21.0}},
         at(0, 30),
         "05/12/26\t00:30 AM",
         "P200,5x7 Print,IMG_0042.jpg,2,8.00,16.00~FS1,Free Sheets "
         "Discount,freeSheet,2,-2.00,-4.00~"
         "DSC,Santa Discount,Discount Amt,1,-21.00,-21.00~"},
        {"a negative discount bills a positive amount",
         {{"listOfPackages", QVariantList{print}}, {"discountAmt", -1.5}},
         at(23, 59),
         "05/12/26\t23:59 PM",
         "P200,5x7 Print,IMG_0042.jpg,2,8.00,16.00~DSC,Santa Discount,Discount Amt,1,1.50,1.50~"},
        {"a zero discount writes no record",
         {{"listOfPackages", QVariantList{print}}, {"discountAmt", 0.0}},
         at(12, 0),
         "05/12/26\t12:00 PM",
         "P200,5x7 Print,IMG_0042.jpg,2,8.00,16.00~"},
        {"several lines in order, amounts rounded to cents",
         {{"listOfPackages",
           QVariantList{entry("A1", "8x10", "a.jpg", 1, 12.5, 12.5),
                        entry("U1", "USB Drive", "/x/b.JPG", 3, 19.999, 59.997)}}},
         at(12, 0),
         "05/12/26\t12:00 PM",
         "A1,8x10,a.jpg,1,12.50,12.50~U1,USB Drive,b.JPG,3,20.00,60.00~"},
        {"no packages: the data line ends after the time",
         {{"listOfPackages", QVariantList{}}},
         at(14, 5),
         "05/12/26\t14:05 PM",
         ""},
        {"non-ASCII names are UTF-8",
         {{"listOfPackages", QVariantList{entry("P1", "Café Print", "Zoë.jpg", 1, 1.0, 1.0)}}},
         at(8, 0),
         "05/12/26\t08:00 AM",
         QString("P1,Café Print,Zoë.jpg,1,1.00,1.00~").toUtf8()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray text = pendingInvoiceText(c.order, kFreeSheet, kDiscount, c.when);
        EXPECT_EQ(text, kHeader + "V1002\t" + c.stamp + "\t" + c.records);
        EXPECT_EQ(text.count('\n'), 0);
        EXPECT_FALSE(text.startsWith("\xEF\xBB\xBF"));
    }
}
