#pragma once

#include <QPointF>
#include <QWidget>

namespace kivo {

// The class of the station's full-screen windows: no title bar or border, dark gray, no shadow,
// never dragged, and still able to take the keyboard (a barcode scanner types into it).
class BorderlessWindow : public QWidget
{
    Q_OBJECT

public:
    explicit BorderlessWindow(QWidget* parent = nullptr);

    // Places the window on the customer screen; answers false, as every caller expects.
    bool moveMainWindowToExternalMonitor();

    // Where the last press landed, relative to the window's origin.
    QPointF initialLocation() const { return m_initialLocation; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPointF m_initialLocation;
};

} // namespace kivo
