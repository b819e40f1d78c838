#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace kivo {

// Drives one customer's visit in the sales window, from the attract screen to the next start
// over. One per process, created by the application controller at launch.
class SalesWindowController : public QObject
{
    Q_OBJECT

public:
    explicit SalesWindowController(QObject* parent = nullptr);
    ~SalesWindowController() override;

    // The sales window (created on first use).
    QWidget* window();

    // Lets the background view fill the window's content.
    void fixThisView();

    // Checks the images and point-of-sale folders before the first visit.
    void validateSetupBeforeStarting();

    // Ends the visit at the station's end (releases the customer lock); true when done.
    bool forceSessionToClose();

    // Places the window on the customer screen again after a change of screens.
    void sizeWindowToMainScreen();

    // Back to the attract screen and the ID prompt.
    void startOver();

private:
    QPointer<QWidget> m_window;
    QWidget* m_background = nullptr;
};

} // namespace kivo
