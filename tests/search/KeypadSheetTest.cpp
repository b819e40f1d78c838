#include "core/SessionKeys.h"
#include "search/ui/EnterKeyPadController.h"
#include "search/ui/HoldDownButton.h"
#include "support/TestRoot.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using kivo::EnterKeyPadController;

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
    void open(const char* method, bool secure = false)
    {
        keypad.ibOpenSheetWithOptions({
            {QStringLiteral("message"), QStringLiteral("Please Enter/Scan Your Photo ID")},
            {QStringLiteral("parentWindow"), QVariant::fromValue<QWidget*>(&parent)},
            {QStringLiteral("buttonTitle"), QStringLiteral("Continue")},
            {QStringLiteral("showSecureText"), secure},
            {QStringLiteral("contextInfo"),
             QVariantMap{{QStringLiteral("fromMethod"), QString::fromLatin1(method)}}},
        });
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
    QString returned(const QSignalSpy& spy) const
    {
        return spy.last().at(1).toMap().value(QStringLiteral("returnData")).toString();
    }

    kivo::test::TestRoot root;
    QWidget parent;
    EnterKeyPadController keypad;
};

} // namespace

TEST_F(KeypadSheetTest, OnScreenKeysEnterAnId)
{
    QSignalSpy ended(&keypad, &EnterKeyPadController::sheetEnded);
    open("startOver");
    EXPECT_EQ(keypad.ibStatusTextField1()->text(),
              QStringLiteral("Please Enter/Scan Your Photo ID"));
    EXPECT_EQ(keypad.ibStatusTextField2()->text(),
              QStringLiteral("ID Located on the Photo Card Given to You At the Camera Station..."));
    EXPECT_FALSE(keypad.digitKey(QStringLiteral("*"))->isVisible());
    press(QStringLiteral("123456"));
    EXPECT_EQ(keypad.ibTextField()->text(), QStringLiteral("123456"));
    press(QStringLiteral("7"));
    EXPECT_EQ(keypad.ibTextField()->text(), QStringLiteral("123456"));
    EXPECT_EQ(keypad.ibStatusTextField2()->text(),
              QStringLiteral("ID=[123456] is Already 6 Digits..."));
    EXPECT_TRUE(keypad.ibStatusTextField2()->property("isError").toBool());
    EXPECT_TRUE(ended.isEmpty());

    QTest::mouseClick(keypad.ibEnterButton(), Qt::LeftButton);
    ASSERT_EQ(ended.size(), 1);
    EXPECT_EQ(ended.last().at(0).toLongLong(), kivo::kSheetReturnAccepted);
    EXPECT_EQ(returned(ended), QStringLiteral("123456"));
    EXPECT_FALSE(keypad.isVisible());
}

TEST_F(KeypadSheetTest, KeyboardOrScannerTypesAndReturnActsAsEnter)
{
    QSignalSpy ended(&keypad, &EnterKeyPadController::sheetEnded);
    open("startOver");
    QTest::keyClicks(keypad.ibTextField(), QStringLiteral("12a345"));
    EXPECT_EQ(keypad.ibTextField()->text(), QStringLiteral("12345"));
    QTest::keyClick(keypad.ibTextField(), Qt::Key_Return);
    EXPECT_TRUE(ended.isEmpty());
    EXPECT_TRUE(keypad.isVisible());
    EXPECT_EQ(keypad.ibStatusTextField2()->text(), QStringLiteral("ID=[12345] Must Be 6 Digits!"));
    EXPECT_EQ(keypad.ibTextField()->text(), QString());

    QTest::keyClicks(keypad.ibTextField(), QStringLiteral("6543219"));
    EXPECT_EQ(keypad.ibTextField()->text(), QStringLiteral("654321"));
    QTest::keyClick(keypad.ibTextField(), Qt::Key_Escape); // never dismisses the sheet
    EXPECT_TRUE(keypad.isVisible());
    QTest::keyClick(keypad.ibTextField(), Qt::Key_Return);
    ASSERT_EQ(ended.size(), 1);
    EXPECT_EQ(returned(ended), QStringLiteral("654321"));
}

TEST_F(KeypadSheetTest, ReleaseCodeIsEnteredHidden)
{
    QSignalSpy ended(&keypad, &EnterKeyPadController::sheetEnded);
    open("enterReleaseCode", true);
    EXPECT_TRUE(keypad.isSecureTextMode());
    EXPECT_TRUE(keypad.ibSecureTextField()->isVisible());
    EXPECT_FALSE(keypad.ibTextField()->isVisible());
    EXPECT_EQ(keypad.ibSecureTextField()->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(keypad.digitKey(QStringLiteral("#"))->isVisible());
    press(QStringLiteral("3582"));
    QTest::mouseClick(keypad.ibEnterButton(), Qt::LeftButton);
    ASSERT_EQ(ended.size(), 1);
    EXPECT_EQ(returned(ended), QStringLiteral("3582"));
}

TEST_F(KeypadSheetTest, CommandCodesOnTheKeys)
{
    QSignalSpy ended(&keypad, &EnterKeyPadController::sheetEnded);
    open("startOver", true);
    press(QStringLiteral("*6394#"));
    QTest::mouseClick(keypad.ibEnterButton(), Qt::LeftButton);
    EXPECT_TRUE(ended.isEmpty());
    EXPECT_TRUE(keypad.isAdminMode());
    EXPECT_TRUE(keypad.ibAdminOptionsView()->isVisible());

    press(QStringLiteral("*5281#"));
    QTest::mouseClick(keypad.ibEnterButton(), Qt::LeftButton);
    ASSERT_EQ(ended.size(), 1);
    EXPECT_EQ(returned(ended), QStringLiteral("quitApp"));

    open("startOverLoop");
    keypad.closeMyCustomSheet(nullptr); // the host's quit event
    ASSERT_EQ(ended.size(), 2);
    EXPECT_EQ(returned(ended), QStringLiteral("quitApp"));

    open("startOverLoop");
    QTest::mouseClick(keypad.ibEnterButton(), Qt::LeftButton);
    ASSERT_EQ(ended.size(), 3);
    EXPECT_EQ(returned(ended), QStringLiteral("doneLoop"));
}

TEST_F(KeypadSheetTest, HoldingEnterSwitchesModeInsteadOfSubmitting)
{
    QSignalSpy ended(&keypad, &EnterKeyPadController::sheetEnded);
    open("startOver");
    press(QStringLiteral("12"));
    kivo::HoldDownButton* enter = keypad.ibEnterButton();
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

    // A short press submits.
    press(QStringLiteral("123456"));
    QTest::mouseClick(enter, Qt::LeftButton);
    ASSERT_EQ(ended.size(), 1);
    EXPECT_EQ(returned(ended), QStringLiteral("123456"));
}

TEST_F(KeypadSheetTest, ClearKeyEmptiesTheEntryAndTheHint)
{
    open("startOver");
    press(QStringLiteral("123"));
    QTest::mouseClick(keypad.ibClearTextFieldButton(), Qt::LeftButton);
    EXPECT_EQ(keypad.ibTextField()->text(), QString());
    EXPECT_EQ(keypad.ibStatusTextField2()->text(), QString());
    // Without a button as sender nothing is cleared.
    press(QStringLiteral("45"));
    keypad.clearTextField(nullptr);
    EXPECT_EQ(keypad.ibTextField()->text(), QStringLiteral("45"));
}
