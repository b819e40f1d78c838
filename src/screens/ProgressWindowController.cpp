#include "screens/ProgressWindowController.h"

#include "core/ConsoleLog.h"
#include "core/NotificationCenter.h"
#include "core/SessionKeys.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kivo {

namespace {

QString key(const char* k)
{
    return QString::fromLatin1(k);
}

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

ProgressWindowController::ProgressWindowController(QObject* parent) : QObject(parent)
{
    // Nobody posts it; observed so that a future poster finds the sheet listening.
    NotificationCenter::defaultCenter().addObserver(this, key(kivoCloseProgressNotification),
                                                    [](const Notification&) {});
}

ProgressWindowController::~ProgressWindowController()
{
    delete m_window;
}

QDialog* ProgressWindowController::window()
{
    if (!m_window)
        build();
    return m_window;
}

void ProgressWindowController::build()
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
        if (m_action2.compare(QLatin1String("closeSelf:"), Qt::CaseInsensitive) == 0)
            ibCloseProgressWindow(QVariant::fromValue<QObject*>(m_button2));
        emit buttonClicked(m_action2);
    });
    layout->addLayout(row);
    m_window = w;
}

bool ProgressWindowController::isVisible() const
{
    return m_window && m_window->isVisible();
}

bool ProgressWindowController::isAnimating() const
{
    return m_bar && m_bar->maximum() == 0;
}

void ProgressWindowController::ibUpdateStatusTextField(const QString& text, bool isError)
{
    window();
    if (!m_status) {
        consoleLog("ProgressWindowController", "ibUpdateNSTextField",
                   QStringLiteral(" NIL NSTextField...."));
        return;
    }
    m_status->setStyleSheet(isError ? QStringLiteral("color: red;")
                                    : QStringLiteral("color: black;"));
    m_status->setProperty("isError", isError);
    m_status->setText(text);
}

void ProgressWindowController::ibUpdateProgressBar(bool animate)
{
    window();
    // An indeterminate bar animates by itself; a stopped one is shown empty.
    m_bar->setRange(0, animate ? 0 : 1);
    m_bar->setValue(0);
}

void ProgressWindowController::ibSetWindowTitle(const QString& title)
{
    window()->setWindowTitle(title);
}

void ProgressWindowController::ibOpenSheetWithOptions(const QVariantMap& options)
{
    window();
    const auto setup = [&options](QPushButton* b, const char* titleKey, const char* actionKey,
                                  QString* action) {
        if (options.contains(key(titleKey))) {
            b->setText(options.value(key(titleKey)).toString());
            b->show();
        } else {
            b->hide();
        }
        *action = options.value(key(actionKey)).toString();
    };
    setup(m_button1, keyButtonTitle, keyButtonAction, &m_action1);
    setup(m_button2, keyButton2Title, keyButton2Action, &m_action2);
    ibUpdateStatusTextField(options.value(key(keyMessage)).toString(),
                            options.value(key(keyIsError)).toBool());
    ibUpdateProgressBar(!options.contains(key(keyShowIndicator)) ||
                        options.value(key(keyShowIndicator)).toBool());
    if (!m_window->isVisible()) {
        if (auto* parent = qvariant_cast<QWidget*>(options.value(key(keyParentWindow)))) {
            m_window->setParent(parent, m_window->windowFlags());
            m_window->setWindowModality(Qt::WindowModal);
        }
        m_window->adjustSize();
        if (QWidget* parent = m_window->parentWidget()) {
            const QRect p = parent->geometry();
            m_window->move(p.x() + (p.width() - m_window->width()) / 2, p.y());
        }
        m_window->open();
    }
    m_window->activateWindow();
}

void ProgressWindowController::ibCloseProgressWindow(const QVariant& sender)
{
    if (m_window) {
        m_status->clear();
        m_window->hide();
    }
    if (sender.typeId() == QMetaType::QString &&
        sender.toString().compare(QLatin1String("quitApp"), Qt::CaseInsensitive) == 0)
        emit quitRequested();
}

} // namespace kivo
