#include "output/NameEntryKeys.h"
#include "output/ui/ReceiptNamePromptDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace kivo;

TEST(NameEntryKeys, AlternateTitlesChooseTheAction)
{
    struct Case
    {
        const char* title;
        const char* alternate;
        NameKeyAction::Kind kind;
        const char* text;
    };
    const Case cases[] = {{"Clear", "clear", NameKeyAction::Clear, ""},
                          {"Leer", "space", NameKeyAction::Insert, " "}, // a translated title
                          {"⌫", "bs", NameKeyAction::DeleteSelection, ""},
                          {"Q", "", NameKeyAction::Insert, "q"}};
    for (const Case& c : cases) {
        const NameKeyAction action = nameKeyAction(QString::fromUtf8(c.title), c.alternate);
        EXPECT_EQ(action.kind, c.kind) << c.title;
        EXPECT_EQ(action.text, c.text) << c.title;
    }
}

TEST(ReceiptNamePrompt, KeysTypeAndDoneAnswersWithTheText)
{
    ReceiptNamePromptDialog dialog;
    std::optional<SheetReturn> code;
    QString entered;
    dialog.ask([&](SheetReturn c, const QString& t) {
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
    EXPECT_EQ(dialog.nameField()->text(), "ann x");
    click("key_delete");
    click("key_L");
    EXPECT_EQ(dialog.nameField()->text(), "ann l");
    click("key_clear");
    EXPECT_TRUE(dialog.nameField()->text().isEmpty());
    QTest::keyClicks(dialog.nameField(), "Bo");
    click("doneButton");
    EXPECT_EQ(code, SheetReturn::Accepted);
    EXPECT_EQ(entered, "Bo");
    EXPECT_FALSE(dialog.isShowing());

    // Closing the panel cancels, and the field starts empty next time.
    dialog.ask([&](SheetReturn c, const QString&) { code = c; });
    EXPECT_TRUE(dialog.nameField()->text().isEmpty());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(code, SheetReturn::Cancelled);
}
