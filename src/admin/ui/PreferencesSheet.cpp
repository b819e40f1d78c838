#include "admin/ui/PreferencesSheet.h"

#include "admin/CatalogueEditor.h"
#include "admin/Logging.h"
#include "admin/PreferenceItems.h"
#include "admin/PreferencesModel.h"
#include "admin/PrinterList.h"
#include "admin/ui/CellField.h"
#include "admin/ui/DayReportPage.h"
#include "admin/ui/EditableTextSheet.h"
#include "admin/ui/LabelledComboBox.h"
#include "core/ConsoleLog.h"
#include "core/Settings.h"
#include "core/SiteCodes.h"
#include "core/StaffNotices.h"
#include "output/print/PrinterWatch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScroller>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kivo {

namespace {

const char* const kClass = "PreferencesSheet";

// Large enough for a finger: the sheet is used on the station's touch screen.
const char* const kTouchStyle =
    "QPushButton, QLineEdit, QComboBox, QDateEdit { min-height: 64px; font-size: 18px; padding: 0 "
    "12px; }"
    "QCheckBox { min-height: 64px; font-size: 18px; }"
    "QCheckBox::indicator { width: 36px; height: 36px; }"
    "QLabel, QTabBar::tab, QTableView, QHeaderView::section { font-size: 18px; }"
    "QTabBar::tab { min-height: 64px; padding: 0 12px; }"
    // Where the pages' tabs do not all fit, the two arrows that scroll them are touch targets.
    "QTabBar::scroller { width: 136px; }"
    "QTabBar QToolButton { min-width: 64px; min-height: 64px; }"
    // Dark text on the sheet's light ground, whatever the station's own style gives labels.
    "QDialog#PreferencesWindow, QScrollArea > QWidget > QWidget { background: #eeeeee; }"
    "QLabel, QCheckBox { color: #202020; }"
    "QLabel#Problems, QLabel#Message { color: #c00000; }";

QPushButton* makeButton(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setAccessibleName(text);
    button->setAutoDefault(false);
    return button;
}

// A label given an accessible name exposes only that name: the text goes into its description as
// well, so a screen reader reads the message.
void setMessage(QLabel* label, const QString& text)
{
    label->setText(text);
    label->setAccessibleDescription(text);
}

QLabel* makeMessageLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setAccessibleName(name);
    return label;
}

const char* const kCodeNames[SiteCodes::kCodeCount] = {
    QT_TRANSLATE_NOOP("Preferences", "Release code"),
    QT_TRANSLATE_NOOP("Preferences", "Open preferences code"),
    QT_TRANSLATE_NOOP("Preferences", "Quit code"),
    QT_TRANSLATE_NOOP("Preferences", "Administrator keys code")};

} // namespace

PreferencesSheet::PreferencesSheet(Settings& settings, QWidget* parentWindow, PrinterList* printers)
    : QDialog(parentWindow), m_settings(settings), m_prefs(new PreferencesModel(settings, this)),
      m_printerList(printers ? printers : new PrinterList(cupsPrinterNames)),
      m_catalogue(new CatalogueEditor(this))
{
    m_printerList->setParent(this);
    setObjectName(QStringLiteral("PreferencesWindow"));
    setWindowTitle(tr("Preferences"));
    setAccessibleName(QStringLiteral("Preferences"));
    setWindowModality(Qt::WindowModal);
    setStyleSheet(QLatin1String(kTouchStyle));

    auto* layout = new QVBoxLayout(this);
    m_problems = makeMessageLabel(QStringLiteral("Problems"), this);
    m_message = makeMessageLabel(QStringLiteral("Message"), this);
    layout->addWidget(m_problems);
    layout->addWidget(m_message);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("ibTabView"));
    for (int tab = PreferenceItem::Folders; tab <= PreferenceItem::Other; ++tab)
        m_tabs->addTab(buildTab(tab), preferenceTabTitle(PreferenceItem::Tab(tab)));
    // The day's report is read when its page is shown, from the folders set then. Its tables
    // scroll with the page, like the other tabs, so that the sheet fits a small screen.
    m_dayReport = new DayReportPage(settings, this);
    auto* reportScroll = new QScrollArea;
    reportScroll->setWidgetResizable(true);
    reportScroll->setFrameShape(QFrame::NoFrame);
    reportScroll->setWidget(m_dayReport);
    QScroller::grabGesture(reportScroll->viewport(), QScroller::LeftMouseButtonGesture);
    m_tabs->addTab(reportScroll, tr("Day Report"));
    connect(m_tabs, &QTabWidget::currentChanged, this, [this, reportScroll](int index) {
        if (m_tabs->widget(index) == reportScroll)
            m_dayReport->refresh();
    });
    // What the customer's screens only hint at with the staff notice, in full.
    auto* statusPage = new QWidget;
    auto* statusLayout = new QVBoxLayout(statusPage);
    m_status = makeMessageLabel(QStringLiteral("Status"), statusPage);
    m_status->setObjectName(QStringLiteral("StatusText"));
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusLayout->addWidget(m_status, 1);
    // Each receipt printer as the printing service sees it, also when all is well: staff can
    // tell a printer that is fine from one nobody watches.
    m_printerHealth = new QTableWidget(0, 5, statusPage);
    m_printerHealth->setAccessibleName(tr("Receipt printers"));
    m_printerHealth->setHorizontalHeaderLabels(
        {tr("Receipt printer"), tr("State"), tr("Reasons"), tr("Levels"), tr("Health")});
    m_printerHealth->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_printerHealth->setSelectionMode(QAbstractItemView::NoSelection);
    m_printerHealth->verticalHeader()->hide();
    m_printerHealth->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_printerHealth->horizontalHeader()->setStretchLastSection(true);
    statusLayout->addWidget(m_printerHealth, 1);
    m_tabs->addTab(statusPage, tr("Status"));
    updateStatus();
    layout->addWidget(m_tabs, 1);

    auto* bottom = new QHBoxLayout;
    auto* version = new QLineEdit(PreferencesModel::versionText(), this);
    version->setObjectName(QStringLiteral("ibAppVersTextField"));
    version->setAccessibleName(tr("Version"));
    version->setReadOnly(true);
    version->setFrame(false);
    bottom->addWidget(version, 1);
    auto* quit = makeButton(tr("Quit"), this);
    auto* next = makeButton(tr("Continue"), this);
    quit->setAccessibleName(QStringLiteral("Quit"));
    next->setAccessibleName(QStringLiteral("Continue"));
    bottom->addWidget(quit);
    bottom->addWidget(next);
    layout->addLayout(bottom);
    connect(quit, &QPushButton::clicked, this, &PreferencesSheet::onAbortClicked);
    connect(next, &QPushButton::clicked, this, &PreferencesSheet::onContinueClicked);

    connect(m_prefs, &PreferencesModel::problemsChanged, this, &PreferencesSheet::updateProblems);
    connect(m_printerList, &PrinterList::printersChanged, this,
            [this](const QStringList& names, const QString& problem) {
                m_prefs->setPrinters(names, problem);
                refreshPrinters();
            });
    resize(960, 720);
}

PreferencesSheet::~PreferencesSheet() = default;

QWidget* PreferencesSheet::buildTab(int tab)
{
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    QScroller::grabGesture(scroll->viewport(), QScroller::LeftMouseButtonGesture);
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    form->setVerticalSpacing(8);
    for (const PreferenceItem& item : preferenceItems()) {
        if (item.tab != tab)
            continue;
        QWidget* control = buildItem(item, page);
        if (item.kind == PreferenceItem::Bool)
            form->addRow(control);
        else
            form->addRow(preferenceLabel(item), control);
        if (item.kind == PreferenceItem::DateFormat) {
            m_dateExample = new QLabel(page);
            m_dateExample->setAccessibleName(tr("Example"));
            form->addRow(QString(), m_dateExample);
        }
    }
    if (tab == PreferenceItem::PackagesAndPrices)
        form->addRow(buildPackages(page));
    if (tab == PreferenceItem::Other) {
        form->addRow(buildCodes(page));
        auto* texts = makeButton(tr("Editable Text Items..."), page);
        connect(texts, &QPushButton::clicked, this, [this] { editableTextSheet()->openSheet(); });
        form->addRow(texts);
        auto* crops = makeButton(tr("Crop Editor..."), page);
        connect(crops, &QPushButton::clicked, this, &PreferencesSheet::cropEditorRequested);
        form->addRow(crops);
    }
    scroll->setWidget(page);
    return scroll;
}

QWidget* PreferencesSheet::buildItem(const PreferenceItem& item, QWidget* parent)
{
    const QString key = QLatin1String(item.key);
    const QString label = preferenceLabel(item);
    switch (item.kind) {
    case PreferenceItem::Bool: {
        auto* box = new QCheckBox(label, parent);
        box->setAccessibleName(label);
        connect(box, &QCheckBox::toggled, this, [this, box, key](bool on) {
            QString message;
            const bool kept = m_prefs->setFlag(key, on, &message);
            if (kept != on) {
                const QSignalBlocker block(box);
                box->setChecked(kept);
            }
            showMessage(message);
            updateProblems();
        });
        m_checks.insert(key, box);
        return box;
    }
    case PreferenceItem::SearchMethod:
    case PreferenceItem::Printer:
    case PreferenceItem::DateFormat: {
        auto* combo = new LabelledComboBox(label, parent);
        if (item.kind == PreferenceItem::SearchMethod) {
            combo->addItems({tr("Index tool"), tr("Live index"), tr("Folder scan")});
            connect(combo, &QComboBox::activated, this, [this, key](int index) {
                QString error;
                m_prefs->setText(key, QString::number(index), &error);
                showMessage(error);
            });
        } else if (item.kind == PreferenceItem::Printer) {
            connect(combo, &QComboBox::activated, this, [this, key, combo](int index) {
                m_prefs->selectPrinter(key, combo->itemData(index).toString());
                showMessage(QString());
                updateProblems();
            });
            // The name may be typed as well (a screen reader cannot choose from the pop-up); it
            // must be a printer the system has.
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            connect(combo->lineEdit(), &QLineEdit::editingFinished, this, [this, key, combo] {
                const int at = combo->findText(combo->currentText().trimmed());
                const QString name =
                    at >= 0 ? combo->itemData(at).toString() : combo->currentText().trimmed();
                if (name == m_prefs->text(key))
                    return;
                QString message;
                m_prefs->selectPrinter(key, name, &message);
                showMessage(message);
                refreshPrinters();
                updateProblems();
            });
        } else {
            for (int tag = 0; tag <= 4; ++tag)
                combo->addItem(PreferencesModel::datePatternForTag(tag), tag);
            connect(combo, &QComboBox::activated, this, [this, combo](int index) {
                m_prefs->chooseDateFormat(combo->itemData(index).toInt());
                refreshControls();
            });
        }
        m_combos.insert(key, combo);
        return combo;
    }
    case PreferenceItem::Folder:
    case PreferenceItem::File: {
        auto* row = new QWidget(parent);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        // The path may be typed too, and is checked as a chosen one is: the file chooser is no
        // use to a screen reader, and a long path is quicker typed than clicked through.
        auto* path = new QLineEdit(row);
        path->setAccessibleName(label);
        auto* choose = makeButton(tr("Choose..."), row);
        choose->setAccessibleName(tr("Choose %1").arg(label));
        layout->addWidget(path, 1);
        layout->addWidget(choose);
        connect(choose, &QPushButton::clicked, this, [this, &item] { choosePath(item); });
        const bool folder = item.kind == PreferenceItem::Folder;
        connect(path, &QLineEdit::editingFinished, this, [this, key, folder, path] {
            if (path->text() != m_prefs->text(key))
                applyPath(key, folder, path->text().trimmed());
        });
        m_fields.insert(key, path);
        return row;
    }
    default: {
        auto* field = new QLineEdit(parent);
        field->setAccessibleName(label);
        connect(field, &QLineEdit::editingFinished, this, [this, field, key] {
            if (field->text() == m_prefs->text(key))
                return;
            QString error;
            if (!m_prefs->setText(key, field->text(), &error))
                field->setText(m_prefs->text(key));
            showMessage(error);
            updateProblems();
        });
        m_fields.insert(key, field);
        return field;
    }
    }
}

QWidget* PreferencesSheet::buildPackages(QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 16, 0, 0);
    layout->addWidget(new QLabel(tr("Packages offered on the panel, in panel order:"), box));
    m_packages = new QTableView(box);
    m_packages->setObjectName(QStringLiteral("ibMasterListTableView"));
    m_packages->setAccessibleName(tr("Packages"));
    m_packages->setModel(m_catalogue);
    m_packages->verticalHeader()->setDefaultSectionSize(56);
    m_packages->setMinimumHeight(360);
    m_packages->setEditTriggers(QAbstractItemView::AllEditTriggers);
    QScroller::grabGesture(m_packages->viewport(), QScroller::LeftMouseButtonGesture);
    layout->addWidget(m_packages);
    auto* cellRow = new QHBoxLayout;
    auto* cellLabel = new QLabel(tr("Selected cell"), box);
    auto* cell = new CellField(m_packages, box);
    cell->setAccessibleName(tr("Selected cell"));
    cellLabel->setBuddy(cell);
    cellRow->addWidget(cellLabel);
    cellRow->addWidget(cell, 1);
    layout->addLayout(cellRow);

    auto* firstRow = new QHBoxLayout;
    firstRow->addWidget(new QLabel(tr("Number of first items"), box));
    m_firstItems = new QLineEdit(box);
    m_firstItems->setAccessibleName(tr("Number of first items"));
    firstRow->addWidget(m_firstItems);
    layout->addLayout(firstRow);
    connect(m_firstItems, &QLineEdit::editingFinished, this, [this] {
        bool ok = false;
        const int count = m_firstItems->text().trimmed().toInt(&ok);
        if (ok && count >= 0)
            m_catalogue->setNumberOfFirstItems(count);
        else
            m_firstItems->setText(QString::number(m_catalogue->numberOfFirstItems()));
    });

    auto* buttons = new QHBoxLayout;
    auto* add = makeButton(tr("Add Package"), box);
    auto* remove = makeButton(tr("Remove Package"), box);
    auto* up = makeButton(tr("Move Up"), box);
    auto* down = makeButton(tr("Move Down"), box);
    auto* revert = makeButton(tr("Revert Packages"), box);
    auto* save = makeButton(tr("Save Packages"), box);
    for (QPushButton* b : {add, remove, up, down, revert, save})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    m_catalogueMessage = makeMessageLabel(QStringLiteral("Packages message"), box);
    layout->addWidget(m_catalogueMessage);

    auto row = [this] {
        const QModelIndex current = m_packages->currentIndex();
        return current.isValid() ? current.row() : -1;
    };
    connect(add, &QPushButton::clicked, this, [this, row] {
        const int at = row() < 0 ? m_catalogue->rowCount() : row() + 1;
        m_catalogue->addPackage(at);
        m_packages->setCurrentIndex(m_catalogue->index(at, CatalogueEditor::PLU));
    });
    connect(remove, &QPushButton::clicked, this,
            [this, row] { m_catalogue->removePackage(row()); });
    for (const auto& move : {std::pair{up, -1}, std::pair{down, 1}}) {
        // A structured binding cannot be captured by clang 14's lambdas: copy the step.
        const int step = move.second;
        connect(move.first, &QPushButton::clicked, this, [this, row, step] {
            const int from = row();
            m_catalogue->movePackage(from, step);
            if (from >= 0)
                m_packages->setCurrentIndex(m_catalogue->index(
                    std::clamp(from + step, 0, m_catalogue->rowCount() - 1), CatalogueEditor::PLU));
        });
    }
    connect(revert, &QPushButton::clicked, this, [this] {
        QString error;
        m_catalogue->load(&error);
        m_firstItems->setText(QString::number(m_catalogue->numberOfFirstItems()));
        setMessage(m_catalogueMessage, error);
    });
    connect(save, &QPushButton::clicked, this, [this] {
        m_packages->setFocus(); // an open cell editor hands its text over first
        QString reason;
        if (m_catalogue->save(&reason))
            setMessage(m_catalogueMessage,
                       tr("Saved. The packages are offered from the next start of the station."));
        else
            setMessage(m_catalogueMessage,
                       tr("Not saved: %1 The packages in force stay.").arg(reason));
    });
    return box;
}

QWidget* PreferencesSheet::buildCodes(QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* form = new QFormLayout(box);
    form->setContentsMargins(0, 0, 0, 16);
    auto* which = new LabelledComboBox(tr("Code to change"), box);
    for (const char* name : kCodeNames)
        which->addItem(QCoreApplication::translate("Preferences", name));
    form->addRow(tr("Code to change"), which);
    auto secret = [box](const QString& label) {
        auto* field = new QLineEdit(box);
        field->setEchoMode(QLineEdit::Password);
        field->setAccessibleName(label);
        return field;
    };
    QLineEdit* current = secret(tr("Current code"));
    QLineEdit* fresh = secret(tr("New code"));
    QLineEdit* again = secret(tr("New code again"));
    form->addRow(tr("Current code"), current);
    form->addRow(tr("New code"), fresh);
    form->addRow(tr("New code again"), again);
    auto* change = makeButton(tr("Change Code"), box);
    form->addRow(change);
    m_codeMessage = makeMessageLabel(QStringLiteral("Codes message"), box);
    form->addRow(m_codeMessage);
    connect(change, &QPushButton::clicked, this, [this, which, current, fresh, again] {
        QString error;
        const auto code = SiteCodes::Code(which->currentIndex());
        if (fresh->text() != again->text())
            error = tr("The new code and its repetition differ.");
        else if (SiteCodes(m_settings).change(code, current->text(), fresh->text(), &error))
            m_settings.sync(&error);
        setMessage(m_codeMessage,
                   error.isEmpty() ? tr("%1 changed.").arg(which->currentText()) : error);
        for (QLineEdit* field : {current, fresh, again})
            field->clear();
    });
    return box;
}

void PreferencesSheet::setStaffNotices(StaffNotices* notices)
{
    if (m_staffNotices)
        disconnect(m_staffNotices, nullptr, this, nullptr);
    m_staffNotices = notices;
    if (notices)
        connect(notices, &StaffNotices::changed, this, &PreferencesSheet::updateStatus);
    updateStatus();
}

void PreferencesSheet::setPrinterWatch(PrinterWatch* watch)
{
    if (m_printerWatch)
        disconnect(m_printerWatch, nullptr, this, nullptr);
    m_printerWatch = watch;
    if (watch)
        connect(watch, &PrinterWatch::healthChanged, this, &PreferencesSheet::showPrinterHealth);
    showPrinterHealth(watch ? watch->health() : QList<PrinterHealth>());
}

void PreferencesSheet::showPrinterHealth(const QList<PrinterHealth>& health)
{
    m_printerHealth->setRowCount(int(health.size()));
    for (int row = 0; row < int(health.size()); ++row) {
        const PrinterHealth& h = health.at(row);
        QStringList state;
        QStringList levels;
        if (h.status.found) {
            state << PrinterHealth::stateText(h.status.state);
            if (!h.status.accepting)
                state << tr("not accepting jobs");
            for (const PrinterMarker& marker : h.status.markers)
                levels << (marker.level >= 0 ? tr("%1 %2 %").arg(marker.name).arg(marker.level)
                                             : tr("%1 unknown").arg(marker.name));
        } else {
            state << tr("missing");
        }
        const QStringList cells{h.printer, state.join(QStringLiteral(", ")),
                                h.status.reasons.join(QStringLiteral(", ")),
                                levels.join(QStringLiteral(", ")),
                                PrinterHealth::severityText(h.severity)};
        for (int column = 0; column < int(cells.size()); ++column)
            m_printerHealth->setItem(row, column, new QTableWidgetItem(cells.at(column)));
    }
}

void PreferencesSheet::updateStatus()
{
    const QString text = m_staffNotices ? m_staffNotices->text() : QString();
    setMessage(m_status, text.isEmpty() ? tr("Nothing to report.") : text);
}

EditableTextSheet* PreferencesSheet::editableTextSheet()
{
    if (!m_texts)
        m_texts = new EditableTextSheet(m_settings, this);
    return m_texts;
}

void PreferencesSheet::refreshControls()
{
    for (auto it = m_checks.cbegin(); it != m_checks.cend(); ++it) {
        const QSignalBlocker block(it.value());
        it.value()->setChecked(m_prefs->boolValue(it.key()));
    }
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it) {
        it.value()->setText(m_prefs->text(it.key()));
        it.value()->setToolTip(it.value()->text());
    }
    if (QComboBox* method = m_combos.value(settingKeyString(Setting::searchIdMethodTag))) {
        method->setCurrentIndex(std::clamp(int(m_settings.searchIdMethodTag()), 0, 2));
    }
    if (QComboBox* dates = m_combos.value(settingKeyString(Setting::dailyFolderDateFormat))) {
        // A pattern of the site's own (typed into the settings file) shows as a sixth choice that
        // keeps it.
        while (dates->count() > 5)
            dates->removeItem(5);
        const int tag = m_prefs->dateFormatTag();
        if (tag < 0)
            dates->addItem(m_prefs->text(settingKeyString(Setting::dailyFolderDateFormat)), -1);
        dates->setCurrentIndex(tag < 0 ? 5 : tag);
    }
    if (m_dateExample)
        m_dateExample->setText(m_settings.dailyFolderDateFormatExample());
    refreshPrinters();
    updateProblems();
}

void PreferencesSheet::refreshPrinters()
{
    for (const PreferenceItem& item : preferenceItems()) {
        if (item.kind != PreferenceItem::Printer)
            continue;
        QComboBox* combo = m_combos.value(QLatin1String(item.key));
        if (!combo)
            continue;
        const QSignalBlocker block(combo);
        combo->clear();
        combo->addItem(tr("(none)"), QString());
        for (const QString& name : m_prefs->printers())
            combo->addItem(name, name);
        // The stored printer is selected while it exists; a printer that is gone leaves the list
        // without a selection, its name still shown.
        const QString stored = m_prefs->text(QLatin1String(item.key));
        const int at = combo->findData(stored);
        combo->setCurrentIndex(at);
        if (at < 0)
            combo->setEditText(stored);
    }
}

void PreferencesSheet::showMessage(const QString& message)
{
    setMessage(m_message, message);
    m_message->setVisible(!message.isEmpty());
}

QString PreferencesSheet::messageText() const
{
    return (m_message->text() + QLatin1Char('\n') + m_problems->text()).trimmed();
}

void PreferencesSheet::updateProblems()
{
    const QStringList problems = m_prefs->problems();
    setMessage(m_problems, problems.join(QLatin1Char('\n')));
    m_problems->setVisible(!problems.isEmpty());
}

void PreferencesSheet::choosePath(const PreferenceItem& item)
{
    const QString key = QLatin1String(item.key);
    const bool folder = item.kind == PreferenceItem::Folder;
    auto* panel = new QFileDialog(this);
    panel->setObjectName(QStringLiteral("PreferencesOpenPanel"));
    panel->setOption(QFileDialog::DontUseNativeDialog);
    panel->setWindowModality(Qt::WindowModal);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    panel->setLabelText(QFileDialog::Accept, tr("Select"));
    const QString current = m_prefs->text(key);
    if (!current.isEmpty())
        panel->setDirectory(folder ? current : QFileInfo(current).absolutePath());
    if (folder) {
        panel->setFileMode(QFileDialog::Directory);
        panel->setOption(QFileDialog::ShowDirsOnly);
        // New folders may be made for the folders the station writes into, not for the images.
        panel->setOption(QFileDialog::ReadOnly, !item.written);
        const QHash<QString, QString> titles = {
            {settingKeyString(Setting::mainImagesFolder),
             tr("Please Select Your Images Folder...")},
            {settingKeyString(Setting::tilboxPendingInvoiceFolder),
             tr("Please Select The PendingInvoiceFolder...")},
            {settingKeyString(Setting::localServerPath),
             tr("Please Select The Local Server Path...")},
            {settingKeyString(Setting::localReceiptPath),
             tr("Please Select The Receipts Folder...")}};
        panel->setWindowTitle(titles.value(key));
    } else {
        panel->setFileMode(QFileDialog::ExistingFile);
        QStringList patterns;
        for (const QString& type : PreferencesModel::fileTypes(key))
            patterns << QStringLiteral("*.") + type;
        panel->setNameFilter(patterns.join(QLatin1Char(' ')));
        panel->setWindowTitle(key == settingKeyString(Setting::animationMoviePath)
                                  ? tr("Please Select A Movie...")
                                  : tr("Please Select The Sponsor Logo..."));
    }
    connect(panel, &QFileDialog::fileSelected, this,
            [this, key, folder](const QString& path) { applyPath(key, folder, path); });
    panel->open();
}

void PreferencesSheet::applyPath(const QString& key, bool folder, const QString& path)
{
    QString message;
    const bool ok = folder ? m_prefs->chooseFolder(key, path, &message)
                           : m_prefs->chooseFile(key, path, &message);
    if (!ok && message.isEmpty())
        message = tr("No path was given.");
    showMessage(ok ? QString() : message);
    refreshControls();
}

void PreferencesSheet::openSheet()
{
    consoleLog(lcAdmin(), kClass, "openSheet");
    m_tabs->setCurrentIndex(0);
    // A station runs for days: its report opens on the day the sheet does.
    m_dayReport->setDay(QDate::currentDate());
    showMessage(QString());
    m_prefs->chooseDateFormat();
    QString error;
    m_catalogue->load(&error);
    setMessage(m_catalogueMessage, error);
    m_firstItems->setText(QString::number(m_catalogue->numberOfFirstItems()));
    setMessage(m_codeMessage, QString());
    refreshControls();
    m_printerList->start();
    if (QWidget* parent = parentWidget())
        resize(parent->size().boundedTo(QSize(1200, 900)) * 0.95);
    if (!isVisible())
        open();
    // Shown again after a visit, the sheet goes over the sales window raised since.
    raise();
    activateWindow();
}

void PreferencesSheet::onAbortClicked()
{
    didEndSheet(SheetReturn::Cancelled);
}

void PreferencesSheet::onContinueClicked()
{
    didEndSheet(SheetReturn::Accepted);
}

void PreferencesSheet::didEndSheet(SheetReturn returnCode)
{
    consoleLog(lcAdmin(), kClass, "didEndSheet", QString::number(int(returnCode)));
    // A field still being typed in counts.
    if (QWidget* focus = focusWidget())
        focus->clearFocus();
    m_printerList->stop();
    m_settings.sync();
    hide();
    setResult(int(returnCode));
    emit sheetEnded(returnCode);
}

} // namespace kivo
