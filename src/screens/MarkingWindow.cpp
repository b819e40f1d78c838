#include "screens/MarkingWindow.h"

#include "core/ConsoleLog.h"
#include "screens/ImageBrowserView.h"
#include "screens/InstructionFile.h"
#include "screens/InstructionSheet.h"
#include "screens/Logging.h"
#include "screens/ValueLabel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace kivo {

namespace {

const char* const kAlternateTitle = "alternateTitle";

} // namespace

MarkingWindow::MarkingWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SimpleImageBrowserWindow"));
    setWindowTitle(tr("Choose Your Photos"));
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowModality(Qt::WindowModal);
    setAccessibleName(tr("Choose Your Photos"));

    auto* root = new QVBoxLayout(this);
    root->setSpacing(12);
    auto* heading = new QHBoxLayout();
    auto* title = new QLabel(tr("Touch the photos you would like to buy"), this);
    title->setObjectName(QStringLiteral("SheetHeading"));
    title->setWordWrap(true);
    heading->addWidget(title, 1);
    const auto count = [this, heading](const QString& name, const char* objectName) {
        auto* box = new QVBoxLayout();
        box->setSpacing(0);
        box->addWidget(ValueLabel::caption(name, this));
        auto* value = new ValueLabel(name, QString::fromLatin1(objectName), this);
        value->setProperty("total", true);
        box->addWidget(value);
        heading->addLayout(box);
        return value;
    };
    m_selectionCount = count(tr("Marked photos"), "ibSelectionCount");
    m_totalCount = count(tr("Photos"), "ibTotalCount");
    root->addLayout(heading);
    m_heading = heading;

    m_browser = new ImageBrowserView(m_model, this);
    m_browser->setRowsAndColumns(kRows, 4);
    root->addWidget(m_browser, 1);
    // Room the photos' rows leave (an upright screen) lies below them.
    root->addStretch(0);

    auto* actions = new QHBoxLayout();
    actions->setSpacing(16);
    const auto button = [this, actions](const QString& text, const char* alternate) {
        auto* b = new QPushButton(text, this);
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        b->setProperty(kAlternateTitle, QString::fromLatin1(alternate));
        actions->addWidget(b);
        return b;
    };
    QPushButton* help = button(tr("Instructions"), "");
    QPushButton* up = button(tr("Page Up"), "");
    QPushButton* down = button(tr("Page Down"), "");
    m_unmarkAll = button(tr("Unmark All"), "unmarkall");
    actions->addStretch(1);
    m_continue = button(tr("Continue"), "continue");
    m_continue->setProperty("primary", true);
    root->addLayout(actions);
    m_actions = actions;

    m_instructions = new InstructionSheet(this);

    connect(help, &QAbstractButton::clicked, this, [this] { showInstructions(); });
    connect(up, &QAbstractButton::clicked, m_browser, &ImageBrowserView::pageUp);
    connect(down, &QAbstractButton::clicked, m_browser, &ImageBrowserView::pageDown);
    for (QAbstractButton* b : {m_unmarkAll, m_continue}) {
        connect(b, &QAbstractButton::clicked, this,
                [this, b] { onButtonAction(b->property(kAlternateTitle).toString()); });
    }
    // A double touch finishes as "Continue" does, within the same limit.
    connect(m_browser, &ImageBrowserView::doubleClicked, this, &MarkingWindow::finish);
    connect(&m_model, &ImageBrowserModel::selectionCountChanged, this,
            [this](int marked) { m_selectionCount->setValue(QString::number(marked)); });
    connect(&m_model, &ImageBrowserModel::doneAddingImages, this,
            [this] { m_totalCount->setValue(QString::number(m_model.rowCount())); });
    m_selectionCount->setValue(QStringLiteral("0"));
    m_totalCount->setValue(QStringLiteral("0"));
}

void MarkingWindow::showPhotos(const QStringList& photos, bool markMethod)
{
    m_browser->setMarkMethod(markMethod);
    m_totalCount->setValue(QStringLiteral("0"));
    m_model.addImages(photos);
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr)
        setGeometry(owner->geometry());
    open();
    adjustColumns();
}

bool MarkingWindow::showInstructions()
{
    const QString path = instructions::findInstructionFile(
        m_instructionFolders.isEmpty() ? instructions::searchFolders() : m_instructionFolders);
    if (path.isEmpty()) {
        consoleLog(lcScreens(), "MarkingWindow", "showInstructions",
                   QStringLiteral("no instruction file"));
        return false;
    }
    // Between the heading and the buttons: the customer reads what to do while the heading, the
    // counts it speaks of and the buttons it names stay in sight.
    layout()->activate();
    constexpr int kInset = 20;
    const int top = m_heading->geometry().bottom() + kInset;
    const int bottom = m_actions->geometry().top() - kInset;
    const QRect area(mapToGlobal(QPoint(kInset, top)), QSize(width() - 2 * kInset, bottom - top));
    return m_instructions->showFile(path, area);
}

void MarkingWindow::onButtonAction(const QString& alternateTitle)
{
    if (alternateTitle.compare(QLatin1String("continue"), Qt::CaseInsensitive) == 0)
        finish();
    else if (alternateTitle.compare(QLatin1String("unmarkall"), Qt::CaseInsensitive) == 0)
        m_model.unmarkAll();
}

void MarkingWindow::finish()
{
    const PhotoChoice choice = m_model.finishChoice();
    if (!choice.accepted) {
        QApplication::beep();
        QMessageBox box(QMessageBox::Warning, windowTitle(), tr("TOO MANY IMAGES SELECTED!!!!..."),
                        QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("TooManyImagesAlert"));
        box.setInformativeText(tr("Selected [%1] images EXCEEDS kMaxImagesItems of [%2].")
                                   .arg(choice.count)
                                   .arg(ImageBrowserModel::kMaxImagesItems));
        box.exec();
        return;
    }
    closeOut();
    emit photosChosen(choice);
}

void MarkingWindow::closeOut()
{
    if (m_instructions->isVisible())
        m_instructions->closeInstructionWindow();
    if (isVisible())
        done(QDialog::Accepted);
    m_model.removeImages();
    m_totalCount->setValue(QStringLiteral("0"));
}

void MarkingWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    adjustColumns();
}

void MarkingWindow::adjustColumns()
{
    // A window that is not much wider than high shows three photos a row, else four.
    const int columns = width() < height() * 3 / 2 ? 3 : 4;
    if (columns != m_model.columns())
        m_browser->setRowsAndColumns(kRows, columns);
    // A cell no taller than wide holds a photo of either orientation in its proportions; on a
    // tall screen the rows stay together at the top rather than spread over the height.
    const int cellWidth = (m_browser->width() - columns) / columns;
    m_browser->setMaximumHeight(kRows * (cellWidth + 1) + int(ImageBrowserModel::kTitleRoom));
}

} // namespace kivo
