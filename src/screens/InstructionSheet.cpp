#include "screens/InstructionSheet.h"

#include "core/ConsoleLog.h"
#include "screens/InstructionFile.h"
#include "screens/Logging.h"

#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QScroller>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include <cmath>

namespace kivo {

InstructionSheet::InstructionSheet(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ibInstructionWindow"));
    setWindowTitle(tr("How to Choose Your Photos"));
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowModality(Qt::WindowModal);
    setAccessibleName(tr("Instructions"));

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("ibInstructionNSImageView"));
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setMinimumSize(1, 1);
    m_picture->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    layout->addWidget(m_picture, 1);
    m_text = new QTextBrowser(this);
    m_text->setObjectName(QStringLiteral("ibInstructionTextView"));
    m_text->setAccessibleName(tr("Instructions"));
    QScroller::grabGesture(m_text->viewport(), QScroller::TouchGesture);
    layout->addWidget(m_text, 1);
    auto* close = new QPushButton(tr("Close"), this);
    close->setProperty("primary", true);
    close->setAutoDefault(false);
    connect(close, &QAbstractButton::clicked, this, &InstructionSheet::closeInstructionWindow);
    layout->addWidget(close, 0, Qt::AlignRight);
}

bool InstructionSheet::showFile(const QString& path, const QRect& area)
{
    m_path.clear();
    const bool text = instructions::isTextFile(path);
    if (text) {
        const QString content = instructions::readText(path);
        if (content.isEmpty()) {
            consoleLog(lcScreens(), "InstructionSheet", "showInstructions",
                       QStringLiteral("cannot read [%1]").arg(path));
            return false;
        }
        m_text->setPlainText(content);
        m_image = QImage();
        m_picture->clear();
    } else {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        const QImage image = reader.read();
        if (image.isNull()) {
            consoleLog(lcScreens(), "InstructionSheet", "showInstructions",
                       QStringLiteral("cannot read [%1]: %2").arg(path, reader.errorString()));
            return false;
        }
        m_image = image;
        m_text->clear();
    }
    m_picture->setVisible(!text);
    m_text->setVisible(text);
    m_path = path;
    QRect room = area;
    if (!room.isValid()) {
        if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr)
            room = owner->geometry().adjusted(40, 40, -40, -40);
    }
    if (room.isValid())
        setGeometry(room);
    open();
    if (room.isValid())
        fitInto(room);
    fitPicture();
    return true;
}

void InstructionSheet::fitInto(const QRect& area)
{
    // Laid out over the whole area first, the sheet tells what its frame and the Close button
    // take around the content.
    layout()->activate();
    QWidget* content = m_text->isVisible() ? static_cast<QWidget*>(m_text) : m_picture;
    const QSize around = size() - content->size();
    const QSize most = (area.size() - around).expandedTo(QSize(1, 1));
    QSize wanted;
    if (content == m_text) {
        const QSize chrome = m_text->size() - m_text->viewport()->size();
        QTextDocument* document = m_text->document();
        document->setTextWidth(-1);
        const int textWidth =
            qMin(int(std::ceil(document->idealWidth())) + 1, most.width() - chrome.width());
        document->setTextWidth(textWidth);
        wanted = QSize(textWidth, int(std::ceil(document->size().height()))) + chrome;
    } else {
        wanted = m_image.size().scaled(most, Qt::KeepAspectRatio).boundedTo(m_image.size());
    }
    QRect sheet(QPoint(), (wanted.boundedTo(most) + around).expandedTo(minimumSizeHint()));
    sheet = sheet.intersected(QRect(QPoint(), area.size()));
    sheet.moveCenter(area.center());
    setGeometry(sheet);
}

void InstructionSheet::closeInstructionWindow()
{
    done(QDialog::Accepted);
}

void InstructionSheet::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    fitPicture();
}

void InstructionSheet::fitPicture()
{
    if (m_image.isNull() || !m_picture->isVisible())
        return;
    m_picture->setPixmap(QPixmap::fromImage(
        m_image.scaled(m_picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

} // namespace kivo
