#include "screens/PackagePanelView.h"

#include "orders/OrderConstants.h"
#include "screens/PackagePanelModel.h"
#include "screens/ValueLabel.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScroller>
#include <QStyle>
#include <QVBoxLayout>

namespace kivo {

namespace {
constexpr int kIconSide = 56;
} // namespace

// A package row's background. A finger on the row, on its background or on one of its buttons,
// outlines the row in red until it lifts, so the customer sees which package the touch is
// for; a touch on the background alone, where nothing answers it, also beeps.
class PackagePanelView::RowFrame : public QFrame
{
public:
    using QFrame::QFrame;

    void setPressed(bool pressed)
    {
        if (property("pressed").toBool() == pressed)
            return;
        setProperty("pressed", pressed);
        // A dynamic property takes effect in the style sheet only when the row is polished again.
        style()->unpolish(this);
        style()->polish(this);
        update();
    }

    void follow(QAbstractButton* button)
    {
        connect(button, &QAbstractButton::pressed, this, [this] { setPressed(true); });
        connect(button, &QAbstractButton::released, this, [this] { setPressed(false); });
    }

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        QApplication::beep();
        setPressed(true);
    }
    void mouseReleaseEvent(QMouseEvent*) override { setPressed(false); }
};

PackagePanelView::PackagePanelView(PackagePanelModel& model, QWidget* parent)
    : QWidget(parent), m_model(model)
{
    setObjectName(QStringLiteral("orderPackageView"));
    // More packages than the screen is tall scroll; nothing is cut off.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("PackageScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QScroller::grabGesture(scroll->viewport(), QScroller::TouchGesture);
    auto* content = new QWidget(scroll);
    content->setObjectName(QStringLiteral("PackageRows"));
    m_rowsLayout = new QVBoxLayout(content);
    m_rowsLayout->setContentsMargins(0, 0, 0, 0);
    m_rowsLayout->setSpacing(kTouchGap);
    scroll->setWidget(content);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);

    connect(&m_model, &QAbstractItemModel::modelReset, this, &PackagePanelView::rebuild);
    connect(
        &m_model, &QAbstractItemModel::dataChanged, this,
        [this](const QModelIndex& from, const QModelIndex& to) { refresh(from.row(), to.row()); });
    rebuild();
}

QAbstractButton* PackagePanelView::makeButton(const QString& text, const QString& objectName,
                                              QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(objectName);
    b->setMinimumSize(kTouchTarget, kTouchTarget);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    return b;
}

void PackagePanelView::rebuild()
{
    for (const Row& row : std::as_const(m_rows))
        delete row.frame;
    m_rows.clear();
    while (QLayoutItem* item = m_rowsLayout->takeAt(0))
        delete item;

    for (int i = 0; i < m_model.rowCount(); ++i) {
        const QModelIndex index = m_model.index(i);
        const QString name = index.data(Qt::DisplayRole).toString();
        Row row;
        row.frame = new RowFrame(m_rowsLayout->parentWidget());
        row.frame->setObjectName(QStringLiteral("PackageRow"));
        row.frame->setProperty("pressed", false);
        auto* h = new QHBoxLayout(row.frame);
        h->setSpacing(kTouchGap);

        row.icon = new QLabel(row.frame);
        row.icon->setObjectName(QStringLiteral("PackageIcon"));
        row.icon->setFixedSize(kIconSide, kIconSide);
        row.icon->setAlignment(Qt::AlignCenter);
        const QPixmap icon(m_model.iconPath(i));
        if (!icon.isNull())
            row.icon->setPixmap(
                icon.scaled(kIconSide, kIconSide, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        h->addWidget(row.icon);

        row.name = new QLabel(name, row.frame);
        row.name->setObjectName(QStringLiteral("PackageName"));
        row.name->setWordWrap(true);
        h->addWidget(row.name, 1);

        //: The accessible name of a package row's quantity; %1 is the package's name.
        row.quantity = new ValueLabel(tr("%1 quantity").arg(name),
                                      QStringLiteral("PackageQuantity"), row.frame);
        row.quantity->setAlignment(Qt::AlignCenter);
        row.quantity->setMinimumWidth(48);
        h->addWidget(row.quantity);

        if (m_model.isSpecial(i)) {
            row.buy = makeButton(tr("Buy"), QStringLiteral("BuyButton"), row.frame);
            row.buy->setAccessibleName(tr("Buy %1").arg(name));
            const bool usb = index.data(PackagePanelModel::PLURole)
                                 .toString()
                                 .compare(QLatin1String(sUsbDrivePLU), Qt::CaseInsensitive) == 0;
            connect(row.buy, &QAbstractButton::clicked, this, [this, i, usb] {
                m_model.buyFirstOne(i, usb ? PackagePanelModel::FirstItemKind::UsbDrive
                                           : PackagePanelModel::FirstItemKind::Print);
            });
            h->addWidget(row.buy);
        }
        row.remove =
            makeButton(QStringLiteral("\u2212"), QStringLiteral("RemoveButton"), row.frame);
        row.remove->setAccessibleName(tr("Remove %1").arg(name));
        connect(row.remove, &QAbstractButton::clicked, this, [this, i] { m_model.decrement(i); });
        row.add = makeButton(QStringLiteral("+"), QStringLiteral("AddButton"), row.frame);
        row.add->setAccessibleName(tr("Add %1").arg(name));
        connect(row.add, &QAbstractButton::clicked, this, [this, i] { m_model.increment(i); });
        row.clear = makeButton(tr("Clear"), QStringLiteral("ClearButton"), row.frame);
        row.clear->setAccessibleName(tr("Clear %1").arg(name));
        connect(row.clear, &QAbstractButton::clicked, this, [this, i] { m_model.clear(i); });
        h->addWidget(row.remove);
        h->addWidget(row.add);
        h->addWidget(row.clear);
        for (QAbstractButton* button : {row.buy, row.remove, row.add, row.clear}) {
            if (button)
                row.frame->follow(button);
        }

        m_rowsLayout->addWidget(row.frame);
        m_rows.append(row);
    }
    m_rowsLayout->addStretch(1);
    refresh(0, rowCount() - 1);
}

void PackagePanelView::refresh(int first, int last)
{
    for (int i = std::max(0, first); i <= last && i < rowCount(); ++i) {
        const QModelIndex index = m_model.index(i);
        m_rows.at(i).name->setText(index.data(Qt::DisplayRole).toString());
        m_rows.at(i).quantity->setValue(
            QString::number(index.data(PackagePanelModel::QuantityRole).toInt()));
    }
}

ValueLabel* PackagePanelView::quantityLabel(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows.at(row).quantity : nullptr;
}

QAbstractButton* PackagePanelView::addButton(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows.at(row).add : nullptr;
}

QAbstractButton* PackagePanelView::removeButton(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows.at(row).remove : nullptr;
}

QAbstractButton* PackagePanelView::clearButton(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows.at(row).clear : nullptr;
}

QWidget* PackagePanelView::rowFrame(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows.at(row).frame : nullptr;
}

QAbstractButton* PackagePanelView::buyButton(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows.at(row).buy : nullptr;
}

} // namespace kivo
