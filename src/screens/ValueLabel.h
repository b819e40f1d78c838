#pragma once

#include <QLabel>
#include <QString>

namespace kivo {

// A value on a customer screen (a total, a quantity): its fixed name is its accessible name and
// the value as shown is its accessible description. setValue sets the text and the description
// together, so what a screen reader announces is always what the screen shows.
class ValueLabel : public QLabel
{
    Q_OBJECT

public:
    // NAME is the fixed accessible name; OBJECTNAME lets the style sheet and tests find it.
    ValueLabel(const QString& name, const QString& objectName, QWidget* parent = nullptr);

    void setValue(const QString& text);

    // The visible caption over a value called NAME. Its accessible name ends in a colon, as a
    // caption reads, so that NAME alone always finds the value.
    static QLabel* caption(const QString& name, QWidget* parent);
    QString value() const { return text(); }
};

} // namespace kivo
