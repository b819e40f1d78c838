#include "admin/CatalogueEditor.h"
#include "admin/EditableTextModel.h"
#include "admin/FolderCheck.h"
#include "admin/PreferencesModel.h"
#include "admin/PrinterList.h"
#include "core/FileReference.h"
#include "core/Paths.h"
#include "core/PropertyList.h"
#include "core/Settings.h"
#include "core/SiteCodes.h"
#include "orders/PackageCatalogue.h"
#include "search/KeypadRules.h"
#include "support/TestRoot.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QSignalSpy>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

using namespace kivo;

namespace {

Settings& settings()
{
    return Settings::instance();
}

} // namespace

// A chosen folder is checked before it is trusted: refused folders change nothing; an accepted
// one stores its path, validity flag and file reference together, on disk at once.
TEST(Preferences, FoldersAreCheckedBeforeTheyAreTrusted)
{
    test::TestRoot root;
    const QString good = root.folder("orders");
    const QString file = root.file("plain.txt");
    test::writeFile(file, "x");
    struct Case
    {
        const char* key;
        QString path;
        const char* because; // empty: accepted
    };
    const Case cases[] = {
        {settingKey(Setting::localServerPath), root.path() + "/missing", "does not exist"},
        {settingKey(Setting::localServerPath), file, "is not a folder"},
        // /proc takes no new file, whoever asks (root included).
        {settingKey(Setting::tilboxPendingInvoiceFolder), QStringLiteral("/proc"),
         "cannot be written"},
        {settingKey(Setting::mainImagesFolder), QStringLiteral("/proc"), ""}, // only read
        {settingKey(Setting::localServerPath), good, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        settings().reload();
        settings().remove(settingForKey(c.key).value());
        PreferencesModel prefs(settings());
        QString message;
        const bool ok = prefs.chooseFolder(c.key, c.path, &message);
        EXPECT_EQ(ok, QByteArray(c.because).isEmpty());
        EXPECT_TRUE(message.contains(QLatin1String(c.because))) << message.toStdString();
        Settings onDisk(paths::settingsFile());
        EXPECT_EQ(Settings::toText(onDisk.value(settingForKey(c.key).value())),
                  ok ? c.path : QString());
        if (QLatin1String(c.key) == settingKeyString(Setting::localServerPath)) {
            EXPECT_EQ(onDisk.isValidLocalServerPath(), ok);
            QString resolved;
            EXPECT_EQ(FileReference::resolve(onDisk.localServerPathAliasData(), &resolved), ok);
        }
    }
}

// Typed fields: each text is converted to its setting's kind, or refused and nothing stored.
TEST(Preferences, TextsAreConvertedOrRefused)
{
    test::TestRoot root;
    PreferencesModel prefs(settings());
    struct Case
    {
        const char* key;
        const char* text;
        QVariant stored; // invalid: refused
    };
    const Case cases[] = {
        {settingKey(Setting::taxRate), "0.07", 0.07},
        {settingKey(Setting::taxRate), "1.5", {}},
        {settingKey(Setting::taxRate), "abc", {}},
        {settingKey(Setting::printCopies), " 2 ", qint64(2)},
        {settingKey(Setting::printCopies), "2.5", {}},
        {settingKey(Setting::searchIdMethodTag), "3", {}},
        {settingKey(Setting::upcForFreebie), "P99009", QStringLiteral("P99009")},
        {settingKey(Setting::mainImagesFolder), "/tmp", {}}, // folders only through their chooser
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.text);
        settings().remove(settingForKey(c.key).value());
        QString error;
        EXPECT_EQ(prefs.setText(c.key, c.text, &error), c.stored.isValid());
        EXPECT_EQ(error.isEmpty(), c.stored.isValid());
        const QVariant now = settings().storedValues().value(c.key);
        EXPECT_EQ(now, c.stored);
        EXPECT_EQ(now.typeId(), c.stored.typeId());
    }
}

// A receipt printer switch stays on only with a printer that exists; a printer that goes away is
// reported.
TEST(Preferences, PrinterSwitchesNeedAnExistingPrinter)
{
    test::TestRoot root;
    PreferencesModel prefs(settings());
    prefs.setPrinters({QStringLiteral("ReceiptA")});
    settings().setReceiptPrinterNamePrimary(QString());
    QString message;
    EXPECT_FALSE(prefs.setFlag(settingKey(Setting::doPrintReceiptPrimary), true, &message));
    EXPECT_FALSE(settings().doPrintReceiptPrimary());
    EXPECT_FALSE(message.isEmpty());
    // A typed name the system does not know is refused; a known one is taken.
    EXPECT_FALSE(prefs.selectPrinter(settingKey(Setting::receiptPrinterNamePrimary),
                                     QStringLiteral("Receipt")));
    EXPECT_TRUE(settings().receiptPrinterNamePrimary().isEmpty());
    EXPECT_TRUE(prefs.selectPrinter(settingKey(Setting::receiptPrinterNamePrimary),
                                    QStringLiteral("ReceiptA")));
    EXPECT_TRUE(prefs.setFlag(settingKey(Setting::doPrintReceiptPrimary), true));
    EXPECT_TRUE(Settings(paths::settingsFile()).doPrintReceiptPrimary());

    prefs.setPrinters({}, QStringLiteral("no service"));
    const QString problems = prefs.problems().join('\n');
    EXPECT_TRUE(problems.contains(QLatin1String("no service")));
    EXPECT_TRUE(problems.contains(QLatin1String("ReceiptA")));
}

// A scheduler that does not answer gives no printers and says why; nothing hangs or crashes.
TEST(Preferences, PrintingServiceThatIsNotRunning)
{
    const QByteArray previous = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", "/nonexistent/kivo-cups.sock");
    const PrinterNames answer = cupsPrinterNames();
    previous.isNull() ? qunsetenv("CUPS_SERVER") : qputenv("CUPS_SERVER", previous);
    EXPECT_TRUE(answer.names.isEmpty());
    EXPECT_FALSE(answer.problem.isEmpty());
}

TEST(Preferences, DateFormatPopUpStoresPatternAndExample)
{
    test::TestRoot root;
    PreferencesModel prefs(settings());
    prefs.setToday(QDate(2026, 12, 5));
    prefs.chooseDateFormat(0);
    EXPECT_EQ(settings().dailyFolderDateFormat(), QStringLiteral("MM-dd-yyyy"));
    EXPECT_EQ(settings().dailyFolderDateFormatExample(), QStringLiteral("Example: 12-05-2026"));
    prefs.chooseDateFormat(3);
    EXPECT_EQ(settings().dailyFolderDateFormat(), QStringLiteral("MMMM d, y"));
    EXPECT_EQ(prefs.dateFormatTag(), 3);
    // Another tag keeps the stored format.
    prefs.chooseDateFormat(9);
    EXPECT_EQ(settings().dailyFolderDateFormatExample(),
              QStringLiteral("Example: December 5, 2026"));
}

// Settings files the sheet must survive: corrupt (kept aside, not overwritten), hand-edited with
// the wrong kinds of values, and unwritable. Each is explained among the problems.
TEST(Preferences, BadSettingsFilesAreExplained)
{
    test::TestRoot root;
    const QString file = paths::settingsFile();
    test::writeFile(file, "<plist><dict><key>prefTaxRate</key><real>0.0");
    settings().reload();
    PreferencesModel prefs(settings());
    EXPECT_TRUE(prefs.problems().join('\n').contains(QLatin1String("could not be read")));
    ASSERT_TRUE(prefs.setText(settingKey(Setting::taxRate), QStringLiteral("0.05")));
    EXPECT_EQ(test::readFile(file + ".unreadable"),
              QByteArray("<plist><dict><key>prefTaxRate</key><real>0.0"));
    EXPECT_DOUBLE_EQ(Settings(file).taxRate(), 0.05);

    plist::writeFile(file, QVariantMap{{settingKey(Setting::taxRate), QStringLiteral("seven")},
                                       {settingKey(Setting::printReceipt), qint64(1)},
                                       {settingKey(Setting::mainImagesFolder), 12.0},
                                       {"prefSantaDiscountPercentage", 25.0},
                                       {settingKey(Setting::printCopies), qint64(-3)}});
    settings().reload();
    const QString wrong = prefs.problems().join('\n');
    for (const char* label :
         {"Sales tax rate", "Print a receipt", "Images folder",
          "Percentage discount (0.25 is 25 %) holds 25, which is not between 0 and 1",
          "Receipt copies holds -3, which is not between 0 and 20"})
        EXPECT_TRUE(wrong.contains(QLatin1String(label))) << label;

    // A folder where the file belongs fails every write, as a full disk does: the change is
    // kept, the sheet says so, and it is saved by itself once the file can be written again.
    QFile::remove(file);
    QDir().mkpath(file);
    settings().reload();
    prefs.setSaveRetryInterval(20);
    QSignalSpy problemsChanged(&prefs, &PreferencesModel::problemsChanged);
    EXPECT_TRUE(prefs.setText(settingKey(Setting::taxRate), QStringLiteral("0.06")));
    EXPECT_DOUBLE_EQ(settings().taxRate(), 0.06);
    EXPECT_TRUE(prefs.problems().join('\n').contains(QLatin1String("cannot be saved")));
    ASSERT_TRUE(QDir().rmdir(file));
    EXPECT_TRUE(test::waitUntil(
        [&] { return !prefs.problems().join('\n').contains(QLatin1String("cannot be saved")); }));
    EXPECT_EQ(problemsChanged.size(), 2);
    EXPECT_DOUBLE_EQ(Settings(file).taxRate(), 0.06);
}

// The site's codes: the factory codes work until a site sets its own; a changed code is stored
// only as a salted hash, needs the current one, must have the right form and differ from the
// others; a stored hash that cannot be read falls back to the factory code.
TEST(SiteCodes, ChangedCodesAreHashedAndChecked)
{
    test::TestRoot root;
    SiteCodes codes(settings());
    EXPECT_TRUE(codes.matches(SiteCodes::ReleaseCode, QStringLiteral("3582")));
    EXPECT_EQ(codes.identify(QStringLiteral("*4826#")), SiteCodes::OpenPreferencesCode);
    EXPECT_EQ(codes.identify(QStringLiteral("*5281#")), SiteCodes::QuitCode);
    EXPECT_EQ(codes.identify(QStringLiteral("*6394#")), SiteCodes::AdministratorKeysCode);
    EXPECT_EQ(codes.identify(QStringLiteral("123456")), -1);

    struct Refusal
    {
        SiteCodes::Code which;
        const char* current;
        const char* next;
    };
    const Refusal refusals[] = {
        {SiteCodes::ReleaseCode, "1111", "7777"},  // wrong current code
        {SiteCodes::ReleaseCode, "3582", "77a7"},  // not digits
        {SiteCodes::ReleaseCode, "3582", "77"},    // too short
        {SiteCodes::QuitCode, "*5281#", "1234"},   // a command code needs * and #
        {SiteCodes::QuitCode, "*5281#", "*4826#"}, // already the preferences code
        {SiteCodes::ReleaseCode, "3582", "123456789012345"},
    };
    for (const Refusal& r : refusals) {
        QString error;
        EXPECT_FALSE(codes.change(r.which, r.current, r.next, &error)) << r.next;
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_FALSE(codes.isChanged(SiteCodes::ReleaseCode));

    ASSERT_TRUE(codes.change(SiteCodes::ReleaseCode, QStringLiteral("3582"),
                             QStringLiteral("90817"), nullptr));
    ASSERT_TRUE(codes.change(SiteCodes::QuitCode, QStringLiteral("*5281#"), QStringLiteral("*777#"),
                             nullptr));
    settings().sync();
    const QByteArray file = test::readFile(paths::settingsFile());
    EXPECT_FALSE(file.contains("90817"));
    EXPECT_FALSE(file.contains("*777#"));
    EXPECT_TRUE(codes.matches(SiteCodes::ReleaseCode, QStringLiteral("90817")));
    EXPECT_FALSE(codes.matches(SiteCodes::ReleaseCode, QStringLiteral("3582")));
    // Two hashes of one code differ by their salts.
    EXPECT_NE(SiteCodes::hash(QStringLiteral("90817")), SiteCodes::hash(QStringLiteral("90817")));

    // The keypad follows the site's command codes.
    EXPECT_EQ(keypad::closeOutcome(QStringLiteral("*777#"), SheetMethod::StartOver, codes).command,
              KeypadCommand::QuitApp);
    EXPECT_EQ(keypad::closeOutcome(QStringLiteral("*5281#"), SheetMethod::StartOver, codes).action,
              keypad::CloseOutcome::StayOpen);

    for (const char* damaged : {"pbkdf2-sha256$0$AAAA$AAAA", "90817", "pbkdf2-sha256$2000$$"}) {
        settings().setReleaseCodeHash(QLatin1String(damaged));
        EXPECT_TRUE(codes.matches(SiteCodes::ReleaseCode, QStringLiteral("3582"))) << damaged;
        EXPECT_FALSE(codes.matches(SiteCodes::ReleaseCode, QStringLiteral("90817"))) << damaged;
    }
}

namespace {

QString sitePath(const char* name)
{
    return QDir(PackageCatalogue::siteCatalogueFolder()).filePath(QLatin1String(name));
}

QModelIndex cell(const CatalogueEditor& editor, const QString& plu, int column)
{
    for (int row = 0; row < editor.rowCount(); ++row) {
        if (editor.index(row, CatalogueEditor::PLU).data().toString() == plu)
            return editor.index(row, column);
    }
    return {};
}

} // namespace

// A catalogue that would not load is refused with the reason, and the catalogue in force stays;
// an accepted one becomes the site's own, in force over the shipped one, the previous kept.
TEST(PackageEditor, RefusesCataloguesThatWouldNotLoad)
{
    test::TestRoot root;
    struct Case
    {
        int column;
        const char* value;
        const char* because;
    };
    const Case refusals[] = {
        {CatalogueEditor::PLU, "", "has no PLU"},
        {CatalogueEditor::UnitPrice, "ten", "is not a number"},
        {CatalogueEditor::UnitPrice, "-1", "is not a number"},
        {CatalogueEditor::PLU, "p10570", "listed twice"}, // PLUs compare without case
        {CatalogueEditor::Type, "Poster", "must be Print, Flash or promo"},
        {CatalogueEditor::FirstItemPLU, "P404", "names no package"},
    };
    for (const Case& c : refusals) {
        CatalogueEditor editor;
        ASSERT_TRUE(editor.load());
        editor.setData(cell(editor, QStringLiteral("P10810"), c.column),
                       QString::fromLatin1(c.value));
        QString reason;
        EXPECT_FALSE(editor.save(&reason)) << c.value;
        EXPECT_TRUE(reason.contains(QLatin1String(c.because))) << reason.toStdString();
        EXPECT_FALSE(PackageCatalogue::hasSiteCatalogue());
    }

    CatalogueEditor editor;
    ASSERT_TRUE(editor.load());
    const int rows = editor.rowCount();
    editor.setData(cell(editor, QStringLiteral("P10810"), CatalogueEditor::UnitPrice),
                   QStringLiteral("12.5"));
    ASSERT_TRUE(editor.save(nullptr));
    EXPECT_TRUE(PackageCatalogue::hasSiteCatalogue());
    EXPECT_TRUE(QFile::exists(sitePath("MasterItemList.previous.plist")));
    PackageCatalogue catalogue(settings());
    ASSERT_TRUE(catalogue.load());
    EXPECT_FLOAT_EQ(catalogue.recordForPLU("P10810")->unitPrice, 12.5f);
    EXPECT_EQ(catalogue.displayPackageList().size(), 6);

    // The site's catalogue is what the editor reads next, and a refusal leaves it as it is.
    CatalogueEditor again;
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.rowCount(), rows);
    const QByteArray saved = test::readFile(sitePath("MasterItemList.plist"));
    again.setData(cell(again, QStringLiteral("P10810"), CatalogueEditor::UnitPrice),
                  QStringLiteral("1O.00"));
    EXPECT_FALSE(again.save(nullptr));
    EXPECT_EQ(test::readFile(sitePath("MasterItemList.plist")), saved);

    // A site catalogue broken by hand does not leave the station without packages.
    test::writeFile(sitePath("UIDisplayPackageList.plist"), "not a plist");
    ASSERT_TRUE(catalogue.load());
    EXPECT_FLOAT_EQ(catalogue.recordForPLU("P10810")->unitPrice, 10.0f);
}

TEST(EditableTexts, RetypingAndTheArrayRule)
{
    test::TestRoot root;
    QStringList storedTexts;
    for (int i = 1; i <= 20; ++i)
        storedTexts << QStringLiteral("Item %1").arg(i);
    settings().setValue(Setting::editableTextArray,
                        QVariantList(storedTexts.begin(), storedTexts.end()));
    EditableTextModel model(settings());
    EXPECT_EQ(model.index(0, 0).data().toString(), QStringLiteral("1."));
    ASSERT_TRUE(model.setData(model.index(2, 1), QStringLiteral("Gift wrap")));
    const QVariantList stored = Settings(paths::settingsFile()).editableTextArray();
    ASSERT_EQ(stored.size(), 20);
    EXPECT_EQ(stored.at(2).toString(), QStringLiteral("Gift wrap"));
    EXPECT_EQ(stored.at(3).toString(), QStringLiteral("Item 4"));

    model.insertTextObject(-4);
    EXPECT_EQ(model.items().first(), QStringLiteral("new title"));
    EXPECT_EQ(settings().editableTextArray().size(), 21);
    EXPECT_EQ(model.index(1, 0).data().toString(), QStringLiteral("2."));
}

// Rows dragged within the table, or moved with the buttons, are stored in their new order at once
// with the array rule: items stored since the table was read, beyond its rows, stay.
TEST(EditableTexts, MovedRowsAreStoredInTheirNewOrder)
{
    test::TestRoot root;
    settings().setValue(Setting::editableTextArray, QVariantList{"a", "b", "c"});
    EditableTextModel model(settings());
    settings().setValue(Setting::editableTextArray, QVariantList{"a", "b", "c", "d"});
    auto drag = [&model](int from, int dropRow) {
        std::unique_ptr<QMimeData> data(model.mimeData({model.index(from, 0)}));
        return model.dropMimeData(data.get(), Qt::MoveAction, dropRow, 0, QModelIndex());
    };
    struct Case
    {
        std::function<bool()> move;
        QStringList expected; // as stored
    };
    const Case cases[] = {
        {[&] { return drag(0, 2); }, {"b", "a", "c", "d"}},  // between the second and third
        {[&] { return drag(2, -1); }, {"b", "a", "c", "d"}}, // the last below the last: stays
        {[&] { return drag(2, 0); }, {"c", "b", "a", "d"}},
        {[&] { return model.moveItem(0, 1); }, {"b", "c", "a", "d"}},
        {[&] { return model.moveItem(2, 1); }, {"b", "a", "c", "d"}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.move());
        EXPECT_EQ(Settings(paths::settingsFile()).editableTextArray(),
                  QVariantList(c.expected.begin(), c.expected.end()));
    }
    EXPECT_EQ(model.index(0, 0).data().toString(), QStringLiteral("1."));
    EXPECT_FALSE(model.moveItem(2, 3));
    QMimeData foreign;
    foreign.setText(QStringLiteral("0"));
    EXPECT_FALSE(model.dropMimeData(&foreign, Qt::MoveAction, 0, 0, QModelIndex()));
}
