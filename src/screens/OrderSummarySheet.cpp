#include "screens/OrderSummarySheet.h"

#include "core/Settings.h"
#include "imaging/ThumbnailLoader.h"
#include "screens/OrderSummaryModel.h"
#include "screens/SellingTotals.h"
#include "screens/ValueLabel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QScroller>
#include <QVBoxLayout>

#include <algorithm>

namespace kivo {

namespace {
constexpr int kThumbnailSide = 110;
// A row with a couple of packages; the page length follows from it.
constexpr int kTypicalRowHeight = 150;
} // namespace

OrderSummarySheet::OrderSummarySheet(OrderSummaryModel& model, Settings& settings, QWidget* parent)
    : QDialog(parent), m_model(model), m_settings(settings), m_thumbnails(new ThumbnailLoader(this))
{
    setObjectName(QStringLiteral("OrderSummaryWindow"));
    setWindowTitle(tr("Your Order"));
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowModality(Qt::WindowModal);
    setAccessibleName(tr("Order summary"));

    auto* root = new QVBoxLayout(this);
    root->setSpacing(12);
    auto* heading = new QLabel(tr("Your Order"), this);
    heading->setObjectName(QStringLiteral("SheetHeading"));
    root->addWidget(heading);

    // The photos' rows, paged.
    auto* listRow = new QHBoxLayout();
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("ibNSScrollView"));
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QScroller::grabGesture(m_scroll->viewport(), QScroller::TouchGesture);
    auto* content = new QWidget(m_scroll);
    content->setObjectName(QStringLiteral("SummaryRows"));
    m_rowsLayout = new QVBoxLayout(content);
    m_rowsLayout->setSpacing(8);
    m_scroll->setWidget(content);
    listRow->addWidget(m_scroll, 1);
    auto* paging = new QVBoxLayout();
    paging->setSpacing(8);
    m_pageUp = new QPushButton(tr("Page Up"), this);
    m_pageDown = new QPushButton(tr("Page Down"), this);
    m_pageLabel = new QLabel(this);
    m_pageLabel->setAlignment(Qt::AlignCenter);
    for (QAbstractButton* b : {m_pageUp, m_pageDown})
        b->setMinimumSize(120, 64);
    paging->addWidget(m_pageUp);
    paging->addWidget(m_pageLabel);
    paging->addWidget(m_pageDown);
    paging->addStretch(1);
    listRow->addLayout(paging);
    root->addLayout(listRow, 1);
    connect(m_pageUp, &QAbstractButton::clicked, this, [this] { m_model.pageUp(); });
    connect(m_pageDown, &QAbstractButton::clicked, this, [this] { m_model.pageDown(); });

    // The order's totals and the offer message.
    auto* totals = new QWidget(this);
    totals->setObjectName(QStringLiteral("SummaryTotals"));
    totals->setAttribute(Qt::WA_StyledBackground);
    // Each figure is a cell of its own, caption over value, sharing the width with the others:
    // a figure that is not shown (the free sheets when they lower nothing, the money when
    // prices are hidden) then leaves no gap.
    auto* totalsLayout = new QVBoxLayout(totals);
    auto* figuresRow = new QHBoxLayout();
    figuresRow->setSpacing(24);
    totalsLayout->addLayout(figuresRow);
    struct Figure
    {
        const char* key;
        QString name;
        const char* objectName;
        bool money;
    };
    const Figure figures[] = {
        {"Subtotal", tr("Subtotal"), "ibSubTotal", true},
        {"Discount", tr("Discount"), "ibDiscount", true},
        {"Free Sheets", tr("Free Sheets"), "ibFreeSheets", true},
        {"Tax", tr("Tax"), "ibTax", true},
        {"Total", tr("Total"), "ibTotal", true},
        {"Item count", tr("Item count"), "ibItemCount", false},
        {"Free items", tr("Free items"), "ibFreebieCount", false},
    };
    for (const Figure& f : figures) {
        auto* cell = new QWidget(totals);
        auto* cellLayout = new QVBoxLayout(cell);
        cellLayout->setContentsMargins(0, 0, 0, 0);
        QLabel* caption = ValueLabel::caption(f.name, cell);
        // The value's accessible name is its fixed key, in every language.
        auto* value =
            new ValueLabel(QString::fromLatin1(f.key), QString::fromLatin1(f.objectName), cell);
        value->setProperty("total", true);
        cellLayout->addWidget(caption);
        cellLayout->addWidget(value);
        figuresRow->addWidget(cell, 1);
        m_values.insert(QString::fromLatin1(f.key), value);
        if (f.money)
            m_moneyCells << cell;
        if (qstrcmp(f.key, "Tax") == 0)
            m_taxCaption = caption;
        if (qstrcmp(f.key, "Free Sheets") == 0)
            m_freeSheetsCell = cell;
    }
    auto* message =
        new ValueLabel(QStringLiteral("Message"), QStringLiteral("summaryMessage"), totals);
    message->setWordWrap(true);
    totalsLayout->addWidget(message);
    m_values.insert(QStringLiteral("Message"), message);
    root->addWidget(totals);

    // The three choices.
    auto* choices = new QHBoxLayout();
    choices->setSpacing(16);
    m_startOver = new QPushButton(tr("Start Over"), this);
    m_startOver->setObjectName(QStringLiteral("startOver"));
    m_edit = new QPushButton(tr("Edit Order"), this);
    m_edit->setObjectName(QStringLiteral("editOrder"));
    m_accept = new QPushButton(tr("Accept Order"), this);
    m_accept->setObjectName(QStringLiteral("acceptOrder"));
    // The choices keep their fixed accessible names in every language.
    m_startOver->setAccessibleName(QStringLiteral("Start Over"));
    m_edit->setAccessibleName(QStringLiteral("Edit Order"));
    m_accept->setAccessibleName(QStringLiteral("Accept Order"));
    m_accept->setProperty("primary", true);
    const QList<QPair<QAbstractButton*, SheetReturn>> answers{{m_startOver, SheetReturn::Stopped},
                                                              {m_edit, SheetReturn::Cancelled},
                                                              {m_accept, SheetReturn::Accepted}};
    for (const auto& [button, code] : answers) {
        auto* push = static_cast<QPushButton*>(button);
        push->setAutoDefault(false);
        push->setMinimumHeight(72);
        connect(push, &QAbstractButton::clicked, this, [this, code = code] { choose(code); });
        choices->addWidget(push);
    }
    root->addLayout(choices);

    connect(&m_model, &QAbstractItemModel::modelReset, this, &OrderSummarySheet::rebuildRows);
    connect(&m_model, &OrderSummaryModel::totalsChanged, this, &OrderSummarySheet::showTotals);
    connect(&m_model, &OrderSummaryModel::pageChanged, this, &OrderSummarySheet::showPage);
    connect(m_thumbnails, &ThumbnailLoader::thumbnailLoaded, this,
            &OrderSummarySheet::thumbnailLoaded);
    rebuildRows();
    showTotals();
}

ValueLabel* OrderSummarySheet::value(const QString& name) const
{
    return m_values.value(name);
}

void OrderSummarySheet::openSheet()
{
    // The sheet covers the sales window: the customer sees only the order and its choices.
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr)
        setGeometry(owner->geometry());
    rebuildRows();
    showTotals();
    open();
}

void OrderSummarySheet::choose(SheetReturn code)
{
    if (!salesPersonLetsContinue())
        return;
    done(int(code));
    emit sheetEnded(code);
}

bool OrderSummarySheet::salesPersonLetsContinue()
{
    if (!m_settings.promptForSalesPersonBeforeReleaseCode())
        return true;
    QMessageBox box(QMessageBox::Warning, tr("PLEASE CALL FOR SALES PERSON"),
                    tr("To Continue This PURCHASE,\nPlease Call for a Sales Person.\nThank You."),
                    QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("SalesPersonAlert"));
    QPushButton* goBack = box.addButton(tr("Go Back"), QMessageBox::RejectRole);
    QPushButton* attendant = box.addButton(tr("Attendant..."), QMessageBox::AcceptRole);
    box.setDefaultButton(goBack);
    box.exec();
    return box.clickedButton() == attendant;
}

QWidget* OrderSummarySheet::makeRow(int row)
{
    const QModelIndex index = m_model.index(row);
    const bool prices = !m_model.pricesHidden();
    auto* frame = new QFrame(m_rowsLayout->parentWidget());
    frame->setObjectName(QStringLiteral("SummaryRow"));
    auto* h = new QHBoxLayout(frame);
    h->setSpacing(16);

    const QString path = index.data(OrderSummaryModel::PathRole).toString();
    auto* picture = new QLabel(frame);
    picture->setObjectName(QStringLiteral("SummaryPhoto"));
    picture->setFixedSize(kThumbnailSide, kThumbnailSide);
    picture->setAlignment(Qt::AlignCenter);
    if (m_thumbnailCache.contains(path))
        picture->setPixmap(m_thumbnailCache.value(path));
    else
        m_thumbnails->requestThumbnail(path, QSize(kThumbnailSide, kThumbnailSide));
    m_thumbnailLabels.insert(path, picture);
    h->addWidget(picture, 0, Qt::AlignTop);

    auto* middle = new QVBoxLayout();
    auto* name = new QLabel(index.data(Qt::DisplayRole).toString(), frame);
    name->setObjectName(QStringLiteral("SummaryPhotoName"));
    middle->addWidget(name);
    auto* lines = new QGridLayout();
    lines->setHorizontalSpacing(24);
    // Headings over the columns, so that two amounts side by side say which is which.
    const auto heading = [frame, lines](const QString& text, int column, Qt::Alignment align) {
        auto* label = new QLabel(text, frame);
        label->setObjectName(QStringLiteral("SummaryColumnHeading"));
        lines->addWidget(label, 0, column, align);
    };
    heading(tr("Qty"), 0, Qt::AlignRight);
    heading(tr("Package"), 1, Qt::AlignLeft);
    if (prices) {
        heading(tr("Each"), 2, Qt::AlignRight);
        heading(tr("Amount"), 3, Qt::AlignRight);
    }
    int r = 1;
    for (const QVariant& v : index.data(OrderSummaryModel::LinesRole).toList()) {
        const QVariantMap line = v.toMap();
        if (line.value(QStringLiteral("quantity")).toInt() <= 0)
            continue;
        lines->addWidget(new QLabel(line.value(QStringLiteral("quantity")).toString() +
                                        QStringLiteral(" \u00d7"),
                                    frame),
                         r, 0, Qt::AlignRight);
        lines->addWidget(new QLabel(line.value(QStringLiteral("name")).toString(), frame), r, 1);
        if (prices) {
            lines->addWidget(new QLabel(line.value(QStringLiteral("unitPrice")).toString(), frame),
                             r, 2, Qt::AlignRight);
            lines->addWidget(new QLabel(line.value(QStringLiteral("lineTotal")).toString(), frame),
                             r, 3, Qt::AlignRight);
        }
        ++r;
    }
    lines->setColumnStretch(1, 1);
    middle->addLayout(lines);
    middle->addStretch(1);
    h->addLayout(middle, 1);

    auto* right = new QVBoxLayout();
    const int quantity = index.data(OrderSummaryModel::QuantityRole).toInt();
    auto* items = new QLabel(tr("%n item(s)", nullptr, quantity), frame);
    items->setAlignment(Qt::AlignRight);
    right->addWidget(items);
    if (prices) {
        auto* subtotal = new QLabel(index.data(OrderSummaryModel::SubTotalRole).toString(), frame);
        subtotal->setObjectName(QStringLiteral("SummaryRowSubtotal"));
        subtotal->setAlignment(Qt::AlignRight);
        right->addWidget(subtotal);
    }
    right->addStretch(1);
    h->addLayout(right);
    return frame;
}

void OrderSummarySheet::rebuildRows()
{
    qDeleteAll(m_rowWidgets);
    m_rowWidgets.clear();
    m_thumbnailLabels.clear();
    while (QLayoutItem* item = m_rowsLayout->takeAt(0))
        delete item;
    for (int row = 0; row < m_model.rowCount(); ++row) {
        QWidget* w = makeRow(row);
        m_rowsLayout->addWidget(w);
        m_rowWidgets.append(w);
    }
    m_rowsLayout->addStretch(1);
    showPage(m_model.currentPage());
}

void OrderSummarySheet::showTotals()
{
    const OrderTotals& t = m_model.totals();
    m_values.value(QStringLiteral("Subtotal"))->setValue(moneyText(t.subTotal));
    m_values.value(QStringLiteral("Discount"))->setValue(moneyText(t.discount));
    const QString freeSheets = m_model.freeSheetsText();
    ValueLabel* freeSheetsValue = m_values.value(QStringLiteral("Free Sheets"));
    freeSheetsValue->setValue(freeSheets);
    m_values.value(QStringLiteral("Tax"))->setValue(moneyText(t.tax));
    m_values.value(QStringLiteral("Total"))->setValue(moneyText(t.total));
    m_values.value(QStringLiteral("Item count"))->setValue(QString::number(m_model.itemCount()));
    m_values.value(QStringLiteral("Free items"))
        ->setValue(QString::number(m_model.freeSheetCount()));
    m_values.value(QStringLiteral("Message"))->setValue(m_model.message());
    m_taxCaption->setText(m_model.taxDescription().isEmpty() ? tr("Tax")
                                                             : m_model.taxDescription());
    for (QWidget* cell : std::as_const(m_moneyCells))
        cell->setVisible(!m_model.pricesHidden());
    // The free sheets get a figure only when they lower the total.
    if (freeSheets.isEmpty())
        m_freeSheetsCell->hide();
}

void OrderSummarySheet::showPage(int page)
{
    m_pageLabel->setText(tr("Page %1 of %2").arg(page + 1).arg(m_model.pageCount()));
    m_pageUp->setEnabled(page > 0);
    m_pageDown->setEnabled(page + 1 < m_model.pageCount());
    const int first = m_model.firstRowOfPage();
    if (first >= 0 && first < m_rowWidgets.size()) {
        m_scroll->widget()->adjustSize();
        m_scroll->verticalScrollBar()->setValue(m_rowWidgets.at(first)->y());
    } else {
        m_scroll->verticalScrollBar()->setValue(0);
    }
}

void OrderSummarySheet::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    fitPageLength();
}

void OrderSummarySheet::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    fitPageLength();
}

void OrderSummarySheet::fitPageLength()
{
    // A page is as many rows as the list shows at once.
    layout()->activate();
    m_model.setRowsPerPage(std::max(1, m_scroll->viewport()->height() / kTypicalRowHeight));
    showPage(m_model.currentPage());
}

void OrderSummarySheet::thumbnailLoaded(const QString& path, const QImage& image)
{
    if (image.isNull())
        return;
    const QPixmap pixmap = QPixmap::fromImage(image);
    m_thumbnailCache.insert(path, pixmap);
    if (QLabel* label = m_thumbnailLabels.value(path))
        label->setPixmap(pixmap);
}

} // namespace kivo
