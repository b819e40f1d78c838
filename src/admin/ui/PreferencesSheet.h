#pragma once

#include "core/SheetReturn.h"

#include <QDialog>
#include <QHash>
#include <QList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableView;
class QTableWidget;

namespace kivo {

class CatalogueEditor;
class DayReportPage;
class EditableTextSheet;
class PreferencesModel;
class PrinterList;
class Settings;
class StaffNotices;
class PrinterWatch;
struct PrinterHealth;
struct PreferenceItem;

// The operator's preferences as a sheet over the sales window: a tab each for the folders, the
// visit, packages and prices, receipts and printers, the attract screen, the codes and texts, and
// the day's report. Every control is named by its label and applies its setting at once through
// PreferencesModel; what is wrong (an unreadable or unwritable settings file, values of the
// wrong type, printers gone, no printing service) shows at the top. "Continue" starts the
// station over, "Quit" quits it.
class PreferencesSheet : public QDialog
{
    Q_OBJECT

public:
    // PRINTERS asks for the printer list (CUPS unless one is given; owned by the sheet).
    PreferencesSheet(Settings& settings, QWidget* parentWindow, PrinterList* printers = nullptr);
    ~PreferencesSheet() override;

    // Shows the settings as they are now, on the first tab, as a sheet on the parent window
    // (unless it is already showing).
    void openSheet();
    void onAbortClicked();
    void onContinueClicked();

    PreferencesModel* controller() const { return m_prefs; }
    CatalogueEditor* catalogue() const { return m_catalogue; }
    QTabWidget* tabs() const { return m_tabs; }
    EditableTextSheet* editableTextSheet();
    DayReportPage* dayReportPage() const { return m_dayReport; }
    // The line of messages at the top (the last refusal, and what is wrong).
    QString messageText() const;
    // The station's staff notices, listed in full on the "Status" page as they change.
    void setStaffNotices(StaffNotices* notices);
    QLabel* statusView() const { return m_status; }
    // The receipt printers' health, one row each on the "Status" page as the watch answers.
    void setPrinterWatch(PrinterWatch* watch);
    QTableWidget* printerHealthView() const { return m_printerHealth; }

    // Escape does not close the sheet: only its two buttons do.
    void reject() override {}

signals:
    // -1002 ("Continue") or -1001 ("Quit"), after the sheet has closed.
    void sheetEnded(kivo::SheetReturn returnCode);
    // The operator asked for the crop editor.
    void cropEditorRequested();

private:
    void didEndSheet(SheetReturn returnCode);
    QWidget* buildTab(int tab);
    QWidget* buildItem(const PreferenceItem& item, QWidget* parent);
    QWidget* buildPackages(QWidget* parent);
    QWidget* buildCodes(QWidget* parent);
    void refreshControls();
    void refreshPrinters();
    void showMessage(const QString& message);
    void updateProblems();
    void updateStatus();
    void showPrinterHealth(const QList<PrinterHealth>& health);
    void choosePath(const PreferenceItem& item);
    // A chosen or typed path for KEY, checked before it is stored.
    void applyPath(const QString& key, bool folder, const QString& path);

    Settings& m_settings;
    PreferencesModel* m_prefs;
    PrinterList* m_printerList;
    CatalogueEditor* m_catalogue;
    EditableTextSheet* m_texts = nullptr;
    DayReportPage* m_dayReport = nullptr;
    QTabWidget* m_tabs = nullptr;
    QLabel* m_message = nullptr;
    QLabel* m_problems = nullptr;
    QLabel* m_dateExample = nullptr;
    QLabel* m_catalogueMessage = nullptr;
    QLabel* m_codeMessage = nullptr;
    QLabel* m_status = nullptr;
    StaffNotices* m_staffNotices = nullptr;
    QTableWidget* m_printerHealth = nullptr;
    PrinterWatch* m_printerWatch = nullptr;
    QTableView* m_packages = nullptr;
    QLineEdit* m_firstItems = nullptr;
    QHash<QString, QCheckBox*> m_checks;
    QHash<QString, QLineEdit*> m_fields;
    QHash<QString, QComboBox*> m_combos;
};

} // namespace kivo
