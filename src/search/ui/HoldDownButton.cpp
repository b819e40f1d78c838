#include "search/ui/HoldDownButton.h"

#include <QDateTime>
#include <QMouseEvent>

namespace kivo {

HoldDownButton::HoldDownButton(const QString& title, QWidget* parent) : QPushButton(title, parent)
{}

void HoldDownButton::mousePressEvent(QMouseEvent* event)
{
    m_timer.mouseDown(QDateTime::currentDateTime());
    QPushButton::mousePressEvent(event);
}

void HoldDownButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_timer.mouseUp(QDateTime::currentDateTime()) && m_beep)
        m_beep(1);
    QPushButton::mouseReleaseEvent(event);
}

bool HoldDownButton::didHoldDownLongEnough(QObject* sender)
{
    auto* button = qobject_cast<HoldDownButton*>(sender);
    if (!button)
        return false;
    const bool held =
        button->m_timer.didHoldDownLongEnough(QDateTime::currentDateTime(), button->isContinuous());
    if (held && button->m_beep)
        button->m_beep(1);
    return held;
}

} // namespace kivo
