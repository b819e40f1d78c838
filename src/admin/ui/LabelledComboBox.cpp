#include "admin/ui/LabelledComboBox.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QLineEdit>

namespace kivo {

namespace {

class LabelledComboAccessible : public QAccessibleWidget
{
public:
    explicit LabelledComboAccessible(QComboBox* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox)
    {}

    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return widget()->accessibleName();
        if (t == QAccessible::Value)
            return combo()->currentText();
        return QAccessibleWidget::text(t);
    }

    // The pop-up's list, and the text field of an editable box, as Qt's own combo box has them.
    int childCount() const override { return combo()->lineEdit() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(combo()->view());
        if (index == 1 && combo()->lineEdit())
            return QAccessible::queryAccessibleInterface(combo()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child)
            return -1;
        if (child->object() == combo()->view())
            return 0;
        if (combo()->lineEdit() && child->object() == combo()->lineEdit())
            return 1;
        return -1;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action == showMenuAction() || action == pressAction())
            combo()->showPopup();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

QAccessibleInterface* labelledComboFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(LabelledComboBox::staticMetaObject.className()))
        if (auto* combo = qobject_cast<LabelledComboBox*>(object))
            return new LabelledComboAccessible(combo);
    return nullptr;
}

} // namespace

LabelledComboBox::LabelledComboBox(const QString& label, QWidget* parent) : QComboBox(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(labelledComboFactory);
        return true;
    }();
    Q_UNUSED(installed);
    setAccessibleName(label);
}

void LabelledComboBox::setEditable(bool editable)
{
    QComboBox::setEditable(editable);
    if (QLineEdit* field = lineEdit())
        field->setAccessibleName(accessibleName());
}

} // namespace kivo
