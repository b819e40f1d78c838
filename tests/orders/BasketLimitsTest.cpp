#include "OrdersTestSupport.h"

#include "core/PropertyList.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "orders/Basket.h"
#include "orders/PricedSession.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace kivo;

namespace {

QByteArray bigEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    for (int k = 0; k < 4; ++k)
        bytes[3 - k] = char((value >> (8 * k)) & 0xff);
    return bytes;
}

// A binary property list of OBJECTS (each already encoded, references 4 bytes wide), object 0
// at the top.
QByteArray binaryPlist(const QList<QByteArray>& objects)
{
    QByteArray data("bplist00");
    QByteArray table;
    for (const QByteArray& object : objects) {
        table += bigEndian32(quint32(data.size()));
        data += object;
    }
    const quint32 tableOffset = quint32(data.size());
    data += table;
    QByteArray trailer(6, '\0');
    trailer += char(4); // offset size
    trailer += char(4); // reference size
    trailer += QByteArray(4, '\0') + bigEndian32(quint32(objects.size()));
    trailer += QByteArray(8, '\0'); // top object 0
    trailer += QByteArray(4, '\0') + bigEndian32(tableOffset);
    return data + trailer;
}

QByteArray asciiObject(const QByteArray& text)
{
    return char(0x50 | text.size()) + text; // shorter than 15 bytes
}

QVariantMap oneLineBasket(const QVariant& qty)
{
    return {{"customerID", "123456"},
            {"photos", QVariantList{QVariantMap{
                           {"path", "/p/a.jpg"},
                           {"lines", QVariantList{QVariantMap{{"pkgDisplayName", "8x10 Print"},
                                                              {"pkgQty", qty}}}}}}}};
}

struct BadFile
{
    const char* label;
    const char* reason; // in the message, after the file's path
    const char* key;    // the key the message names, if any
};

// Writes the bad input LABEL under ROOT and answers its path.
QString writeBadFile(const test::TestRoot& root, const QString& label)
{
    const QString path = root.file(label + ".plist");
    auto nested = [](const QByteArray& open, const QByteArray& close, int depth) {
        return "<plist>" + open.repeated(depth) + close.repeated(depth) + "</plist>";
    };
    const QByteArray good = plist::toXml(oneLineBasket(1));
    if (label == "deep-dict")
        test::writeFile(path, nested("<dict><key>k</key>", "</dict>", 47000));
    else if (label == "deep-array")
        test::writeFile(path, nested("<array>", "</array>", 47000));
    else if (label == "deep-binary") {
        QList<QByteArray> objects;
        for (int i = 0; i < 100000; ++i)
            objects.append(char(0xa1) + bigEndian32(quint32(i + 1)));
        objects.append(QByteArray(1, char(0xa0)));
        test::writeFile(path, binaryPlist(objects));
    } else if (label == "self-binary")
        test::writeFile(path, binaryPlist({char(0xa1) + bigEndian32(0)}));
    else if (label == "nul-xml")
        test::writeFile(path, QByteArray(good).replace("123456", QByteArray("12\0"
                                                                            "3456",
                                                                            7)));
    else if (label == "nul-binary")
        test::writeFile(path, binaryPlist({QByteArray(1, char(0xd2)) + bigEndian32(1) +
                                               bigEndian32(2) + bigEndian32(3) + bigEndian32(4),
                                           asciiObject("customerID"), asciiObject("photos"),
                                           asciiObject(QByteArray("1\0"
                                                                  "2",
                                                                  3)),
                                           QByteArray(1, char(0xa0))}));
    else if (label == "qty-12abc" || label == "qty-0x10" || label == "qty-NaN") {
        const QByteArray value = label.mid(4).toUtf8();
        const QByteArray element =
            value == "NaN" ? "<real>NaN</real>" : "<integer>" + value + "</integer>";
        const QByteArray one = "<integer>1</integer>";
        const qsizetype at = good.indexOf(one, good.indexOf("<key>pkgQty</key>"));
        EXPECT_GT(at, 0);
        test::writeFile(path, QByteArray(good).replace(at, one.size(), element));
    } else if (label == "too-big")
        test::writeFile(path, good + QByteArray(plist::kMaxBytes, ' '));
    else if (label == "fifo")
        EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (label == "dev-zero")
        return QStringLiteral("/dev/zero");
    else if (label == "folder")
        return root.folder(label);
    return path;
}

} // namespace

// Hostile or broken baskets are refused at once, with a message naming the file (and the key),
// by the reader and by kivo-order: no crash, no abort, no hang, no runaway memory.
TEST(BasketFile, BadPropertyListsAreRefusedByTheReaderAndTheTool)
{
    test::TestRoot root;
    const BadFile table[] = {
        {"deep-dict", "nested deeper than 64 levels", nullptr},
        {"deep-array", "nested deeper than 64 levels", nullptr},
        {"deep-binary", "nested deeper than 64 levels", nullptr},
        {"self-binary", "an object contains itself", nullptr},
        {"nul-xml", "NUL byte", nullptr},
        {"nul-binary", "NUL byte", nullptr},
        {"qty-12abc", "is not a number: \"12abc\"", "pkgQty"},
        {"qty-0x10", "is not a number: \"0x10\"", "pkgQty"},
        {"qty-NaN", "is not a number: \"NaN\"", "pkgQty"},
        {"too-big", "is larger than 16777216 bytes", nullptr},
        {"fifo", "is not a regular file", nullptr},
        {"dev-zero", "is not a regular file", nullptr},
        {"folder", "is not a regular file", nullptr},
    };
    for (const BadFile& row : table) {
        SCOPED_TRACE(row.label);
        const QString path = writeBadFile(root, QString::fromLatin1(row.label));
        QElapsedTimer timer;
        timer.start();
        QString error;
        EXPECT_FALSE(Basket::fromFile(path, &error));
        EXPECT_LT(timer.elapsed(), 2000);
        EXPECT_TRUE(error.contains(path) && error.contains(QLatin1String(row.reason)))
            << error.toStdString();
        if (row.key) {
            EXPECT_TRUE(error.contains(QLatin1String(row.key))) << error.toStdString();
        }
#ifdef KIVO_ORDER_TOOL
        const test::ToolRun run = test::runOrderTool({"--basket", path});
        EXPECT_EQ(run.exitCode, 2) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(path.toUtf8()) && run.err.contains(row.reason))
            << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
#endif
    }
}

// Each line holds a 16-bit count, but their sums do not: a basket whose counts the order files
// cannot carry is refused instead of wrapping ("Items -6"), or adding up to 0 and vanishing.
TEST(BasketFile, CountsTheFilesCannotCarryAreRefused)
{
    test::TestRoot root;
    PackageCatalogue catalogue;
    ASSERT_TRUE(catalogue.load()) << catalogue.loadError().toStdString();
    Settings& settings = Settings::standardUserDefaults();

    auto lines = [](QList<int> quantities) {
        const QStringList names = {"8x10 Print", "5x7 Prints (2)", "4x6 Prints (4)", "Wallets (8)"};
        QVariantList list;
        for (int i = 0; i < quantities.size(); ++i)
            list.append(QVariantMap{{"pkgDisplayName", names.at(i)}, {"pkgQty", quantities.at(i)}});
        return list;
    };
    const struct
    {
        QList<int> quantities;
        int items; // 0: refused
    } table[] = {
        {{30000, 2767}, 32767},
        {{30000, 2768}, 0},
        {{32767, 32767, 2}, 0}, // 65536 items: 0 in a 16-bit sum
        {{20000, 20000, 20000, 20000}, 0},
    };
    for (const auto& row : table) {
        const QVariantMap value{
            {"customerID", "123456"},
            {"photos",
             QVariantList{QVariantMap{{"path", "/p/a.jpg"}, {"lines", lines(row.quantities)}}}}};
        QString error;
        const auto basket = Basket::fromVariant(value, &error);
        ASSERT_TRUE(basket) << error.toStdString();
        PricedSession session(catalogue, settings);
        const bool priced = session.price(*basket, &error);
        EXPECT_EQ(priced, row.items != 0) << error.toStdString();
        if (priced) {
            EXPECT_EQ(session.pricing().itemCount(), row.items);
            EXPECT_TRUE(session.toText().contains(QString("%1\n").arg(row.items)));
        } else {
            EXPECT_TRUE(error.contains("an order carries at most 32767")) << error.toStdString();
        }
#ifdef KIVO_ORDER_TOOL
        const QString path = root.file("counts.plist");
        ASSERT_TRUE(plist::writeFile(path, value));
        const test::ToolRun run = test::runOrderTool({"--basket", path, "--json"});
        EXPECT_EQ(run.exitCode, row.items != 0 ? 0 : 2) << run.err.toStdString();
        if (row.items != 0) {
            EXPECT_EQ(QJsonDocument::fromJson(run.out).object().value("itemCount").toInt(),
                      row.items);
        } else {
            EXPECT_TRUE(run.err.contains("an order carries at most 32767"));
        }
#endif
    }
}

#ifdef KIVO_ORDER_TOOL
// Only the first 40 ordered photos make up an order: the summary, the discount, the order files
// and the invoice all name the same photos (the discount used to count every photo and drove
// the total below 0).
TEST(BasketFile, MoreThanFortyPhotosAreBilledForTheFirstFortyEverywhere)
{
    test::TestRoot root;
    Settings& settings = Settings::standardUserDefaults();
    settings.setString(root.folder("server"), sPrefLocalServerPath);
    settings.setString(root.folder("pos"), sPrefTilboxPendingInvoiceFolder);
    ASSERT_TRUE(settings.synchronize());

    QVariantList photos;
    for (int i = 0; i < 200; ++i) {
        // Every fifth photo on show orders nothing.
        QVariantList lines;
        if (i % 5 != 4)
            lines.append(QVariantMap{{"pkgDisplayName", "8x10 Print"}, {"pkgQty", 3}});
        photos.append(QVariantMap{{"path", QString("/p/%1.jpg").arg(i, 3, 10, QChar('0'))},
                                  {"lines", lines}});
    }
    const QString path = root.file("many.plist");
    ASSERT_TRUE(plist::writeFile(path, QVariantMap{{"customerID", "123456"}, {"photos", photos}}));
    const test::ToolRun run = test::runOrderTool({"--basket", path, "--json", "--write"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject json =
        QJsonDocument::fromJson(run.out.left(run.out.indexOf("\nwrote ") + 1)).object();

    // The first 40 ordered photos are the first 50 on show: 120 prints, the first at 25.00.
    QStringList billed;
    for (int i = 0; i < 50; ++i) {
        if (i % 5 != 4)
            billed << QString("%1.jpg").arg(i, 3, 10, QChar('0'));
    }
    EXPECT_EQ(json.value("itemCount").toInt(), 120);
    EXPECT_EQ(json.value("printSheets").toInt(), 120);
    EXPECT_EQ(json.value("subTotal").toDouble(), 1215.00);
    EXPECT_EQ(json.value("discount").toDouble(), 303.75);
    const double total = json.value("total").toDouble();
    EXPECT_GT(total, 0.0);

    const QVariantMap printJob = plist::readFile(root.file("server/123456_order.plist")).toMap();
    EXPECT_NEAR(printJob.value("curOrderTotalsInfo").toMap().value("total").toDouble(), total,
                0.005);
    QStringList inFile;
    for (const QVariant& entry : printJob.value("listOfPackages").toList())
        inFile << QFileInfo(entry.toMap().value("name").toString()).fileName();
    inFile.removeDuplicates();
    EXPECT_EQ(inFile, billed);

    double invoiced = 0.0;
    QStringList invoicedPhotos;
    for (const test::InvoiceRecord& record :
         test::invoiceRecords(test::readFile(root.file("pos/123456.txt")))) {
        invoiced += record.extPrice;
        if (record.photoName.endsWith(".jpg"))
            invoicedPhotos << record.photoName;
    }
    invoicedPhotos.removeDuplicates();
    EXPECT_EQ(invoicedPhotos, billed);
    EXPECT_NEAR(invoiced, 1215.00 - 303.75, 0.001);
}
#endif
