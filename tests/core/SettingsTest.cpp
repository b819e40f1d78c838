#include "core/Settings.h"
#include "core/AtomicFile.h"
#include "core/FileNames.h"
#include "core/Paths.h"
#include "core/PropertyList.h"
#include "support/TestRoot.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <limits>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace kivo;

TEST(Settings, StoredLayerWinsOverRegistrationLayer)
{
    test::TestRoot root;
    Settings s(root.file("s.plist"));
    s.registerDefaults({{"prefTaxRate", 0.05}, {"prefPrintReceipt", true}});
    EXPECT_DOUBLE_EQ(s.taxRate(), 0.05);
    s.setTaxRate(0.07);
    EXPECT_DOUBLE_EQ(s.taxRate(), 0.07);
    s.remove(Setting::taxRate);
    EXPECT_DOUBLE_EQ(s.taxRate(), 0.05);
    // registerDefaults replaces the whole layer.
    s.registerDefaults({});
    EXPECT_FALSE(s.printReceipt());
}

// Screens follow the settings through changed(): once per real change, with the store already
// unlocked so that the receiver can read it (a receiver that reads would otherwise hang).
TEST(Settings, AnnouncesEachChangeOfTheStoredLayerWithItsKey)
{
    test::TestRoot root;
    Settings s(root.file("s.plist"));
    QStringList seen;
    QObject::connect(&s, &Settings::changed, [&](Setting key) {
        seen << settingKeyString(key) + QLatin1Char('=') + s.value(key).toString();
    });
    s.setPrintReceipt(true);
    s.setPrintReceipt(true);                      // the same again: nothing changed
    s.setValue(Setting::printReceipt, qint64(1)); // same text, another type
    s.setAuxPrinterName("x");
    s.remove(Setting::auxPrinterName);
    s.remove(Setting::auxPrinterName); // nothing left to remove
    EXPECT_EQ(seen, QStringList({"prefPrintReceipt=true", "prefPrintReceipt=1",
                                 "prefAuxPrinterName=x", "prefAuxPrinterName="}));
}

// Strings read as numbers by their leading text; an absent key reads as false, 0 and no string,
// and a number is not a string.
TEST(Settings, TypedReadsOfStringsNumbersAndAbsentKeys)
{
    test::TestRoot root;
    Settings s(root.file("s.plist"));
    // Reals beyond an integer's range saturate.
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    constexpr qint64 kMin = std::numeric_limits<qint64>::min();
    const struct
    {
        QVariant stored; // invalid: absent
        qint64 integer;
        double real;
        bool boolean;
        bool isString;
    } cases[] = {
        {"12abc", 12, 12.0, true, true},       {"abc", 0, 0.0, false, true},
        {" 3.75", 3, 3.75, true, true},        {"-4", -4, -4.0, true, true},
        {"0.0875", 0, 0.0875, false, true},    {"YES", 0, 0.0, true, true},
        {"true", 0, 0.0, true, true},          {"no", 0, 0.0, false, true},
        {"007", 7, 7.0, true, true},           {"", 0, 0.0, false, true},
        {QVariant(), 0, 0.0, false, false},    {qint64(5), 5, 5.0, true, false},
        {1.5e300, kMax, 1.5e300, true, false}, {-1.5e300, kMin, -1.5e300, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.toString().toStdString());
        s.remove(Setting::auxPrinterName);
        if (c.stored.isValid())
            s.setValue(Setting::auxPrinterName, c.stored);
        const QVariant stored = s.value(Setting::auxPrinterName);
        EXPECT_EQ(Settings::toInteger(stored), c.integer);
        EXPECT_DOUBLE_EQ(Settings::toDouble(stored), c.real);
        EXPECT_EQ(Settings::toBool(stored), c.boolean);
        EXPECT_EQ(s.auxPrinterName().isNull(), !c.isString);
    }
}

TEST(Settings, SynchronizeWritesAnXmlPropertyListThatReloadsOrReportsFailure)
{
    test::TestRoot root;
    const QString path = root.file("config/KivoSalesStation.plist");
    {
        Settings s(path);
        s.setMainImagesFolder("/images");
        s.setPrintReceipt(true);
        s.setPrintCopies(-3);
        s.setMainImagesFolderAliasData(QByteArray("\x01\x02", 2));
        s.setValue(Setting::editableTextArray, QVariantList{"a", "b"});
        EXPECT_TRUE(s.hasUnsavedChanges());
        ASSERT_TRUE(s.sync());
        EXPECT_FALSE(s.hasUnsavedChanges());
    }
    const QByteArray xml = test::readFile(path);
    EXPECT_TRUE(xml.startsWith("<?xml")) << xml.left(40).toStdString();
    Settings again(path);
    EXPECT_EQ(again.mainImagesFolder(), "/images");
    EXPECT_TRUE(again.printReceipt());
    EXPECT_EQ(again.printCopies(), -3);
    EXPECT_EQ(again.mainImagesFolderAliasData(), QByteArray("\x01\x02", 2));
    EXPECT_EQ(again.editableTextArray().size(), 2);

    // A folder where the file should be cannot be replaced by a file: a failure, values kept.
    Settings blocked(root.folder("config/blocked.plist"));
    blocked.setPrintReceipt(true);
    QString error;
    EXPECT_FALSE(blocked.sync(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(blocked.printReceipt());
    EXPECT_TRUE(blocked.hasUnsavedChanges());
}

TEST(Settings, ReadsAndWritesFromManyThreadsAtOnce)
{
    test::TestRoot root;
    Settings s(root.file("s.plist"));
    s.registerDefaults({{"prefThumbnailCacheMB", 1}});
    const Setting own[] = {Setting::printCopies, Setting::buyNGet1FreeAmt, Setting::upsellMinLevel,
                           Setting::savedToolMode};
    std::atomic<int> wrongReads{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 2000; ++i) {
                s.setValue(own[t], qint64(i));
                if (Settings::toInteger(s.value(own[t])) != i)
                    ++wrongReads;
                if (s.thumbnailCacheMb() != 1)
                    ++wrongReads;
                if (i % 500 == 0)
                    s.sync();
            }
        });
    }
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(wrongReads.load(), 0);
    ASSERT_TRUE(s.sync());
    Settings again(root.file("s.plist"));
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(Settings::toInteger(again.value(own[t])), 1999);
}

// The file-creation mask read without changing it (the kernel reports it since Linux 4.7).
mode_t currentUmask()
{
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    const QByteArray text = status.readAll();
    const qsizetype at = text.indexOf("Umask:");
    return at < 0 ? 07777 : mode_t(text.mid(at + 6, 6).trimmed().toUInt(nullptr, 8));
}

mode_t modeOf(const QString& path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(AtomicFile, WritersOnManyThreadsLeaveTheUmaskAndGiveOrdinaryModes)
{
    // In memory where there is such a folder: without waits for the disk the writers overlap
    // far more often, which is what this test is after.
    QTemporaryDir dir(QDir("/dev/shm").exists() ? "/dev/shm/kivo-XXXXXX"
                                                : QDir::tempPath() + "/kivo-XXXXXX");
    const mode_t saved = ::umask(027);
    const QString kept = dir.filePath("kept.plist");
    ASSERT_TRUE(writeFileAtomically(kept, "first"));
    ASSERT_EQ(::chmod(QFile::encodeName(kept).constData(), 0604), 0);
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 1000; ++i) {
                const QString path = dir.filePath(QString("f%1_%2").arg(t).arg(i));
                wrong += !writeFileAtomically(path, "x") || modeOf(path) != 0640;
            }
        });
    }
    for (auto& th : threads)
        th.join();
    ASSERT_TRUE(writeFileAtomically(kept, "second"));
    const mode_t after = currentUmask();
    ::umask(saved);
    EXPECT_EQ(after, mode_t(027));
    EXPECT_EQ(wrong.load(), 0);            // failed writes or files of another mode
    EXPECT_EQ(modeOf(kept), mode_t(0604)); // a replaced file keeps its permissions
}

TEST(PropertyList, RoundTripsRealsDatesAndDictionaries)
{
    const QDateTime when = QDateTime::fromSecsSinceEpoch(1796000000, Qt::UTC);
    const QVariantMap value{
        {"s", "tëxt"}, {"b", false}, {"r", 2.5}, {"t", when}, {"m", QVariantMap{{"k", "v"}}}};
    const QVariantMap map = plist::fromData(plist::toXml(value)).toMap();
    EXPECT_EQ(map, value);
    EXPECT_EQ(map.value("b").typeId(), QMetaType::Bool);
    // Beside a photo whose name is not UTF-8 (a crop ticket), written and read at that very name.
    test::TestRoot root;
    const QByteArray odd = QFile::encodeName(root.path()) + "/caf\xe9.plist";
    ASSERT_TRUE(plist::writeFile(decodeFileName(odd.toStdString()), value));
    EXPECT_EQ(plist::readFile(decodeFileName(odd.toStdString())).toMap(), value);
    EXPECT_EQ(::access(odd.constData(), F_OK), 0);
    QString error;
    EXPECT_FALSE(plist::fromData("not a plist", &error).isValid());
    EXPECT_FALSE(error.isEmpty());
}

// Every key the station ships a factory value for is a setting it knows, with a value of the
// setting's type: a typo'd key or a wrong type in the file would be read as absent or converted.
TEST(Settings, FactoryDefaultsHoldOnlyKnownSettingsOfTheirType)
{
    const QString resource = paths::resourcePath("FactoryDefaults", "plist");
    ASSERT_FALSE(resource.isEmpty());
    const QVariantMap defaults = plist::readFile(resource).toMap();
    ASSERT_GT(defaults.size(), 40);
    for (auto it = defaults.cbegin(); it != defaults.cend(); ++it) {
        const std::optional<Setting> setting = settingForKey(it.key());
        ASSERT_TRUE(setting.has_value()) << it.key().toStdString();
        EXPECT_TRUE(settingAccepts(*setting, it.value())) << it.key().toStdString();
    }
}
