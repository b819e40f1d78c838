#include "core/CustomerLock.h"
#include "core/SalesSession.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "screens/PhotoGridModel.h"
#include "screens/StillTherePrompt.h"
#include "search/ui/EnterKeyPadController.h"
#include "search/ui/HoldDownButton.h"
#include "station/SalesWindowController.h"
#include "station/VisitIdleGuard.h"
#include "support/TestJpeg.h"
#include "support/TestRoot.h"

#include <QFileInfo>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using State = kivo::SalesSession::State;

namespace {

struct NoSearch : kivo::PhotoSearcher
{
    bool searchForImagesWithID(const QStringList&) override { return true; }
};

} // namespace

// A customer who walks away: asked first, kept by a touch, and ended with the lock released
// and the photos gone when nobody answers.
TEST(VisitIdle, UnansweredPromptEndsTheVisitAndATouchKeepsIt)
{
    kivo::test::TestRoot root;
    const QString images = root.folder(QStringLiteral("images"));
    auto& settings = kivo::Settings::standardUserDefaults();
    settings.setString(images, QString::fromLatin1(kivo::sPrefMainImagesFolder));
    settings.setBool(false, QString::fromLatin1(kivo::sPrefAllowMultipleIDs));
    settings.setInteger(1, QString::fromLatin1(kivo::sPrefIdleTimeoutSeconds));
    NoSearch searcher;
    kivo::SalesWindowController sales(settings);
    sales.setPhotoSearcher(&searcher);
    kivo::VisitIdleGuard guard(sales, settings);
    guard.idleTimeout().setPromptDuration(400);
    kivo::StillTherePrompt* prompt = guard.prompt();
    sales.startOver();

    const QString photo = images + QStringLiteral("/123456_1.jpg");
    kivo::test::writeJpeg(photo, kivo::test::markedImage(60, 40), 1);
    for (const QChar c : QStringLiteral("123456"))
        QTest::mouseClick(sales.keypad()->digitKey(QString(c)), Qt::LeftButton);
    QTest::mouseClick(sales.keypad()->ibEnterButton(), Qt::LeftButton);
    sales.searchFinished({QStringLiteral("123456")}, {photo}, false);
    ASSERT_EQ(sales.session()->state(), State::Choosing);
    const QString lock = kivo::CustomerLock::lockPath(images, QStringLiteral("123456"));
    ASSERT_TRUE(QFileInfo::exists(lock));

    // Over the summary, whose sheet is modal to the sales window, the prompt still takes the
    // touch that answers it.
    sales.session()->showOrderSummary();
    ASSERT_EQ(sales.session()->state(), State::Summary);
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt->isVisible(); }, 3000));
    EXPECT_EQ(prompt->accessibleName(), QStringLiteral("Still there?"));
    EXPECT_EQ(prompt->geometry(), sales.window()->geometry());
    QTest::mouseClick(prompt->windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(prompt->isVisible());
    QTest::qWait(600);
    EXPECT_EQ(sales.session()->state(), State::Summary);

    ASSERT_TRUE(QTest::qWaitFor([&] { return prompt->isVisible(); }, 3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return sales.session()->state() == State::Attract; }, 3000));
    EXPECT_FALSE(prompt->isVisible());
    EXPECT_FALSE(QFileInfo::exists(lock));
    EXPECT_TRUE(sales.photoGrid()->photoList().isEmpty());
    EXPECT_TRUE(sales.keypad()->isVisible());
    settings.removeObjectForKey(QString::fromLatin1(kivo::sPrefIdleTimeoutSeconds));
}
