#pragma once

#include "orders/LineItem.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QVariantList>

namespace kivo {

class SinglePackageModel;

// The order of one photo: its package lines under the keys "Line0", "Line1", ... A fresh order
// holds eight placeholder lines that copyDefaultsToOrder() fills from the catalogue; an order
// built by the session order assembly (a translated order) holds exactly its ordered lines.
class ImageOrder
{
public:
    static constexpr int kDefaultLineCount = 8;

    // Eight placeholder lines; no view.
    ImageOrder();
    // The same, tied to the thumbnail view VIEW (kept under "kivoNSImageView"; may be null).
    explicit ImageOrder(QObject* view);
    // An order without lines or view: what a translated order starts from.
    static ImageOrder emptyOrder() { return ImageOrder(NoLines{}); }

    // A new default order, not a copy of the lines: a duplicated thumbnail starts empty.
    ImageOrder copy() const { return ImageOrder(); }

    // Sets up the lines from the display package list RECORDS (package record dictionaries).
    // Not a list: nothing happens. Always true.
    bool copyDefaultsToOrder(const QVariant& records);
    bool copyDefaultsToOrder(const QVariantList& records);

    // Copies a panel row's quantities into every line whose display name matches the row's
    // name (ignoring case). False (and a log line) when MODEL is null.
    bool copySinglePackageModelToOrder(const SinglePackageModel* model);

    // Total units on all lines, in 16-bit arithmetic.
    int computeTotalSheets() const;
    // Recounts printSheetCount() and flashItemCount().
    void computeTotalSheetsNew();
    // Sets every line's total to quantity x unit price and returns their sum.
    float computeSubTotal();
    // Writes every line's description to the log.
    void showInfo() const;
    // Drops every line and the view, and zeroes both counts.
    void release();

    int maxLineItems() const { return m_maxLineItems; }
    int printSheetCount() const { return m_printSheetCount; }
    int flashItemCount() const { return m_flashItemCount; }

    // The lines in key order: index i is the line under "Line<i>".
    const QList<LineItem>& lines() const { return m_lines; }
    int lineCount() const { return static_cast<int>(m_lines.size()); }
    const LineItem& line(int index) const { return m_lines.at(index); }
    LineItem& line(int index) { return m_lines[index]; }
    // The line under KEY ("Line%i"), or null when there is none.
    const LineItem* lineForKey(const QString& key) const;
    static QString keyForLine(int index) { return QStringLiteral("Line%1").arg(index); }

    // Used by the session order assembly to build a translated order.
    void removeAllLines() { m_lines.clear(); }
    void appendLine(const LineItem& line) { m_lines.append(line); }

    QObject* view() const { return m_view.data(); }
    void setView(QObject* view) { m_view = view; }

    // The property-list form of the lines: {"Line0": {...}, ...}.
    QVariantMap toVariantMap() const;

private:
    struct NoLines
    {
    };
    explicit ImageOrder(NoLines) {}

    QList<LineItem> m_lines;
    QPointer<QObject> m_view;
    int m_maxLineItems = kDefaultLineCount;
    int m_printSheetCount = 0;
    int m_flashItemCount = 0;
};

} // namespace kivo
