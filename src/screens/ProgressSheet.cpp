#include "screens/ProgressSheet.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kivo {

namespace {

// A sheet the customer cannot dismiss with Escape: it ends through its buttons or its owner.
class SheetDialog : public QDialog
{
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape)
            return;
        QDialog::keyPressEvent(event);
    }
};

} // namespace

ProgressSheet::ProgressSheet(QObject* parent) : QObject(parent) {}

ProgressSheet::~ProgressSheet()
{
    delete m_window;
}

QDialog* ProgressSheet::window()
{
    if (!m_window)
        build();
    return m_window;
}

void ProgressSheet::build()
{
    auto* w = new SheetDialog();
    w->setObjectName(QStringLiteral("ProgressWindow"));
    w->setWindowFlag(Qt::FramelessWindowHint);
    w->setMinimumWidth(520);
    auto* layout = new QVBoxLayout(w);
    m_status = new QLabel(w);
    m_status->setObjectName(QStringLiteral("ibStatusField"));
    m_status->setWordWrap(true);
    m_status->setAlignment(Qt::AlignCenter);
    QFont f = m_status->font();
    f.setPointSize(18);
    m_status->setFont(f);
    layout->addWidget(m_status);
    m_bar = new QProgressBar(w);
    m_bar->setObjectName(QStringLiteral("ibProgressIndicator"));
    m_bar->setTextVisible(false);
    layout->addWidget(m_bar);
    auto* row = new QHBoxLayout();
    m_button1 = new QPushButton(w);
    m_button1->setObjectName(QStringLiteral("ibButton1"));
    m_button2 = new QPushButton(w);
    m_button2->setObjectName(QStringLiteral("ibButton2"));
    for (QPushButton* b : {m_button1, m_button2}) {
        b->setAutoDefault(false);
        b->setMinimumHeight(56);
        row->addWidget(b);
        b->hide();
    }
    connect(m_button1, &QPushButton::clicked, this, [this] { emit buttonClicked(m_action1); });
    connect(m_button2, &QPushButton::clicked, this, [this] {
        if (m_action2 == SheetAction::CloseSelf)
            closeProgress();
        emit buttonClicked(m_action2);
    });
    layout->addLayout(row);
    m_window = w;
}

bool ProgressSheet::isVisible() const
{
    return m_window && m_window->isVisible();
}

bool ProgressSheet::isAnimating() const
{
    return m_bar && m_bar->maximum() == 0;
}

void ProgressSheet::setStatusText(const QString& text, bool isError)
{
    window();
    // White, not black, on the station's dark sheets: a black status could not be read.
    m_status->setStyleSheet(isError ? QStringLiteral("color: red;")
                                    : QStringLiteral("color: white;"));
    m_status->setProperty("isError", isError);
    m_status->setText(text);
}

void ProgressSheet::setProgressAnimating(bool animate)
{
    window();
    // An indeterminate bar animates by itself. A stopped one says nothing (the sheet waits for
    // an answer, not for work), so it is not shown at all.
    m_bar->setRange(0, animate ? 0 : 1);
    m_bar->setValue(0);
    m_bar->setVisible(animate);
}

void ProgressSheet::setSheetTitle(const QString& title)
{
    window()->setWindowTitle(title);
}

void ProgressSheet::openSheet(const ProgressOptions& options, QWidget* parentWindow)
{
    window();
    const auto setup = [](QPushButton* b, const SheetButton& button, SheetAction* action) {
        b->setText(button.title);
        b->setVisible(button.isShown());
        *action = button.action;
    };
    setup(m_button1, options.button1, &m_action1);
    setup(m_button2, options.button2, &m_action2);
    setStatusText(options.message, options.isError);
    setProgressAnimating(options.showIndicator);
    if (!m_window->isVisible()) {
        if (parentWindow) {
            m_window->setParent(parentWindow, m_window->windowFlags());
            m_window->setWindowModality(Qt::WindowModal);
        }
        m_window->adjustSize();
        // Centred on the sales window, over the photos rather than over the screen's heading.
        if (QWidget* parent = m_window->parentWidget()) {
            const QRect p = parent->geometry();
            m_window->move(p.x() + (p.width() - m_window->width()) / 2,
                           p.y() + (p.height() - m_window->height()) / 2);
        }
        m_window->open();
    }
    m_window->activateWindow();
}

void ProgressSheet::closeProgress()
{
    if (m_window) {
        m_status->clear();
        m_window->hide();
    }
}

void ProgressSheet::closeForQuit()
{
    closeProgress();
    emit quitRequested();
}

} // namespace kivo
