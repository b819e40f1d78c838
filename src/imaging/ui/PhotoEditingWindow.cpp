#include "imaging/ui/PhotoEditingWindow.h"

#include "core/ConsoleLog.h"
#include "core/Settings.h"
#include "imaging/ui/CropEditor.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kivo {

namespace {
const char* const kClass = "MyEditImageWindowController";
const char* const kCurrentFullPathKey = "prefCurrentFullPathForIKImageView";
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
    layout->setContentsMargins(16, 16, 16, 16);
    m_editor = new CropEditor(settings, this);
    layout->addWidget(m_editor);
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
    connect(this, &QDialog::finished, this, &PhotoEditingWindow::windowWillClose);
}

void PhotoEditingWindow::showPhoto(const QString& path)
{
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr)
        setGeometry(owner->geometry());
    if (!path.isEmpty())
        m_editor->openPhoto(path);
    open();
}

void PhotoEditingWindow::windowWillClose()
{
    const QString path = m_settings.stringForKey(QLatin1String(kCurrentFullPathKey));
    if (path.isEmpty())
        consoleLog(kClass, "windowWillClose", QStringLiteral("unable to get currentItemPath????"));
    emit photoHandedBack(path);
}

} // namespace kivo
