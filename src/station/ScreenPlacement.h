#pragma once

#include <QList>
#include <QRect>

class QWidget;

// Screen queries shared by the station's windows. The customer screen is the second screen when
// there are two or more (the first is the operator's, with the menu bar), else the only one.
namespace kivo {

// The position in the screen list (primary first) of the customer screen; -1 without screens.
int customerScreenIndex(int screenCount);

// The visible frame of the customer screen among VISIBLEFRAMES (primary first), or FALLBACK (the
// window's own frame) when the list is empty.
QRect customerScreenRect(const QList<QRect>& visibleFrames, const QRect& fallback);

// The same question about the machine's screens, for WINDOW.
QRect externalMonitorRect(const QWidget* window);

// Sets WINDOW's frame to the customer screen's visible frame and redraws it.
void moveToExternalMonitor(QWidget* window);

// The same, answering false as the window operation of that name always does.
bool moveMainWindowToExternalMonitor(QWidget* window);

} // namespace kivo
