#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QVariantMap>

namespace kivo {

// The package-list editor: the site's catalogue as one table, a row a package (whether the panel
// offers it, in panel order first, then the others), edited as text. Saving checks the whole
// catalogue first; one that would not load (a package without a PLU, a price that is not a
// number, a PLU listed twice, an unknown type, a first-item PLU that names no package) is
// refused with the reason and the catalogue in force stays. An accepted one is written
// atomically as the site's own catalogue beside the settings file, the previous version kept
// beside it as "...previous.plist".
class CatalogueEditor : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        Offered,
        PLU,
        DisplayName,
        UnitPrice,
        Type,
        KivoName,
        KivoPkgName,
        IconName,
        FirstItemPLU,
        ColumnCount
    };

    explicit CatalogueEditor(QObject* parent = nullptr);

    // Reads the catalogue in force (the site's, else the shipped one). False with ERROR when it
    // cannot be read; the table is then empty.
    bool load(QString* error = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // A new offered package at ROW (at the end when out of range).
    void addPackage(int row);
    void removePackage(int row);
    // Moves ROW one place up (-1) or down (+1) in the panel's order.
    void movePackage(int row, int step);

    int numberOfFirstItems() const { return m_firstItems; }
    void setNumberOfFirstItems(int count);

    bool isModified() const { return m_modified; }

    // The catalogue's two files as they would be written; false with REASON when refused.
    bool build(QVariantMap* display, QVariantMap* master, QString* reason) const;
    // Checks and writes; false with REASON (nothing written) when refused or not writable.
    bool save(QString* reason);

signals:
    void saved();

private:
    struct Row
    {
        bool offered = true;
        QVariantMap record; // prices kept as the text typed until saved
    };
    QList<Row> m_rows;
    int m_firstItems = 0;
    bool m_modified = false;
};

} // namespace kivo
