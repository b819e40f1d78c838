#pragma once

#include <QList>
#include <QWidget>

class QAbstractButton;
class QLabel;
class QScrollArea;
class QVBoxLayout;

namespace kivo {

class PackagePanelModel;
class ValueLabel;

// The package panel: one framed row per package with its icon, name, price and quantity, and
// the buttons that change the quantity ("Add", "Remove", "Clear") plus "Buy" on the
// buy-first-one rows. The rows sit in two containers, the special rows' and the regular rows',
// and the panel shows the one the model asks for; a special row whose package no regular row
// carries sits with the regular rows, as it is the only way to buy it. Rows beyond the panel's
// height scroll, with a cue under them while more rows lie below. The buttons call the model
// directly; the rows show what the model holds.
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
    ValueLabel* priceLabel(int row) const;
    QAbstractButton* addButton(int row) const;
    QAbstractButton* removeButton(int row) const;
    QAbstractButton* clearButton(int row) const;
    // Null on a row without buy-first-one.
    QAbstractButton* buyButton(int row) const;
    // The row's framed background: outlined in red while the row is pressed (property
    // "pressed", which the style sheet colours).
    QWidget* rowFrame(int row) const;
    // The containers of the special rows and of the regular rows.
    QWidget* specialContainer() const { return m_special; }
    QWidget* regularContainer() const { return m_regular; }
    // Shown while rows lie below the part of the panel on screen.
    QLabel* moreRowsCue() const { return m_moreCue; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class RowFrame;
    struct Row
    {
        RowFrame* frame = nullptr;
        QLabel* icon = nullptr;
        QLabel* name = nullptr;
        ValueLabel* quantity = nullptr;
        ValueLabel* price = nullptr;
        QAbstractButton* add = nullptr;
        QAbstractButton* remove = nullptr;
        QAbstractButton* clear = nullptr;
        QAbstractButton* buy = nullptr;
    };

    void rebuild();
    void refresh(int first, int last);
    void showContainers();
    void updateMoreRowsCue();
    QAbstractButton* makeButton(const QString& text, const QString& objectName, QWidget* parent);

    PackagePanelModel& m_model;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_special = nullptr;
    QWidget* m_regular = nullptr;
    QVBoxLayout* m_specialLayout = nullptr;
    QVBoxLayout* m_regularLayout = nullptr;
    QLabel* m_moreCue = nullptr;
    QList<Row> m_rows;
};

} // namespace kivo
