#include "OrdersTestSupport.h"

#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "orders/Basket.h"
#include "orders/PricedSession.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

#include <gtest/gtest.h>

using namespace kivo;

namespace {

QVariantMap basketWith(const QVariantList& lines)
{
    return {{"customerID", "123456"},
            {"photos", QVariantList{QVariantMap{{"path", "/p/a.jpg"}, {"lines", lines}}}}};
}

QVariantMap line(const QString& name, const QVariant& qty)
{
    return {{"pkgDisplayName", name}, {"pkgQty", qty}};
}

} // namespace

TEST(Basket, MalformedEntriesAreRefusedByName)
{
    const struct
    {
        QVariant basket;
        const char* message;
    } table[] = {
        {QVariantList{}, "the basket is not a dictionary"},
        {QVariantMap{{"photos", QVariantList{}}}, "customerID is missing or not a string"},
        {QVariantMap{{"customerID", "1"}}, "photos is missing or not an array"},
        {QVariantMap{{"customerID", "1"}, {"photos", QVariantList{QVariantMap{}}}},
         "photos[0].path is missing or not a string"},
        {basketWith({line("8x10 Print", -2)}),
         "photos[0].lines[0] (\"8x10 Print\").pkgQty is negative (-2)"},
        {basketWith({line("8x10 Print", "three")}),
         "photos[0].lines[0] (\"8x10 Print\").pkgQty is not a number"},
        {basketWith({line("8x10 Print", 1), line("5x7", 1.5)}),
         "photos[0].lines[1] (\"5x7\").pkgQty is not a whole number"},
        {basketWith({line("8x10 Print", 40000)}),
         "photos[0].lines[0] (\"8x10 Print\").pkgQty is too large (40000)"},
        {basketWith({QVariantMap{{"pkgDisplayName", "A"}}}),
         "photos[0].lines[0] (\"A\").pkgQty is missing"},
        {basketWith({QVariantMap{{"pkgQty", 1}}}),
         "photos[0].lines[0].pkgDisplayName is missing or not a string"},
        {basketWith({QVariantMap{{"pkgDisplayName", "A"}, {"pkgQty", 1}, {"pkgPrePrintQty", 2}}}),
         "photos[0].lines[0] (\"A\").pkgPrePrintQty (2) exceeds pkgQty (1)"},
    };
    for (const auto& row : table) {
        QString error;
        EXPECT_FALSE(Basket::fromVariant(row.basket, &error));
        EXPECT_EQ(error, row.message);
    }
    QString error;
    test::TestRoot root;
    EXPECT_FALSE(Basket::fromFile(root.file("none.plist"), &error));
    EXPECT_TRUE(error.startsWith("cannot read basket: ")) << error.toStdString();
    EXPECT_TRUE(error.contains(root.file("none.plist"))) << error.toStdString();
}

TEST(Basket, PricesAsThePanelWouldAndRefusesUnofferedPackages)
{
    test::TestRoot root;
    PackageCatalogue catalogue;
    test::loadCatalogue(root, catalogue,
                        {test::packageRecord("P810", "8x10 Print", 10.00, "Print", "P810F"),
                         test::packageRecord("P810F", "First 8x10", 25.00, "Print"),
                         test::packageRecord("P11021", "USB Drive", 20.00, "Flash", "P11022"),
                         test::packageRecord("P11022", "USB Drive", 40.00, "Flash")},
                        {"P810", "P11021"});
    Settings& settings = Settings::standardUserDefaults();
    settings.setInteger(5, sPrefMinPrintsForReducedUsbPrice);
    settings.setString("Sales Tax %@", sPrefSalesTaxTextFormatString);

    QString error;
    const auto unknown = Basket::fromVariant(basketWith({line("Mug", 1)}), &error);
    ASSERT_TRUE(unknown);
    PricedSession refused(catalogue, settings);
    EXPECT_FALSE(refused.price(*unknown, &error));
    EXPECT_EQ(error, "photos[0].lines[0] (\"Mug\"): the catalogue offers no such package");

    // The worked example, with a second photo on show that orders nothing.
    QVariantMap value = basketWith({line("8x10 print", 3), line("USB Drive", 1)});
    QVariantList photos = value.value("photos").toList();
    photos.append(QVariantMap{{"path", "/p/b.jpg"}});
    value.insert("photos", photos);
    const auto basket = Basket::fromVariant(value, &error);
    ASSERT_TRUE(basket) << error.toStdString();
    PricedSession session(catalogue, settings);
    ASSERT_TRUE(session.price(*basket, &error)) << error.toStdString();
    EXPECT_EQ(session.photoOrders().size(), 2);
    EXPECT_EQ(session.photoOrders().at(0).line(0).pkgQty(), 3); // the customer's own quantities

    const QJsonObject json = session.toJson();
    EXPECT_EQ(json.value("subTotal").toDouble(), 85.00);
    EXPECT_EQ(json.value("total").toDouble(), 85.00);
    EXPECT_EQ(json.value("itemCount").toInt(), 4);
    EXPECT_EQ(json.value("printSheets").toInt(), 3);
    EXPECT_EQ(json.value("usbItems").toInt(), 1);
    EXPECT_EQ(json.value("upsellCount").toInt(), 3);
    EXPECT_EQ(json.value("taxDescription").toString(), "Sales Tax 8.750");
    const QJsonArray lines = json.value("lines").toArray();
    ASSERT_EQ(lines.size(), 3);
    QStringList plus;
    for (const QJsonValue& l : lines)
        plus << l.toObject().value("pkgPLU").toString();
    EXPECT_EQ(plus, QStringList({"P11022", "P810", "P810F"}));
    EXPECT_EQ(lines.at(0).toObject().value("pkgUnitPrice").toDouble(), 40.0);
    EXPECT_EQ(lines.at(1).toObject().value("pkgTotal").toDouble(), 20.0);
    EXPECT_EQ(lines.at(2).toObject().value("pkgDisplayName").toString(), "First 8x10");

    const QString text = session.toText();
    EXPECT_TRUE(text.contains("First 8x10")) << text.toStdString();
    EXPECT_TRUE(text.contains("85.00"));
    EXPECT_TRUE(text.contains("Sales Tax 8.750"));
}

#ifdef KIVO_ORDER_TOOL
TEST(KivoOrderTool, PricesTheDemoCatalogueAndRefusesBadBaskets)
{
    test::TestRoot root;
    const QString good = root.file("good.plist");
    ASSERT_TRUE(
        plist::writeFile(good, basketWith({line("8x10 Print", 2), line("Holiday Ornament", 1)})));
    const QString bad = root.file("bad.plist");
    ASSERT_TRUE(plist::writeFile(bad, basketWith({line("8x10 Print", -1)})));

    QProcess tool;
    tool.start(KIVO_ORDER_TOOL, {"--basket", good, "--json"});
    ASSERT_TRUE(tool.waitForFinished(20000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QJsonObject json = QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
    // The demo catalogue: first 8x10 at 25.00, the second at 10.00, an ornament at 15.00.
    EXPECT_EQ(json.value("subTotal").toDouble(), 50.00);
    EXPECT_EQ(json.value("promoItems").toInt(), 1);
    EXPECT_EQ(json.value("lines").toArray().size(), 3);

    tool.start(KIVO_ORDER_TOOL, {"--basket", bad});
    ASSERT_TRUE(tool.waitForFinished(20000));
    EXPECT_EQ(tool.exitCode(), 2);
    EXPECT_TRUE(tool.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(tool.readAllStandardError().contains("pkgQty is negative (-1)"));

    tool.start(KIVO_ORDER_TOOL, {"--basket", root.file("missing.plist")});
    ASSERT_TRUE(tool.waitForFinished(20000));
    EXPECT_EQ(tool.exitCode(), 2);
}
#endif
