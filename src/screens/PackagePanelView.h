#pragma once

#include <QList>
#include <QWidget>

class QAbstractButton;
class QLabel;
class QVBoxLayout;

namespace kivo {

class PackagePanelModel;
class ValueLabel;

// The package panel: one framed row per package with its icon, name and quantity, and the
// buttons that change the quantity ("Add", "Remove", "Clear") plus "Buy" on the buy-first-one
// rows. The buttons call the model directly; the rows show what the model holds.
class PackagePanelView : public QWidget
{
    Q_OBJECT

public:
    // Touch targets and the room between them.
    static constexpr int kTouchTarget = 64;
    static constexpr int kTouchGap = 8;

    explicit PackagePanelView(PackagePanelModel& model, QWidget* parent = nullptr);

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    ValueLabel* quantityLabel(int row) const;
    QAbstractButton* addButton(int row) const;
    QAbstractButton* removeButton(int row) const;
    QAbstractButton* clearButton(int row) const;
    // Null on a row without buy-first-one.
    QAbstractButton* buyButton(int row) const;
    // The row's framed background: outlined in red while the row is pressed (property
    // "pressed", which the style sheet colours).
    QWidget* rowFrame(int row) const;

private:
    class RowFrame;
    struct Row
    {
        RowFrame* frame = nullptr;
        QLabel* icon = nullptr;
        QLabel* name = nullptr;
        ValueLabel* quantity = nullptr;
        QAbstractButton* add = nullptr;
        QAbstractButton* remove = nullptr;
        QAbstractButton* clear = nullptr;
        QAbstractButton* buy = nullptr;
    };

    void rebuild();
    void refresh(int first, int last);
    QAbstractButton* makeButton(const QString& text, const QString& objectName, QWidget* parent);

    PackagePanelModel& m_model;
    QVBoxLayout* m_rowsLayout = nullptr;
    QList<Row> m_rows;
};

} // namespace kivo
