#include "core/ChildProcessSupervisor.h"
#include "core/FactoryDefaults.h"
#include "core/FileReference.h"
#include "core/PropertyList.h"
#include "core/Settings.h"
#include "core/StartupSteps.h"
#include "support/TestRoot.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace kivo;

TEST(FactoryDefaults, GeneratedTextItemsReplaceTheResourcesAndStoredValuesWin)
{
    test::TestRoot root;
    Settings s(root.file("s.plist"));
    // A missing or unreadable resource registers nothing.
    EXPECT_FALSE(setupFactoryDefaults(s, root.file("resources/FactoryDefaults.plist")));
    test::writeFile(root.file("bad.plist"), "garbage");
    EXPECT_FALSE(setupFactoryDefaults(s, root.file("bad.plist")));
    EXPECT_TRUE(s.registeredDefaults().isEmpty());

    const QString resource = root.folder("resources") + "/FactoryDefaults.plist";
    ASSERT_TRUE(plist::writeFile(
        resource, QVariantMap{{"prefEditableTextArray", QVariantList{"from the file"}},
                              {"prefTaxRate", 0.0875},
                              {"prefMainImagesFolder", "/srv/images"},
                              {"prefDoShowMenuBar", false}}));
    ASSERT_TRUE(setupFactoryDefaults(s, resource));
    const QVariantList items = s.editableTextArray();
    ASSERT_EQ(items.size(), 20);
    EXPECT_EQ(items.first().toString(), "Santa Editable Text Item 01");
    EXPECT_EQ(items.last().toString(), "Santa Editable Text Item 20");
    EXPECT_DOUBLE_EQ(s.taxRate(), 0.0875);

    s.setValue(Setting::editableTextArray, QVariantList{"mine"});
    EXPECT_EQ(s.editableTextArray(), QVariantList{"mine"});
}

// The version is read by its leading decimal number; from 10.5 it is stored, from 10.6 the
// standard image path is on. The answer is stored either way.
TEST(OperatingSystemVersion, DecidesTheStandardImagePath)
{
    test::TestRoot root;
    const struct
    {
        const char* text;
        double number;
        bool stdImage;
    } cases[] = {{"10.4.11", 10.4, false}, {"10.5.8\n", 10.5, false}, {"10.6.8", 10.6, true},
                 {" 12 ", 12.0, true},     {"22.04", 22.04, true},    {"unknown", 0.0, false},
                 {"", 0.0, false},         {"10.10", 10.1, false}};
    for (const auto& c : cases) {
        Settings s(root.file("os.plist"));
        s.remove(Setting::curOsVersInFloat);
        EXPECT_DOUBLE_EQ(applyOperatingSystemVersion(s, QString::fromLatin1(c.text)), c.number)
            << c.text;
        EXPECT_TRUE(s.value(Setting::canUseStdNsImage).isValid()) << c.text;
        EXPECT_EQ(s.canUseStdNsImage(), c.stdImage) << c.text;
        EXPECT_DOUBLE_EQ(s.curOsVersInFloat(), c.number >= 10.5 ? c.number : 0.0) << c.text;
    }
}

// Made and recorded with its reference; something already there counts as the folder; a path
// that cannot be made leaves the stored path and says why.
TEST(SharedOrderFolder, IsMadeOrFoundOrFailsKeepingTheStoredPath)
{
    const struct
    {
        const char* what;
        const char* inTheWay; // a file at this path below the root
        bool ok;
        bool referenceStored;
    } cases[] = {
        {"made", nullptr, true, true},
        {"a file at the path", "shared/KivoSalesStation", true, false},
        {"a file where its parent should be", "shared", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TestRoot root;
        Settings s(root.file("s.plist"));
        s.setLocalServerPath("/earlier/path");
        const QString path = root.file("shared/KivoSalesStation");
        if (c.inTheWay)
            test::writeFile(root.file(c.inTheWay), "not a folder");
        const SharedFolderResult result = ensureSharedOrderFolder(s, path);
        EXPECT_EQ(result.ok, c.ok) << result.error.toStdString();
        EXPECT_EQ(s.localServerPath(), c.ok ? path : "/earlier/path");
        EXPECT_EQ(s.isValidLocalServerPath(), c.ok);
        QString resolved;
        EXPECT_EQ(FileReference::resolve(s.localServerPathAliasData(), &resolved),
                  c.referenceStored);
        EXPECT_EQ(result.error.contains("is not a folder"), !c.ok) << result.error.toStdString();
    }
}

TEST(FileReferenceTest, FindsAFolderAfterARenameAndFailsCleanlyOtherwise)
{
    test::TestRoot root;
    const QString original = root.folder("images/2026");
    const QByteArray ref = FileReference::create(original);
    ASSERT_FALSE(ref.isEmpty());
    QString resolved;
    ASSERT_TRUE(FileReference::resolve(ref, &resolved));
    EXPECT_EQ(resolved, original);

    ASSERT_TRUE(QDir().rename(original, root.file("images/2026-renamed")));
    ASSERT_TRUE(FileReference::resolve(ref, &resolved));
    EXPECT_EQ(resolved, root.file("images/2026-renamed"));

    // Moved one level down beside its old place.
    root.folder("images/archive");
    ASSERT_TRUE(QDir().rename(root.file("images/2026-renamed"), root.file("images/archive/2026")));
    ASSERT_TRUE(FileReference::resolve(ref, &resolved));
    EXPECT_EQ(resolved, root.file("images/archive/2026"));

    // Gone, and a new folder of the old name is not the same folder (made before the removal so
    // that it cannot reuse the old inode).
    root.folder("images/2026");
    ASSERT_TRUE(QDir(root.file("images/archive/2026")).removeRecursively());
    EXPECT_FALSE(FileReference::resolve(ref, &resolved));
    EXPECT_FALSE(FileReference::resolve("junk", &resolved));
    EXPECT_TRUE(FileReference::create(root.file("missing")).isEmpty());
}

// The stand-in child logs its start and its SIGTERM to KIVO_CHILD_LOG.
class ChildProcesses : public ::testing::Test
{
protected:
    void SetUp() override { qputenv("KIVO_CHILD_LOG", QFile::encodeName(log)); }
    void TearDown() override { qunsetenv("KIVO_CHILD_LOG"); }
    QStringList events()
    {
        return QString::fromUtf8(test::readFile(log)).split('\n', Qt::SkipEmptyParts);
    }
    static ChildProgram childRecord()
    {
        return ChildProcessSupervisor::programFor(QFileInfo(KIVO_TEST_CHILD).absolutePath(),
                                                  QFileInfo(KIVO_TEST_CHILD).fileName());
    }
    test::TestRoot root;
    QString log = root.file("children.log");
};

TEST_F(ChildProcesses, AChildThatEndsIsStartedAgainAfterTheDelay)
{
    ChildProcessSupervisor supervisor;
    supervisor.setRelaunchDelay(300);
    ChildProgram record = childRecord();
    record.arguments = QStringList{"100"}; // "crashes" after 100 ms
    QSignalSpy ended(&supervisor, &ChildProcessSupervisor::childTerminatedUnexpectedly);
    QSignalSpy relaunched(&supervisor, &ChildProcessSupervisor::childRelaunched);
    ASSERT_TRUE(supervisor.launchChildProcess(record));
    EXPECT_EQ(supervisor.childProcesses().size(), 1);
    EXPECT_GT(supervisor.childProcesses().first().pid, 0);

    ASSERT_TRUE(ended.wait(3000));
    QElapsedTimer sinceEnd;
    sinceEnd.start();
    EXPECT_TRUE(supervisor.childProcesses().isEmpty());
    ASSERT_TRUE(relaunched.wait(3000));
    EXPECT_GE(sinceEnd.elapsed(), 250);
    EXPECT_TRUE(relaunched.first().at(1).toBool());
    // The relaunched child keeps its arguments and runs under a process id of its own.
    EXPECT_EQ(supervisor.childProcesses().first().arguments, QStringList{"100"});
    EXPECT_GT(supervisor.childProcesses().first().pid, 0);
    EXPECT_EQ(supervisor.childProcesses().size(), 1);
    ASSERT_TRUE(test::waitUntil([&] { return events().filter("start").size() >= 2; }));
    supervisor.quitAllChildren();
}

TEST_F(ChildProcesses, ChildrenQuitAtTheEndAreNotStartedAgain)
{
    ChildProcessSupervisor supervisor;
    supervisor.setRelaunchDelay(100);
    const ChildProgram record = childRecord();
    ASSERT_TRUE(supervisor.launchChildProcess(record));
    ASSERT_TRUE(supervisor.launchChildProcess(record));
    ASSERT_TRUE(test::waitUntil([&] { return events().filter("start").size() == 2; }));
    QSignalSpy ended(&supervisor, &ChildProcessSupervisor::childTerminatedUnexpectedly);
    supervisor.quitAllChildren();
    EXPECT_TRUE(supervisor.childProcesses().isEmpty());
    QTest::qWait(400);
    EXPECT_EQ(ended.size(), 0);
    EXPECT_EQ(events().filter("start").size(), 2);
    EXPECT_EQ(events().filter("term").size(), 2); // each got SIGTERM and ended on its own
}

TEST_F(ChildProcesses, MissingProgramsAndEmptyNamesLaunchNothing)
{
    ChildProcessSupervisor supervisor;
    EXPECT_TRUE(ChildProcessSupervisor::programFor("/usr/bin", "  ").isEmpty());
    EXPECT_FALSE(supervisor.launchChildProcess({}));
    EXPECT_FALSE(supervisor.launchChildProcess(
        ChildProcessSupervisor::programFor(root.path(), "no-such-program")));
    test::writeFile(root.file("not-executable"), "#!/bin/sh\n");
    EXPECT_FALSE(supervisor.launchChildProcess(
        ChildProcessSupervisor::programFor(root.path(), "not-executable")));
    EXPECT_TRUE(supervisor.childProcesses().isEmpty());
}
