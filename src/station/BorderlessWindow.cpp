#include "station/BorderlessWindow.h"

#include "core/ConsoleLog.h"
#include "station/Logging.h"
#include "station/ScreenPlacement.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>

namespace kivo {

BorderlessWindow::BorderlessWindow(QWidget* parent)
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

bool BorderlessWindow::moveMainWindowToExternalMonitor()
{
    return kivo::moveMainWindowToExternalMonitor(this);
}

void BorderlessWindow::mousePressEvent(QMouseEvent* event)
{
    m_initialLocation = event->globalPosition() - QPointF(frameGeometry().topLeft());
    QWidget::mousePressEvent(event);
}

void BorderlessWindow::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers held =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    consoleLog(lcStation(), "BorderlessWindow", "keyPressEvent",
               QStringLiteral("key=[%1] modifiers held=%2%3")
                   .arg(event->text())
                   .arg(held ? QStringLiteral("YES") : QStringLiteral("NO"))
                   .arg(event->key() == Qt::Key_Up ? QStringLiteral(" Key UP") : QString()));
    QWidget::keyPressEvent(event);
}

} // namespace kivo
