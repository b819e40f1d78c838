#include "core/ui/borderlessWindow.h"

#include "core/ConsoleLog.h"
#include "core/ui/DalosAddition.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>

namespace kivo {

borderlessWindow::borderlessWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setWindowOpacity(1.0);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::darkGray);
    setPalette(p);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

bool borderlessWindow::moveMainWindowToExternalMonitor()
{
    return kivo::moveMainWindowToExternalMonitor(this);
}

void borderlessWindow::mousePressEvent(QMouseEvent* event)
{
    fInitialLocation = event->globalPosition() - QPointF(frameGeometry().topLeft());
    QWidget::mousePressEvent(event);
}

void borderlessWindow::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers held =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    consoleLog("borderlessWindow", "keyDown",
               QStringLiteral("key=[%1] modifiers held=%2%3")
                   .arg(event->text())
                   .arg(held ? QStringLiteral("YES") : QStringLiteral("NO"))
                   .arg(event->key() == Qt::Key_Up ? QStringLiteral(" Key UP") : QString()));
    QWidget::keyPressEvent(event);
}

} // namespace kivo
