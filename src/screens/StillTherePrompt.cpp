#include "screens/StillTherePrompt.h"

#include "core/IdleTimeout.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace kivo {

StillTherePrompt::StillTherePrompt(IdleTimeout& idle, QWidget* salesWindow)
    // A window without a parent: the sheets of the visit are modal to the sales window and would
    // otherwise block the very touch that answers the prompt.
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_idle(idle), m_salesWindow(salesWindow)
{
    setObjectName(QStringLiteral("StillTherePrompt"));
    setAccessibleName(tr("Still there?"));
    setWindowTitle(tr("Still there?"));
    setAttribute(Qt::WA_StyledBackground);

    auto* title = new QLabel(tr("Still there?"), this);
    title->setObjectName(QStringLiteral("SheetHeading"));
    title->setAlignment(Qt::AlignCenter);
    m_countdown = new QLabel(this);
    m_countdown->setObjectName(QStringLiteral("StillThereCountdown"));
    m_countdown->setAlignment(Qt::AlignCenter);
    m_countdown->setWordWrap(true);
    m_keep = new QPushButton(tr("I'm Still Here"), this);
    m_keep->setObjectName(QStringLiteral("StillThereButton"));
    m_keep->setProperty("primary", true);
    m_keep->setMinimumSize(320, 96);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(48, 48, 48, 48);
    layout->setSpacing(32);
    layout->addStretch(1);
    layout->addWidget(title);
    layout->addWidget(m_countdown);
    layout->addWidget(m_keep, 0, Qt::AlignHCenter);
    layout->addStretch(1);

    connect(m_keep, &QPushButton::clicked, this, [this] { m_idle.activity(); });
    connect(&m_idle, &IdleTimeout::promptShown, this, &StillTherePrompt::showOverWindow);
    connect(&m_idle, &IdleTimeout::promptWithdrawn, this, &QWidget::hide);
    connect(&m_idle, &IdleTimeout::expired, this, &QWidget::hide);
    m_tick.setInterval(1000);
    connect(&m_tick, &QTimer::timeout, this, &StillTherePrompt::updateCountdown);
}

void StillTherePrompt::mousePressEvent(QMouseEvent* event)
{
    m_idle.activity();
    QWidget::mousePressEvent(event);
}

void StillTherePrompt::showOverWindow()
{
    if (m_salesWindow)
        setGeometry(m_salesWindow->geometry());
    updateCountdown();
    show();
    raise();
    activateWindow();
    m_tick.start();
}

void StillTherePrompt::updateCountdown()
{
    if (m_idle.phase() != IdleTimeout::Phase::Prompting) {
        m_tick.stop();
        return;
    }
    m_countdown->setText(
        tr("Touch the screen to keep your order.\nIt will be cleared in %n second(s).", nullptr,
           m_idle.promptSecondsLeft()));
}

} // namespace kivo
