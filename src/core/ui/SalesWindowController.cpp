#include "core/ui/SalesWindowController.h"

#include "core/ConsoleLog.h"
#include "core/ui/DalosAddition.h"
#include "core/ui/borderlessWindow.h"

#include <QVBoxLayout>

namespace kivo {

SalesWindowController::SalesWindowController(QObject* parent) : QObject(parent) {}

SalesWindowController::~SalesWindowController()
{
    delete m_window;
}

QWidget* SalesWindowController::window()
{
    if (!m_window) {
        auto* w = new borderlessWindow();
        w->setObjectName(QStringLiteral("SalesWindow"));
        w->setWindowTitle(QStringLiteral("Kivo Sales Station"));
        m_background = new QWidget(w);
        m_background->setObjectName(QStringLiteral("ibBackgroundImageView"));
        auto* layout = new QVBoxLayout(w);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_background);
        m_window = w;
    }
    return m_window;
}

void SalesWindowController::fixThisView()
{
    window();
    if (m_background)
        m_background->setGeometry(m_window->rect());
}

void SalesWindowController::validateSetupBeforeStarting()
{
    consoleLog("SalesWindowController", "validateSetupBeforeStarting");
    startOver();
}

bool SalesWindowController::forceSessionToClose()
{
    consoleLog("SalesWindowController", "forceSessionToClose");
    return true;
}

void SalesWindowController::sizeWindowToMainScreen()
{
    moveToExternalMonitor(window());
}

void SalesWindowController::startOver()
{
    consoleLog("SalesWindowController", "startOver");
    window()->show();
    window()->raise();
}

} // namespace kivo
