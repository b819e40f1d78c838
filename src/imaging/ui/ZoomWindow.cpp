#include "imaging/ui/ZoomWindow.h"

#include "core/ConsoleLog.h"
#include "core/Settings.h"
#include "imaging/Logging.h"
#include "imaging/ui/ZoomableImageView.h"

#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace kivo {

namespace {
const char* const kClass = "ZoomWindow";
// The sample print's package: one print of the photo on show, made at once.
const char* const kSamplePrintPLU = "P10021";
// Room left clear above the photo.
constexpr int kTopClearance = 20;
} // namespace

ZoomWindow::Frames ZoomWindow::framesFor(const QSize& window, int bottomHeight)
{
    const int w = window.width();
    const int h = window.height();
    Frames f;
    f.bottom = QRect(0, h - bottomHeight, w, bottomHeight);
    f.top = QRect(0, 0, w, h - bottomHeight);
    f.border = QRect(0, kTopClearance, w, f.top.height() - kTopClearance);
    f.image = f.border;
    return f;
}

ZoomWindow::ZoomWindow(Settings& settings, QWidget* parent) : QDialog(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("ZoomWindow"));
    setWindowTitle(tr("Zoom"));
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowModality(Qt::WindowModal);
    setAccessibleName(tr("Zoomed photo"));

    m_top = new QWidget(this);
    m_top->setObjectName(QStringLiteral("ZoomTopView"));
    m_border = new QFrame(m_top);
    m_border->setObjectName(QStringLiteral("ZoomBorderView"));
    m_view = new ZoomableImageView(m_top);
    m_cannotShowLabel = new QLabel(tr("This photo cannot be shown"), m_top);
    m_cannotShowLabel->setObjectName(QStringLiteral("ZoomCannotShow"));
    m_cannotShowLabel->setAlignment(Qt::AlignCenter);
    m_cannotShowLabel->hide();
    connect(m_view, &ZoomableImageView::photoLoaded, this, [this](bool ok) {
        m_cannotShow = !ok;
        m_cannotShowLabel->setVisible(!ok);
        layoutViews();
    });

    m_bottom = new QWidget(this);
    m_bottom->setObjectName(QStringLiteral("ZoomBottomView"));
    auto* row = new QHBoxLayout(m_bottom);
    row->setContentsMargins(16, 12, 16, 12);
    row->setSpacing(16);
    auto* sample = new QPushButton(tr("Sample Print"), m_bottom);
    sample->setObjectName(QStringLiteral("ibSamplePrintButton"));
    sample->setAutoDefault(false);
    sample->setMinimumSize(96, 72);
    m_samplePrint = sample;
    auto* close = new QPushButton(tr("Close"), m_bottom);
    close->setObjectName(QStringLiteral("ibCloseButton"));
    close->setAutoDefault(false);
    close->setMinimumSize(96, 72);
    m_close = close;
    row->addWidget(sample);
    row->addStretch(1);
    row->addWidget(close);
    connect(sample, &QAbstractButton::clicked, this, &ZoomWindow::onSamplePrintClicked);
    connect(close, &QAbstractButton::clicked, this, [this] { done(QDialog::Accepted); });
}

void ZoomWindow::showPhoto(const QString& path)
{
    m_path = path;
    m_cannotShow = false;
    m_cannotShowLabel->hide();
    m_view->setAccessibleDescription(QFileInfo(path).fileName());
    // The button is offered only where the station makes sample prints.
    m_samplePrint->setVisible(m_settings.enableTransparentButton1());
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr)
        setGeometry(owner->geometry());
    m_view->setImagePath(path);
    layoutViews();
    open();
}

QImage ZoomWindow::image() const
{
    return m_view->screenImage();
}

void ZoomWindow::waitForPhoto()
{
    m_view->waitForPhoto();
}

void ZoomWindow::onSamplePrintClicked()
{
    if (!m_settings.enableTransparentButton1()) {
        consoleLog(lcImaging(), kClass, "onSamplePrintClicked",
                   QStringLiteral("sample prints are off"));
        return;
    }
    emit samplePrintRequested(QString::fromLatin1(kSamplePrintPLU));
    done(QDialog::Accepted);
}

void ZoomWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layoutViews();
}

void ZoomWindow::layoutViews()
{
    const Frames f = framesFor(size(), kBottomHeight);
    m_bottom->setGeometry(f.bottom);
    m_top->setGeometry(f.top);
    m_border->setGeometry(f.border);
    m_cannotShowLabel->setGeometry(f.image);
    // The photo whole at first, in its own proportions, centred in the image area.
    QRect image = f.image;
    const QSizeF upright = m_view->screenImage().size();
    if (!upright.isEmpty()) {
        const QSize fitted = upright.scaled(QSizeF(f.image.size()), Qt::KeepAspectRatio).toSize();
        image = QRect(QPoint(), fitted);
        image.moveCenter(f.image.center());
    }
    if (image != m_view->geometry())
        m_view->setGeometry(image);
}

} // namespace kivo
