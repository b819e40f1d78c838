#include "output/NameEntryKeys.h"
#include "output/ui/ReceiptNamePromptDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace kivo;

TEST(NameEntryKeys, AlternateTitlesChooseTheAction)
{
    EXPECT_EQ(nameKeyAction("Clear", "clear").kind, NameKeyAction::Clear);
    EXPECT_EQ(nameKeyAction("Space", "space").text, " ");
    EXPECT_EQ(nameKeyAction("⌫", "bs").kind, NameKeyAction::DeleteSelection);
    const NameKeyAction letter = nameKeyAction("Q", "");
    EXPECT_EQ(letter.kind, NameKeyAction::Insert);
    EXPECT_EQ(letter.text, "q");
}

TEST(ReceiptNamePrompt, KeysTypeAndDoneAnswersWithTheText)
{
    ReceiptNamePromptDialog dialog;
    int code = 0;
    QString entered;
    dialog.open([&](int c, const QString& t) {
        code = c;
        entered = t;
    });
    ASSERT_TRUE(dialog.isShowing());
    auto click = [&dialog](const char* name) {
        auto* key = dialog.findChild<QPushButton*>(name);
        ASSERT_NE(key, nullptr) << name;
        QTest::mouseClick(key, Qt::LeftButton);
    };
    for (const char* k : {"key_A", "key_N", "key_N", "key_space", "key_X"})
        click(k);
    EXPECT_EQ(dialog.ibEnterCustomerName()->text(), "ann x");
    click("key_delete");
    click("key_L");
    EXPECT_EQ(dialog.ibEnterCustomerName()->text(), "ann l");
    click("key_clear");
    EXPECT_TRUE(dialog.ibEnterCustomerName()->text().isEmpty());
    QTest::keyClicks(dialog.ibEnterCustomerName(), "Bo");
    click("doneButton");
    EXPECT_EQ(code, kSheetAccepted);
    EXPECT_EQ(entered, "Bo");
    EXPECT_FALSE(dialog.isShowing());

    // Closing the panel cancels, and the field starts empty next time.
    dialog.open([&](int c, const QString&) { code = c; });
    EXPECT_TRUE(dialog.ibEnterCustomerName()->text().isEmpty());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(code, kSheetCancelled);
}
