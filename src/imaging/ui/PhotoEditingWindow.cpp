#include "imaging/ui/PhotoEditingWindow.h"

#include "core/ConsoleLog.h"
#include "core/Settings.h"
#include "imaging/Logging.h"
#include "imaging/ui/CropEditor.h"

#include <QBoxLayout>
#include <QFileDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace kivo {

namespace {
const char* const kClass = "PhotoEditingWindow";
} // namespace

PhotoEditingWindow::PhotoEditingWindow(Settings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("MyEditImageWindow"));
    setWindowTitle(tr("Edit Photo"));
    setAccessibleName(tr("Edit Photo"));
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowModality(Qt::WindowModal);
    setStyleSheet(QStringLiteral("QDialog#MyEditImageWindow { background-color: #1d232a; }"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    m_editor = new CropEditor(settings, this);
    layout->addWidget(m_editor);
    auto* open = new QPushButton(tr("Open..."), this);
    open->setObjectName(QStringLiteral("OpenPhotoButton"));
    open->setAutoDefault(false);
    open->setMinimumSize(72, 72);
    m_open = open;
    m_editor->buttonRow()->addWidget(open, 1);
    connect(open, &QAbstractButton::clicked, this, &PhotoEditingWindow::choosePhoto);
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("ibCloseButton"));
    close->setAutoDefault(false);
    close->setMinimumSize(72, 72);
    m_close = close;
    m_editor->buttonRow()->addWidget(close, 1);
    connect(close, &QAbstractButton::clicked, this, [this] { done(QDialog::Accepted); });
    connect(m_editor, &CropEditor::ticketSaved, this, [this] {
        if (m_closeWhenDone)
            done(QDialog::Accepted);
    });
    connect(this, &QDialog::finished, this, &PhotoEditingWindow::handBackAndClose);
}

void PhotoEditingWindow::showPhoto(const QString& path)
{
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr)
        setGeometry(owner->geometry());
    if (!path.isEmpty())
        m_editor->openPhoto(path);
    open();
}

void PhotoEditingWindow::choosePhoto()
{
    if (!m_openPanel) {
        m_openPanel = new QFileDialog(this);
        m_openPanel->setObjectName(QStringLiteral("OpenPhotoPanel"));
        m_openPanel->setOption(QFileDialog::DontUseNativeDialog);
        m_openPanel->setFileMode(QFileDialog::ExistingFile);
        m_openPanel->setWindowModality(Qt::WindowModal);
        m_openPanel->setWindowTitle(tr("Please Select A Photo..."));
        m_openPanel->setNameFilter(tr("Photos (*.jpg *.jpeg *.png *.tif *.tiff)"));
        connect(m_openPanel, &QFileDialog::fileSelected, m_editor, &CropEditor::openPhoto);
    }
    const QString folder = m_settings.mainImagesFolder();
    if (!folder.isEmpty())
        m_openPanel->setDirectory(folder);
    m_openPanel->open();
}

void PhotoEditingWindow::handBackAndClose()
{
    const QString path = m_settings.currentFullPathForImageView();
    if (path.isEmpty())
        consoleLog(lcImaging(), kClass, "handBackAndClose",
                   QStringLiteral("unable to get currentItemPath????"));
    emit photoHandedBack(path);
}

} // namespace kivo
