#include "output/PendingInvoice.h"

#include <QDateTime>

#include <gtest/gtest.h>

using namespace kivo;

namespace {

QVariantMap entry(const QString& plu, const QString& display, const QString& name, qint64 qty,
                  double unit, double total)
{
    return {{"pkgPLU", plu},      {"pkgDisplayName", display}, {"name", name},
            {"pkgQty", qty},      {"pkgUnitPrice", unit},      {"pkgTotal", total},
            {"pkgPrePrintQty", 0}};
}

} // namespace

TEST(PendingInvoice, BytesForEachKindOfRecord)
{
    const QByteArray header = "versNum\torderNumber\torderDate\torderTime\torderList ( upcName, "
                              "displayName, photoName, qty, unitPrice, extPrice)\rV1002\t";
    const PseudoPackage freeSheet{"FS1", "Free Sheets Discount", "freeSheet", -2.0f, {}};
    const PseudoPackage discount{"DSC", "Santa Discount", "Discount Amt", 0.0f, {}};
    const QVariantList print{entry("P200", "5x7 Print", "/photos/day/IMG_0042.jpg", 2, 8.0, 16.0)};
    const QByteArray printRecord = "P200,5x7 Print,IMG_0042.jpg,2,8.00,16.00~";
    const struct
    {
        QVariantMap order;
        QTime time;
        QByteArray records; // after the date and time
    } table[] = {
        // Nothing extra: it ends with the last package's "~".
        {{{"listOfPackages", print}, {"freeSheets", 0}}, {9, 7}, "09:07 AM\t" + printRecord},
        {{{"listOfPackages", print}, {"freeSheets", 2}, {"discountAmt", 21.0}},
         {0, 30},
         "00:30 AM\t" + printRecord +
             "FS1,Free Sheets Discount,freeSheet,2,-2.00,-4.00~"
             "DSC,Santa Discount,Discount Amt,1,-21.00,-21.00~"},
        // A negative discount bills a positive amount; a zero one writes no record.
        {{{"listOfPackages", print}, {"discountAmt", -1.5}},
         {23, 59},
         "23:59 PM\t" + printRecord + "DSC,Santa Discount,Discount Amt,1,1.50,1.50~"},
        {{{"listOfPackages", print}, {"discountAmt", 0.0}}, {12, 0}, "12:00 PM\t" + printRecord},
        {{{"listOfPackages",
           QVariantList{entry("A1", "8x10", "a.jpg", 1, 12.5, 12.5),
                        entry("U1", "USB Drive", "/x/b.JPG", 3, 19.999, 59.997)}}},
         {12, 0},
         "12:00 PM\tA1,8x10,a.jpg,1,12.50,12.50~U1,USB Drive,b.JPG,3,20.00,60.00~"},
        {{{"listOfPackages", QVariantList{}}}, {14, 5}, "14:05 PM\t"},
        {{{"listOfPackages", QVariantList{entry("P1", "Café Print", "Zoë.jpg", 1, 1.0, 1.0)}}},
         {8, 0},
         QString("08:00 AM\tP1,Café Print,Zoë.jpg,1,1.00,1.00~").toUtf8()},
    };
    for (const auto& row : table) {
        const QByteArray text =
            pendingInvoiceText(row.order, freeSheet, discount, QDateTime({2026, 5, 12}, row.time));
        EXPECT_EQ(text, header + "05/12/26\t" + row.records);
    }

    // Free sheets capped at what the order had left: each record multiplies out to the cent and
    // together they bill exactly the value taken off.
    const struct
    {
        int sheets;
        double total;
        QByteArray records;
    } capped[] = {
        {2, -33.75, "FS,F,freeSheet,1,-16.88,-16.88~FS,F,freeSheet,1,-16.87,-16.87~"},
        {3, -10.00, "FS,F,freeSheet,1,-3.34,-3.34~FS,F,freeSheet,2,-3.33,-6.66~"},
        {3, -6.00, "FS,F,freeSheet,3,-2.00,-6.00~"},
        // A damaged file's amount beyond any sale is held at a trillion instead of overflowing.
        {4, -1e300, "FS,F,freeSheet,4,-250000000000.00,-1000000000000.00~"},
    };
    for (const auto& row : capped) {
        const PseudoPackage info{"FS", "F", "freeSheet", float(row.total / row.sheets),
                                 float(row.total)};
        const QByteArray text =
            pendingInvoiceText({{"listOfPackages", QVariantList{}}, {"freeSheets", row.sheets}},
                               info, discount, QDateTime({2026, 5, 12}, {9, 7}));
        EXPECT_EQ(text, header + "05/12/26\t09:07 AM\t" + row.records);
    }
}
