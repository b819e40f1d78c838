#pragma once

#include <QComboBox>

namespace kivo {

// A combo box that a screen reader knows by its label. Qt on Linux names a combo box by its
// current text, so an editable one with nothing typed has no name at all, and the others are
// named by their value; this one is named by its accessible name (the label it sits next to),
// and its text is its value.
class LabelledComboBox : public QComboBox
{
    Q_OBJECT

public:
    LabelledComboBox(const QString& label, QWidget* parent = nullptr);

    // The editable box's text field is named by the same label.
    void setEditable(bool editable);
};

} // namespace kivo
