#include "screens/StaffNoticeIndicator.h"

#include <QPainter>

namespace kivo {

namespace {
constexpr int kSide = 24;
constexpr int kDot = 10;
constexpr int kInset = 8;
} // namespace

StaffNoticeIndicator::StaffNoticeIndicator(QWidget* parent, Qt::Corner corner)
    : QWidget(parent), m_corner(corner)
{
    setObjectName(QStringLiteral("StaffNotice"));
    setAccessibleName(QStringLiteral("Staff notice"));
    setFixedSize(kSide, kSide);
    // Never in the way of a touch meant for what lies under it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void StaffNoticeIndicator::setNotice(const QString& text)
{
    setAccessibleDescription(text);
    setVisible(!text.isEmpty());
    if (!text.isEmpty()) {
        placeInCorner();
        raise();
    }
}

int StaffNoticeIndicator::cornerReach()
{
    return kInset + kSide;
}

void StaffNoticeIndicator::placeInCorner()
{
    QWidget* p = parentWidget();
    if (!p)
        return;
    const bool right = m_corner == Qt::TopRightCorner || m_corner == Qt::BottomRightCorner;
    const bool bottom = m_corner == Qt::BottomLeftCorner || m_corner == Qt::BottomRightCorner;
    move(right ? p->width() - width() - kInset : kInset,
         bottom ? p->height() - height() - kInset : kInset);
}

void StaffNoticeIndicator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    // A muted gray, neither red nor bright: a mark for those who know it, not an alarm.
    painter.setBrush(QColor(140, 146, 154, 180));
    const int at = (kSide - kDot) / 2;
    painter.drawEllipse(at, at, kDot, kDot);
}

} // namespace kivo
