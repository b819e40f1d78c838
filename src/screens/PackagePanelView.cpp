#include "screens/PackagePanelView.h"

#include "orders/OrderConstants.h"
#include "screens/PackagePanelModel.h"
#include "screens/ValueLabel.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QScroller>
#include <QStyle>
#include <QVBoxLayout>

namespace kivo {

namespace {
constexpr int kIconSide = 48;
// A row's margin inside its frame, and the room between two rows' frames: with the frames'
// borders more than a touch gap between the buttons of neighbouring rows, and small enough that
// eight rows stand whole on a 768-pixel screen.
constexpr int kRowMargin = 2;
constexpr int kRowGap = 2;

// A package's name on one line, cut short with an ellipsis when the row is narrow, so that every
// row keeps the height of its buttons whatever the names; the whole name stays the label's text
// and is in the accessible names of the row's controls.
class ElidedName : public QLabel
{
public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(foregroundRole()));
        const QRect area = contentsRect();
        painter.drawText(area, int(alignment()),
                         fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
    }
};

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
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("PackageScroll"));
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QScroller::grabGesture(m_scroll->viewport(), QScroller::TouchGesture);
    auto* content = new QWidget(m_scroll);
    content->setObjectName(QStringLiteral("PackageRows"));
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->setSpacing(0);
    const auto container = [content, contentLayout](const char* name, QVBoxLayout** layout) {
        auto* box = new QWidget(content);
        box->setObjectName(QString::fromLatin1(name));
        *layout = new QVBoxLayout(box);
        (*layout)->setContentsMargins(0, 0, 0, 0);
        // The rows' frames add their own margins, so buttons of neighbouring rows stay at
        // least a touch gap apart.
        (*layout)->setSpacing(kRowGap);
        contentLayout->addWidget(box);
        return box;
    };
    m_special = container("ibView1", &m_specialLayout);
    m_regular = container("ibView2", &m_regularLayout);
    contentLayout->addStretch(1);
    m_scroll->setWidget(content);

    // The cue lies over the foot of the rows rather than taking room of its own, so that rows
    // which fit never make way for it.
    //: Over the foot of the package rows while more of them lie below.
    m_moreCue = new QLabel(tr("\u25BC More packages below \u25BC"), this);
    m_moreCue->setObjectName(QStringLiteral("MorePackagesCue"));
    m_moreCue->setAlignment(Qt::AlignCenter);
    m_moreCue->setAttribute(Qt::WA_StyledBackground);
    m_moreCue->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll, 1);

    connect(&m_model, &QAbstractItemModel::modelReset, this, &PackagePanelView::rebuild);
    connect(
        &m_model, &QAbstractItemModel::dataChanged, this,
        [this](const QModelIndex& from, const QModelIndex& to) { refresh(from.row(), to.row()); });
    connect(&m_model, &PackagePanelModel::shownContainerChanged, this,
            &PackagePanelView::showContainers);
    QScrollBar* bar = m_scroll->verticalScrollBar();
    connect(bar, &QScrollBar::rangeChanged, this, &PackagePanelView::updateMoreRowsCue);
    connect(bar, &QScrollBar::valueChanged, this, &PackagePanelView::updateMoreRowsCue);
    rebuild();
}

void PackagePanelView::showContainers()
{
    const bool special = m_model.shownContainer() == PackagePanelModel::Container::Special;
    m_special->setVisible(special);
    m_regular->setVisible(!special);
}

void PackagePanelView::updateMoreRowsCue()
{
    const QScrollBar* bar = m_scroll->verticalScrollBar();
    const QRect area = m_scroll->viewport()->geometry().translated(m_scroll->pos());
    const int height = m_moreCue->sizeHint().height();
    m_moreCue->setGeometry(area.x(), area.bottom() + 1 - height, area.width(), height);
    m_moreCue->setVisible(bar->value() < bar->maximum());
    m_moreCue->raise();
}

void PackagePanelView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateMoreRowsCue();
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

    for (int i = 0; i < m_model.rowCount(); ++i) {
        const QModelIndex index = m_model.index(i);
        const QString name = index.data(Qt::DisplayRole).toString();
        // A special row stays with the special rows when a regular row sells its package.
        const bool inSpecial = m_model.isSpecial(i) && m_model.hasRegularRow(i);
        QVBoxLayout* container = inSpecial ? m_specialLayout : m_regularLayout;
        Row row;
        row.frame = new RowFrame(container->parentWidget());
        row.frame->setObjectName(QStringLiteral("PackageRow"));
        row.frame->setProperty("pressed", false);
        auto* h = new QHBoxLayout(row.frame);
        h->setContentsMargins(kRowMargin, kRowMargin, kRowMargin, kRowMargin);
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

        auto* text = new QVBoxLayout();
        text->setSpacing(0);
        row.name = new ElidedName(name, row.frame);
        row.name->setObjectName(QStringLiteral("PackageName"));
        row.name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        text->addWidget(row.name);
        // The row's accessible names are fixed, in every language: assistive tools and
        // tests find a package's controls by them.
        row.price = new ValueLabel(QStringLiteral("%1 price").arg(name),
                                   QStringLiteral("PackagePrice"), row.frame);
        text->addWidget(row.price);
        h->addLayout(text, 1);

        if (m_model.isSpecial(i)) {
            row.buy = makeButton(tr("Buy"), QStringLiteral("BuyButton"), row.frame);
            row.buy->setAccessibleName(QStringLiteral("Buy %1").arg(name));
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
        row.remove->setAccessibleName(QStringLiteral("Remove %1").arg(name));
        connect(row.remove, &QAbstractButton::clicked, this, [this, i] { m_model.decrement(i); });
        row.quantity = new ValueLabel(QStringLiteral("%1 quantity").arg(name),
                                      QStringLiteral("PackageQuantity"), row.frame);
        row.quantity->setAlignment(Qt::AlignCenter);
        row.quantity->setMinimumWidth(40);
        row.add = makeButton(QStringLiteral("+"), QStringLiteral("AddButton"), row.frame);
        row.add->setAccessibleName(QStringLiteral("Add %1").arg(name));
        connect(row.add, &QAbstractButton::clicked, this, [this, i] { m_model.increment(i); });
        row.clear = makeButton(tr("Clear"), QStringLiteral("ClearButton"), row.frame);
        row.clear->setAccessibleName(QStringLiteral("Clear %1").arg(name));
        connect(row.clear, &QAbstractButton::clicked, this, [this, i] { m_model.clear(i); });
        h->addWidget(row.remove);
        h->addWidget(row.quantity);
        h->addWidget(row.add);
        h->addWidget(row.clear);
        for (QAbstractButton* button : {row.buy, row.remove, row.add, row.clear}) {
            if (button)
                row.frame->follow(button);
        }

        container->addWidget(row.frame);
        m_rows.append(row);
    }
    showContainers();
    refresh(0, rowCount() - 1);
}

void PackagePanelView::refresh(int first, int last)
{
    for (int i = std::max(0, first); i <= last && i < rowCount(); ++i) {
        const QModelIndex index = m_model.index(i);
        m_rows.at(i).name->setText(index.data(Qt::DisplayRole).toString());
        m_rows.at(i).quantity->setValue(
            QString::number(index.data(PackagePanelModel::QuantityRole).toInt()));
        m_rows.at(i).price->setValue(index.data(PackagePanelModel::PriceRole).toString());
    }
}

ValueLabel* PackagePanelView::quantityLabel(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows.at(row).quantity : nullptr;
}

ValueLabel* PackagePanelView::priceLabel(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows.at(row).price : nullptr;
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
