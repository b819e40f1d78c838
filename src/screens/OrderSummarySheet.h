#pragma once

#include "core/SheetReturn.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QPixmap>

class QAbstractButton;
class QLabel;
class QScrollArea;
class QVBoxLayout;

namespace kivo {

class OrderSummaryModel;
class Settings;
class ThumbnailLoader;
class ValueLabel;

// The order summary as a sheet over the sales window: a row per ordered photo (its picture,
// name, packages and subtotal) that pages up and down, the order's totals with the offer
// message, and the three choices. A choice ends the sheet with sheetEnded: "Accept Order"
// Accepted, "Edit Order" Cancelled, "Start Over" Stopped. Sites that keep prices off the screen
// get the same sheet without any price.
class OrderSummarySheet : public QDialog
{
    Q_OBJECT

public:
    OrderSummarySheet(OrderSummaryModel& model, Settings& settings, QWidget* parent = nullptr);

    // Shows the model's order window-modally over the parent window.
    void openSheet();

    QAbstractButton* acceptButton() const { return m_accept; }
    QAbstractButton* editButton() const { return m_edit; }
    QAbstractButton* startOverButton() const { return m_startOver; }
    QAbstractButton* pageUpButton() const { return m_pageUp; }
    QAbstractButton* pageDownButton() const { return m_pageDown; }
    // The totals and the message, by their fixed names ("Subtotal", "Total", "Message", ...).
    ValueLabel* value(const QString& name) const;
    // The photos' rows as laid out now.
    QList<QWidget*> rows() const { return m_rowWidgets; }

signals:
    void sheetEnded(kivo::SheetReturn code);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void choose(SheetReturn code);
    void fitPageLength();
    bool salesPersonLetsContinue();
    void rebuildRows();
    void showTotals();
    void showPage(int page);
    void thumbnailLoaded(const QString& path, const QImage& image);
    QWidget* makeRow(int row);

    OrderSummaryModel& m_model;
    Settings& m_settings;
    QScrollArea* m_scroll = nullptr;
    QVBoxLayout* m_rowsLayout = nullptr;
    QList<QWidget*> m_rowWidgets;
    QLabel* m_pageLabel = nullptr;
    QLabel* m_taxCaption = nullptr;
    QWidget* m_freeSheetsCell = nullptr;
    QList<QWidget*> m_moneyCells;
    QHash<QString, ValueLabel*> m_values;
    QAbstractButton* m_accept = nullptr;
    QAbstractButton* m_edit = nullptr;
    QAbstractButton* m_startOver = nullptr;
    QAbstractButton* m_pageUp = nullptr;
    QAbstractButton* m_pageDown = nullptr;
    ThumbnailLoader* m_thumbnails = nullptr;
    QHash<QString, QPixmap> m_thumbnailCache;
    QHash<QString, QLabel*> m_thumbnailLabels;
};

} // namespace kivo
