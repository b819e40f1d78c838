#include "station/ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kivo {

namespace {

QList<QRect> visibleFrames()
{
    QList<QRect> frames;
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (const QScreen* screen : screens)
        frames.append(screen->availableGeometry());
    return frames;
}

QRect windowFrame(const QWidget* window)
{
    return window ? window->frameGeometry() : QRect();
}

} // namespace

int customerScreenIndex(int screenCount)
{
    if (screenCount <= 0)
        return -1;
    const int k = screenCount < 2 ? screenCount : 2;
    return k - 1;
}

QRect customerScreenRect(const QList<QRect>& frames, const QRect& fallback)
{
    const int index = customerScreenIndex(static_cast<int>(frames.size()));
    return index < 0 ? fallback : frames.at(index);
}

QRect externalMonitorRect(const QWidget* window)
{
    return customerScreenRect(visibleFrames(), windowFrame(window));
}

void moveToExternalMonitor(QWidget* window)
{
    if (!window)
        return;
    const QList<QRect> frames = visibleFrames();
    if (frames.isEmpty())
        return;
    window->setGeometry(customerScreenRect(frames, windowFrame(window)));
    window->update();
}

bool moveMainWindowToExternalMonitor(QWidget* window)
{
    moveToExternalMonitor(window);
    return false;
}

} // namespace kivo
