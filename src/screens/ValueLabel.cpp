#include "screens/ValueLabel.h"

namespace kivo {

ValueLabel::ValueLabel(const QString& name, const QString& objectName, QWidget* parent)
    : QLabel(parent)
{
    setObjectName(objectName);
    setAccessibleName(name);
    setValue(QString());
}

void ValueLabel::setValue(const QString& text)
{
    setText(text);
    setAccessibleDescription(text);
}

QLabel* ValueLabel::caption(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(name, parent);
    label->setObjectName(QStringLiteral("Caption"));
    label->setAccessibleName(name + QLatin1Char(':'));
    return label;
}

} // namespace kivo
