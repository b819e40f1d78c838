// The self-test's checks of the station's own files and folders, on real folders: a station set
// up as the demo is passes every check and leaves nothing behind; each fault in turn fails its
// own check, and only that one, with or without stopping sales.
#include "core/SelfTest.h"
#include "core/Settings.h"
#include "core/SiteCodes.h"
#include "support/TestRoot.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <gtest/gtest.h>

#include <functional>

using namespace kivo;

namespace {

// A folder that exists and that even root cannot write in. It reports no size either, as some
// share clients do, so an order folder there is named by the space check too, which does not
// stop sales for it (a full disk reports its size).
const QString kUnwritable = "/sys";
const char* const kSpace = "Free disk space";

struct Station
{
    test::TestRoot root;
    Settings settings{root.file("config/KivoSalesStation.plist")};
    QString log = root.file("logs/KivoSalesStation.log");

    Station()
    {
        settings.setMainImagesFolder(root.folder("images"));
        settings.setTilboxPendingInvoiceFolder(root.folder("invoices"));
        for (int code = 0; code < SiteCodes::kCodeCount; ++code)
            settings.setValue(SiteCodes::setting(SiteCodes::Code(code)),
                              SiteCodes::hash(QStringLiteral("*%1#").arg(7000 + code)));
        EXPECT_TRUE(settings.sync());
    }
    QList<CheckResult> run() const { return SelfTest::coreChecks(settings, log).run(); }
};

struct Fault
{
    const char* what;
    std::function<void(Station&)> make;
    const char* failingCheck;
    bool stopsSales;
    const char* alsoFailing = nullptr;
    QStringList named = {}; // what the failure's reason must name
};

} // namespace

TEST(SelfTest, SetUpStationPassesAndTheChecksLeaveNoTrace)
{
    Station station;
    const QList<CheckResult> results = station.run();
    for (const CheckResult& r : results)
        EXPECT_TRUE(r.ok) << SelfTest::line(r).toStdString();
    EXPECT_TRUE(SelfTest::allPassed(results));
    EXPECT_EQ(results.size(), 7);

    // The probe files are gone, and the shared order folder is left for the start to make.
    for (const char* folder : {"images", "invoices"})
        EXPECT_EQ(QDir(station.root.file(folder))
                      .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList())
            << folder;
    EXPECT_FALSE(QFileInfo::exists(station.root.file("shared/KivoSalesStation")));
    EXPECT_EQ(QDir(station.root.path()).entryList(QDir::Hidden | QDir::Files), QStringList());
}

TEST(SelfTest, EachFaultFailsItsOwnCheck)
{
    const Fault faults[] = {
        {"settings file that is not a property list",
         [](Station& s) { test::writeFile(s.settings.storePath(), "<plist><dict><key>"); },
         "Settings", true},
        {"images folder not set", [](Station& s) { s.settings.setMainImagesFolder(QString()); },
         "Images folder", false},
        {"images folder that is a file",
         [](Station& s) {
             test::writeFile(s.root.file("photo.jpg"), "x");
             s.settings.setMainImagesFolder(s.root.file("photo.jpg"));
         },
         "Images folder", true},
        // A start-up that could not make its order folder keeps the stored path of another.
        {"order folder that is gone",
         [](Station& s) { s.settings.setLocalServerPath(s.root.file("gone")); }, "Order folder",
         true},
        {"order folder that is a file",
         [](Station& s) { test::writeFile(s.root.file("shared/KivoSalesStation"), "x"); },
         "Order folder", true},
        {"order folder that cannot be written",
         [](Station& s) { s.settings.setLocalServerPath(kUnwritable); }, "Order folder", true,
         kSpace},
        {"shared order folder that cannot be made",
         [](Station& s) {
             test::writeFile(s.root.file("shared"), "a file where the shared root belongs");
         },
         "Order folder", true},
        {"invoice folder not set",
         [](Station& s) { s.settings.setTilboxPendingInvoiceFolder(QString()); }, "Invoice folder",
         false},
        {"invoice folder that cannot be written",
         [](Station& s) { s.settings.setTilboxPendingInvoiceFolder(kUnwritable); },
         "Invoice folder", true, kSpace},
        {"log that cannot be written",
         [](Station& s) { s.log = kUnwritable + "/KivoSalesStation.log"; }, "Log", true},
        // Amounts the pricing cannot use: every one is named, and sales go on without them.
        {"a discount typed as 25 and tax rates that are no rates",
         [](Station& s) {
             s.settings.setSantaDiscountPercentage(25);
             s.settings.setValue(Setting::taxRate, QVariantList{0.05});
             s.settings.setValue(Setting::buyNGet1FreeAmt, "2 prints");
         },
         "Settings",
         false,
         nullptr,
         {"prefSantaDiscountPercentage = 25 is not between 0 and 1",
          "prefTaxRate = a list is not a number",
          "prefBuyNGet1FreeAmt = \"2 prints\" is not a whole number"}},
        {"a tax rate far out of range",
         [](Station& s) { s.settings.setTaxRate(1e308); },
         "Settings",
         false,
         nullptr,
         {"prefTaxRate = 1e+308 is not between 0 and 1"}},
        {"factory codes kept",
         [](Station& s) {
             s.settings.remove(SiteCodes::setting(SiteCodes::ReleaseCode));
             s.settings.remove(SiteCodes::setting(SiteCodes::QuitCode));
         },
         "Codes",
         false,
         nullptr,
         {"Factory codes still in use, known to every station of this kind: release code, quit "
          "code."}},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        Station station;
        fault.make(station);
        const QList<CheckResult> results = station.run();
        EXPECT_FALSE(SelfTest::allPassed(results));
        for (const CheckResult& r : results) {
            if (fault.alsoFailing && r.name == QLatin1String(fault.alsoFailing)) {
                EXPECT_FALSE(r.ok);
                EXPECT_FALSE(r.stopsSales) << SelfTest::line(r).toStdString();
            } else if (r.name != QLatin1String(fault.failingCheck)) {
                EXPECT_TRUE(r.ok) << SelfTest::line(r).toStdString();
            } else {
                EXPECT_FALSE(r.ok);
                EXPECT_FALSE(r.reason.isEmpty());
                EXPECT_EQ(r.stopsSales, fault.stopsSales);
                for (const QString& named : fault.named)
                    EXPECT_TRUE(r.reason.contains(named)) << r.reason.toStdString();
            }
        }
        EXPECT_EQ(SelfTest::salesStoppers(results).size(), fault.stopsSales ? 1 : 0);
    }
}

TEST(SelfTest, TooLittleFreeSpaceStopsSalesAndNamesTheFolder)
{
    test::TestRoot root;
    const QString folder = root.folder("orders");
    const qint64 available = QStorageInfo(folder).bytesAvailable();
    ASSERT_GT(available, 0);
    EXPECT_TRUE(checks::freeSpace({folder, QString()}, available / 2).ok);
    const CheckResult low = checks::freeSpace({folder}, available + (qint64(1) << 30));
    EXPECT_FALSE(low.ok);
    EXPECT_TRUE(low.stopsSales);
    EXPECT_TRUE(low.reason.contains(folder));
}

// A file system that breaks one of the promises the station relies on, on a real folder: the
// probe names the folder and what broke, and leaves nothing behind whatever it found.
TEST(SelfTest, AFileSystemThatBreaksAPromiseIsNamed)
{
    struct Broken : checks::ProbeFileSystem
    {
        std::function<int(Broken&, const QByteArray&)> makeFolderHook;
        std::function<int(Broken&, const QByteArray&, const QByteArray&)> createHook;
        std::function<int(Broken&, const QByteArray&, const QByteArray&)> renameHook;
        // A folder whose time stays as it was last set, whatever is added to it.
        bool frozenTime = false;
        qint64 setTime = 0;
        int makeFolder(const QByteArray& p) override
        {
            return makeFolderHook ? makeFolderHook(*this, p) : ProbeFileSystem::makeFolder(p);
        }
        int createExclusive(const QByteArray& p, const QByteArray& c) override
        {
            return createHook ? createHook(*this, p, c) : ProbeFileSystem::createExclusive(p, c);
        }
        int rename(const QByteArray& f, const QByteArray& t) override
        {
            return renameHook ? renameHook(*this, f, t) : ProbeFileSystem::rename(f, t);
        }
        int setModificationTime(const QByteArray& p, qint64 ns) override
        {
            setTime = ns;
            return ProbeFileSystem::setModificationTime(p, ns);
        }
        int modificationTime(const QByteArray& p, qint64* ns) override
        {
            const int error = ProbeFileSystem::modificationTime(p, ns);
            if (frozenTime && setTime != 0)
                *ns = setTime;
            return error;
        }
    };
    // Like the FUSE client that turns an exclusive create into a plain one: the second succeeds.
    const auto notExclusive = [](Broken& fs, const QByteArray& p, const QByteArray& c) {
        return fs.exists(p) ? 0 : fs.ProbeFileSystem::createExclusive(p, c);
    };
    const struct
    {
        const char* what;
        std::function<void(Broken&)> breakIt;
        const char* named;
    } table[] = {
        {"second folder created",
         [](Broken& fs) {
             fs.makeFolderHook = [](Broken& b, const QByteArray& p) {
                 return b.exists(p) ? 0 : b.ProbeFileSystem::makeFolder(p);
             };
         },
         "a second exclusive creation of a folder succeeded"},
        {"folder cannot be made",
         [](Broken& fs) { fs.makeFolderHook = [](Broken&, const QByteArray&) { return EROFS; }; },
         "cannot make a folder"},
        {"second file created", [&](Broken& fs) { fs.createHook = notExclusive; },
         "a second exclusive creation of a file succeeded"},
        {"rename refused",
         [](Broken& fs) {
             fs.renameHook = [](Broken&, const QByteArray&, const QByteArray&) { return EXDEV; };
         },
         "cannot rename a file onto another"},
        // The source stays behind, as a copy would leave it.
        {"rename that copies",
         [](Broken& fs) {
             fs.renameHook = [](Broken& b, const QByteArray&, const QByteArray& t) {
                 b.remove(t);
                 return b.ProbeFileSystem::createExclusive(t, "a");
             };
         },
         "a rename did not replace its target"},
        {"folder time that stays", [](Broken& fs) { fs.frozenTime = true; },
         "modification time does not move"},
    };
    test::TestRoot root;
    const QString folder = root.folder("share");
    checks::ProbeFileSystem honest;
    EXPECT_EQ(checks::fileSystemProblem(folder, honest), QString());
    for (const auto& row : table) {
        Broken fs;
        row.breakIt(fs);
        const QString problem = checks::fileSystemProblem(folder, fs);
        EXPECT_TRUE(problem.startsWith(folder + ": ")) << row.what << ": " << problem.toStdString();
        EXPECT_TRUE(problem.contains(row.named)) << row.what << ": " << problem.toStdString();
        EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList())
            << row.what;
    }
}
