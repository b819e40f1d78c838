#include "search/ui/KeypadSheet.h"
#include "core/Settings.h"
#include "search/ui/HoldDownButton.h"
#include "support/TestRoot.h"
#include "support/Translated.h"

#include <QAccessible>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using kivo::KeypadSheet;

namespace {

class KeypadSheetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent.resize(1024, 768);
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    }
    void open(kivo::SheetMethod method, bool secure = false)
    {
        kivo::KeypadOptions options;
        options.message = QStringLiteral("Please Enter/Scan Your Photo ID");
        options.button.title = QStringLiteral("Continue");
        options.secureText = secure;
        options.context.fromMethod = method;
        keypad.openSheet(options, &parent);
        ASSERT_TRUE(keypad.isVisible());
    }
    void press(const QString& keys)
    {
        for (const QChar c : keys) {
            QPushButton* b = keypad.digitKey(QString(c));
            ASSERT_NE(b, nullptr) << c.toLatin1();
            QTest::mouseClick(b, Qt::LeftButton);
        }
    }
    static kivo::SheetContext answer(const QSignalSpy& spy)
    {
        return spy.last().at(1).value<kivo::SheetContext>();
    }
    static QString returned(const QSignalSpy& spy) { return answer(spy).returnData; }
    static kivo::KeypadCommand command(const QSignalSpy& spy) { return answer(spy).command; }

    kivo::test::TestRoot root;
    QWidget parent;
    KeypadSheet keypad{kivo::Settings::instance()};
};

} // namespace

TEST_F(KeypadSheetTest, OnScreenKeysEnterAnId)
{
    QSignalSpy ended(&keypad, &KeypadSheet::sheetEnded);
    open(kivo::SheetMethod::StartOver);
    EXPECT_EQ(keypad.messageLabel()->text(), QStringLiteral("Please Enter/Scan Your Photo ID"));
    EXPECT_EQ(keypad.secondMessageLabel()->text(),
              QStringLiteral("ID Located on the Photo Card Given to You At the Camera Station..."));
    EXPECT_FALSE(keypad.digitKey(QStringLiteral("*"))->isVisible());
    press(QStringLiteral("123456"));
    EXPECT_EQ(keypad.textField()->text(), QStringLiteral("123456"));
    press(QStringLiteral("7"));
    EXPECT_EQ(keypad.textField()->text(), QStringLiteral("123456"));
    EXPECT_EQ(keypad.secondMessageLabel()->text(),
              QStringLiteral("ID=[123456] is Already 6 Digits..."));
    EXPECT_TRUE(keypad.secondMessageLabel()->property("isError").toBool());
    // The clear key empties the entry and the hint.
    QTest::mouseClick(keypad.clearButton(), Qt::LeftButton);
    EXPECT_EQ(keypad.textField()->text(), QString());
    EXPECT_EQ(keypad.secondMessageLabel()->text(), QString());
    press(QStringLiteral("123456"));
    EXPECT_TRUE(ended.isEmpty());

    QTest::mouseClick(keypad.enterButton(), Qt::LeftButton);
    ASSERT_EQ(ended.size(), 1);
    EXPECT_EQ(ended.last().at(0).value<kivo::SheetReturn>(), kivo::SheetReturn::Accepted);
    EXPECT_EQ(returned(ended), QStringLiteral("123456"));
    EXPECT_FALSE(keypad.isVisible());
}

// Keys that show French keep their fixed accessible names.
TEST(KeypadSheetNames, FixedWhateverTheLanguageShown)
{
    kivo::test::TestRoot root;
    const kivo::test::Translated french(QStringLiteral("fr"));
    ASSERT_TRUE(french.loaded());
    QWidget parent;
    parent.resize(1024, 768);
    parent.show();
    KeypadSheet keypad{kivo::Settings::instance()};
    kivo::KeypadOptions options;
    options.context.fromMethod = kivo::SheetMethod::StartOver;
    keypad.openSheet(options, &parent);
    const struct
    {
        QPushButton* key;
        const char* text;
        const char* name;
    } keys[] = {{keypad.enterButton(), "Valider", "Enter"},
                {keypad.clearButton(), "Effacer", "Clear"}};
    for (const auto& k : keys) {
        SCOPED_TRACE(k.name);
        ASSERT_NE(k.key, nullptr);
        EXPECT_EQ(k.key->text(), QString::fromUtf8(k.text));
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(k.key);
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(k.name));
    }
}

TEST_F(KeypadSheetTest, KeyboardOrScannerTypesAndReturnActsAsEnter)
{
    QSignalSpy ended(&keypad, &KeypadSheet::sheetEnded);
    open(kivo::SheetMethod::StartOver);
    QTest::keyClicks(keypad.textField(), QStringLiteral("12a345"));
    EXPECT_EQ(keypad.textField()->text(), QStringLiteral("12345"));
    QTest::keyClick(keypad.textField(), Qt::Key_Return);
    EXPECT_TRUE(ended.isEmpty());
    EXPECT_TRUE(keypad.isVisible());
    EXPECT_EQ(keypad.secondMessageLabel()->text(), QStringLiteral("ID=[12345] Must Be 6 Digits!"));
    EXPECT_EQ(keypad.textField()->text(), QString());

    // The sales window's tests type whole IDs and Return; Escape never dismisses the sheet.
    QTest::keyClick(keypad.textField(), Qt::Key_Escape);
    EXPECT_TRUE(keypad.isVisible());
    EXPECT_TRUE(ended.isEmpty());

    // What was left half typed when another window took the keyboard is gone when the keypad
    // is the active window again.
    ASSERT_TRUE(QTest::qWaitForWindowActive(keypad.window()));
    QTest::keyClicks(keypad.textField(), QStringLiteral("123"));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(keypad.textField()->text(), QStringLiteral("123"));
    keypad.window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(keypad.window()));
    EXPECT_EQ(keypad.textField()->text(), QString());
}

// The code pressed here releases the order in the sales window's release tests.
TEST_F(KeypadSheetTest, ReleaseCodeIsEnteredHidden)
{
    open(kivo::SheetMethod::EnterReleaseCode, true);
    EXPECT_TRUE(keypad.isSecureTextMode());
    EXPECT_TRUE(keypad.secureTextField()->isVisible());
    EXPECT_FALSE(keypad.textField()->isVisible());
    EXPECT_EQ(keypad.secureTextField()->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(keypad.digitKey(QStringLiteral("#"))->isVisible());
}

// What each code does is the keypad rules' (tested with them); here the administrator's mode
// and buttons, and the host's quit.
TEST_F(KeypadSheetTest, CommandCodesOnTheKeys)
{
    QSignalSpy ended(&keypad, &KeypadSheet::sheetEnded);
    open(kivo::SheetMethod::StartOver, true);
    press(QStringLiteral("*6394#"));
    QTest::mouseClick(keypad.enterButton(), Qt::LeftButton);
    EXPECT_TRUE(ended.isEmpty());
    EXPECT_TRUE(keypad.isAdminMode());
    EXPECT_TRUE(keypad.adminOptionsView()->isVisible());
    QTest::mouseClick(keypad.openPrefButton(), Qt::LeftButton);
    ASSERT_EQ(ended.size(), 1);
    EXPECT_EQ(command(ended), kivo::KeypadCommand::OpenPreferences);
    EXPECT_EQ(answer(ended).fromMethod, kivo::SheetMethod::StartOver);
    // Ended in admin mode, the keypad's next hidden prompt has no administrator's buttons.
    open(kivo::SheetMethod::EnterReleaseCode, true);
    EXPECT_FALSE(keypad.isAdminMode());
    EXPECT_FALSE(keypad.adminOptionsView()->isVisible());

    open(kivo::SheetMethod::StartOverLoop);
    keypad.closeForQuit(); // the host's quit event
    ASSERT_EQ(ended.size(), 2);
    EXPECT_EQ(command(ended), kivo::KeypadCommand::QuitApp);
}

TEST_F(KeypadSheetTest, HoldingEnterSwitchesModeInsteadOfSubmitting)
{
    QSignalSpy ended(&keypad, &KeypadSheet::sheetEnded);
    open(kivo::SheetMethod::StartOver);
    press(QStringLiteral("12"));
    kivo::HoldDownButton* enter = keypad.enterButton();
    auto holdEnter = [enter] { // released three seconds after the press
        QTest::mousePress(enter, Qt::LeftButton);
        enter->holdTimer().mouseDown(QDateTime::currentDateTime().addMSecs(-3100));
        QTest::mouseRelease(enter, Qt::LeftButton);
    };
    holdEnter();
    EXPECT_TRUE(ended.isEmpty());
    EXPECT_TRUE(keypad.isSecureTextMode());
    EXPECT_EQ(keypad.buffer(), QString());

    holdEnter();
    EXPECT_FALSE(keypad.isSecureTextMode());
    EXPECT_TRUE(ended.isEmpty());
}
