#include "core/Settings.h"
#include "core/AtomicFile.h"
#include "core/PropertyList.h"
#include "core/SettingsKeys.h"
#include "support/TestRoot.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <sys/stat.h>
#include <thread>
#include <vector>

using namespace kivo;

TEST(Settings, AbsentKeysReadAsFalseZeroAndNoString)
{
    test::TestRoot root;
    Settings s(root.file("s.plist"));
    EXPECT_FALSE(s.objectForKey("prefNothing").isValid());
    EXPECT_FALSE(s.boolForKey("prefNothing"));
    EXPECT_EQ(s.integerForKey("prefNothing"), 0);
    EXPECT_EQ(s.doubleForKey("prefNothing"), 0.0);
    EXPECT_TRUE(s.stringForKey("prefNothing").isNull());
    // A number is not a string.
    s.setInteger(5, "prefNumber");
    EXPECT_TRUE(s.stringForKey("prefNumber").isNull());
    // An empty string is present.
    s.setString("", "prefEmpty");
    EXPECT_FALSE(s.stringForKey("prefEmpty").isNull());
}

TEST(Settings, StoredLayerWinsOverRegistrationLayer)
{
    test::TestRoot root;
    Settings s(root.file("s.plist"));
    s.registerDefaults({{"prefTaxRate", 0.05}, {"prefPrintReceipt", true}});
    EXPECT_DOUBLE_EQ(s.doubleForKey("prefTaxRate"), 0.05);
    s.setDouble(0.07, "prefTaxRate");
    EXPECT_DOUBLE_EQ(s.doubleForKey("prefTaxRate"), 0.07);
    s.removeObjectForKey("prefTaxRate");
    EXPECT_DOUBLE_EQ(s.doubleForKey("prefTaxRate"), 0.05);
    // registerDefaults replaces the whole layer.
    s.registerDefaults({});
    EXPECT_FALSE(s.boolForKey("prefPrintReceipt"));
}

TEST(Settings, StringsReadAsNumbersByTheirLeadingText)
{
    test::TestRoot root;
    Settings s(root.file("s.plist"));
    const struct
    {
        const char* text;
        qint64 integer;
        double real;
        bool boolean;
    } cases[] = {
        {"12abc", 12, 12.0, true}, {"abc", 0, 0.0, false},       {" 3.75", 3, 3.75, true},
        {"-4", -4, -4.0, true},    {"0.0875", 0, 0.0875, false}, {"YES", 0, 0.0, true},
        {"true", 0, 0.0, true},    {"no", 0, 0.0, false},        {"007", 7, 7.0, true},
        {"", 0, 0.0, false},
    };
    for (const auto& c : cases) {
        s.setString(QString::fromLatin1(c.text), "prefX");
        EXPECT_EQ(s.integerForKey("prefX"), c.integer) << c.text;
        EXPECT_DOUBLE_EQ(s.doubleForKey("prefX"), c.real) << c.text;
        EXPECT_EQ(s.boolForKey("prefX"), c.boolean) << c.text;
    }
}

TEST(Settings, SynchronizeWritesAnXmlPropertyListThatReloads)
{
    test::TestRoot root;
    const QString path = root.file("config/KivoSalesStation.plist");
    {
        Settings s(path);
        s.setString("/images", sPrefMainImagesFolder);
        s.setBool(true, sPrefPrintReceipt);
        s.setInteger(-3, PrefKeyForPrintCopies);
        s.setObject(QByteArray("\x01\x02", 2), sPrefMainImagesFolderAliasData);
        s.setObject(QVariantList{"a", "b"}, "prefEditableTextArray");
        EXPECT_TRUE(s.hasUnsavedChanges());
        ASSERT_TRUE(s.synchronize());
        EXPECT_FALSE(s.hasUnsavedChanges());
    }
    const QByteArray xml = test::readFile(path);
    EXPECT_TRUE(xml.startsWith("<?xml")) << xml.left(40).toStdString();
    Settings again(path);
    EXPECT_EQ(again.stringForKey(sPrefMainImagesFolder), "/images");
    EXPECT_TRUE(again.boolForKey(sPrefPrintReceipt));
    EXPECT_EQ(again.integerForKey(PrefKeyForPrintCopies), -3);
    EXPECT_EQ(again.dataForKey(sPrefMainImagesFolderAliasData), QByteArray("\x01\x02", 2));
    EXPECT_EQ(again.arrayForKey("prefEditableTextArray").size(), 2);
}

TEST(Settings, UnwritableFileReportsFailureAndKeepsValues)
{
    test::TestRoot root;
    // A folder where the file should be cannot be replaced by a file.
    const QString path = root.folder("config/KivoSalesStation.plist");
    Settings s(path);
    s.setBool(true, "prefA");
    QString error;
    EXPECT_FALSE(s.synchronize(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(s.boolForKey("prefA"));
    EXPECT_TRUE(s.hasUnsavedChanges());
}

TEST(Settings, StandardStoreFollowsKivoRoot)
{
    test::TestRoot root;
    Settings& s = Settings::standardUserDefaults();
    EXPECT_EQ(s.storePath(), root.path() + "/config/KivoSalesStation.plist");
    s.setString("x", "prefProbe");
    ASSERT_TRUE(s.synchronize());
    EXPECT_TRUE(QFile::exists(root.path() + "/config/KivoSalesStation.plist"));
}

TEST(Settings, ReadsAndWritesFromManyThreadsAtOnce)
{
    test::TestRoot root;
    Settings s(root.file("s.plist"));
    s.registerDefaults({{"prefShared", 1}});
    std::atomic<int> wrongReads{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 2000; ++i) {
                const QString key = QStringLiteral("prefT%1_%2").arg(t).arg(i % 50);
                s.setInteger(i, key);
                if (s.integerForKey(key) != i)
                    ++wrongReads;
                if (s.integerForKey("prefShared") != 1)
                    ++wrongReads;
                if (i % 500 == 0)
                    s.synchronize();
            }
        });
    }
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(wrongReads.load(), 0);
    ASSERT_TRUE(s.synchronize());
    Settings again(root.file("s.plist"));
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(again.integerForKey(QStringLiteral("prefT%1_49").arg(t)), 1999);
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
    QTemporaryDir dir(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/kivo-XXXXXX")
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
                const QString path = dir.filePath(QStringLiteral("f%1_%2").arg(t).arg(i));
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

TEST(PropertyList, RoundTripsEveryValueKindAndReadsBinary)
{
    const QDateTime when = QDateTime::fromSecsSinceEpoch(1796000000, Qt::UTC);
    const QVariantMap value{{"s", "tëxt"},
                            {"b", false},
                            {"i", qint64(-42)},
                            {"r", 2.5},
                            {"d", QByteArray("abc")},
                            {"t", when},
                            {"a", QVariantList{1, "two"}},
                            {"m", QVariantMap{{"k", "v"}}}};
    const QVariant back = plist::fromData(plist::toXml(value));
    const QVariantMap map = back.toMap();
    EXPECT_EQ(map.value("s").toString(), QString::fromUtf8("tëxt"));
    EXPECT_EQ(map.value("b").typeId(), QMetaType::Bool);
    EXPECT_EQ(map.value("i").toLongLong(), -42);
    EXPECT_DOUBLE_EQ(map.value("r").toDouble(), 2.5);
    EXPECT_EQ(map.value("d").toByteArray(), QByteArray("abc"));
    EXPECT_EQ(map.value("t").toDateTime(), when);
    EXPECT_EQ(map.value("a").toList().at(1).toString(), "two");
    EXPECT_EQ(map.value("m").toMap().value("k").toString(), "v");

    QString error;
    EXPECT_FALSE(plist::fromData("not a plist", &error).isValid());
    EXPECT_FALSE(error.isEmpty());
}
