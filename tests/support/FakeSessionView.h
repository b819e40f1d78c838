#pragma once

#include "visit/SalesSession.h"

#include <QList>
#include <QStringList>

namespace kivo::test {

// Records what a SalesSession asks its sales window to show, for the tests of the visit.
struct FakeSessionView : SessionView
{
    QList<KeypadOptions> keypads;
    QList<ProgressOptions> progresses;
    int progressCloses = 0;
    std::optional<ScreenMode> mode;
    int beeps = 0;
    bool menuBarShown = false;
    bool terminated = false;
    QStringList photos;
    int summaries = 0;
    bool releasePanel = false;

    void openKeypad(const KeypadOptions& o) override { keypads << o; }
    void openProgress(const ProgressOptions& o) override { progresses << o; }
    void closeProgress() override { ++progressCloses; }
    void setScreenMode(ScreenMode m) override { mode = m; }
    void beep(int count) override { beeps += count; }
    void showMenuBar() override { menuBarShown = true; }
    void terminateApplication() override { terminated = true; }
    void resetSellingScreen() override {}
    void showPhotos(const QStringList& p) override { photos = p; }
    void openOrderSummary(const SheetContext&) override { ++summaries; }
    void showReleasePanel(bool shown) override { releasePanel = shown; }
    ReleaseSnapshot orderSnapshot() override { return {}; }
    void withdrawPhotos(const QStringList&) override {}

    SheetMethod lastMethod() const
    {
        return keypads.isEmpty() ? SheetMethod::None : keypads.last().context.fromMethod;
    }
    QString lastMessage2() const
    {
        return keypads.isEmpty() ? QString() : keypads.last().message2.value_or(QString());
    }
};

// Records the searches a SalesSession starts; ANSWER says whether one could start.
struct FakeSearcher : PhotoSearcher
{
    QList<QStringList> searches;
    bool answer = true;
    bool searchForPhotos(const QStringList& ids) override
    {
        searches << ids;
        return answer;
    }
};

} // namespace kivo::test
