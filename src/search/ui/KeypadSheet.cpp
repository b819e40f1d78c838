#include "search/ui/KeypadSheet.h"

#include "core/ConsoleLog.h"
#include "core/Settings.h"
#include "core/SiteCodes.h"
#include "search/KeypadBeeper.h"
#include "search/KeypadRules.h"
#include "search/ui/HoldDownButton.h"

#include <QApplication>
#include <QDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kivo {

namespace {

QPushButton* makeKey(const QString& title, QWidget* parent)
{
    auto* b = new QPushButton(title, parent);
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
    b->setMinimumSize(96, 72);
    QFont f = b->font();
    f.setPointSize(24);
    f.setBold(true);
    b->setFont(f);
    return b;
}

bool sheetsInsideWindow()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

KeypadSheet::KeypadSheet(Settings& settings, QObject* parent)
    : QObject(parent), m_settings(settings),
      m_beeper(new KeypadBeeper([] { QApplication::beep(); }, this))
{}

KeypadSheet::~KeypadSheet()
{
    delete m_window;
    delete m_cover;
}

QDialog* KeypadSheet::window()
{
    if (!m_window)
        build();
    return m_window;
}

void KeypadSheet::build()
{
    auto* w = new QDialog();
    w->setObjectName(QStringLiteral("EnterKeyPadController"));
    w->setWindowTitle(tr("Photo ID"));
    w->setWindowFlag(Qt::FramelessWindowHint);
    w->setStyleSheet(QStringLiteral("QDialog { background: #202428; } QLabel { color: white; }"));
    w->installEventFilter(this);
    m_window = w;

    auto* root = new QVBoxLayout(w);
    // The sheet is never smaller than its keys: squeezed, their rows would touch and the last
    // row would be cut off.
    root->setSizeConstraint(QLayout::SetMinimumSize);
    root->setContentsMargins(16, 12, 16, 12);
    root->setSpacing(8);
    m_message = new QLabel(w);
    m_message->setObjectName(QStringLiteral("ibStatusTextField1"));
    m_message2 = new QLabel(w);
    m_message2->setObjectName(QStringLiteral("ibStatusTextField2"));
    for (QLabel* l : {m_message, m_message2}) {
        l->setAlignment(Qt::AlignCenter);
        l->setWordWrap(true);
        QFont f = l->font();
        f.setPointSize(l == m_message ? 22 : 16);
        l->setFont(f);
    }
    root->addWidget(m_message);
    root->addWidget(m_message2);

    m_textField = new QLineEdit(w);
    m_textField->setObjectName(QStringLiteral("ibTextField"));
    m_secureField = new QLineEdit(w);
    m_secureField->setObjectName(QStringLiteral("ibSecureTextField"));
    m_secureField->setEchoMode(QLineEdit::Password);
    for (QLineEdit* e : {m_textField, m_secureField}) {
        QFont f = e->font();
        f.setPointSize(28);
        e->setFont(f);
        e->setAlignment(Qt::AlignCenter);
        // One of the two shows at a time; either is the keypad's entry to a screen reader.
        e->setAccessibleName(QStringLiteral("Entry"));
        root->addWidget(e);
        connect(e, &QLineEdit::returnPressed, this, &KeypadSheet::closeSheet);
    }
    connect(m_textField, &QLineEdit::textEdited, this, &KeypadSheet::onTextEdited);
    connect(m_textField, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_lastAcceptedText = t; });

    auto* keys = new QWidget(w);
    keys->setObjectName(QStringLiteral("ibKeyPadButtonsView"));
    auto* grid = new QGridLayout(keys);
    grid->setSpacing(10);
    grid->setContentsMargins(0, 0, 0, 0);
    const QStringList titles{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                             QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"),
                             QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"),
                             QStringLiteral("*"), QStringLiteral("0"), QStringLiteral("#")};
    for (int i = 0; i < titles.size(); ++i) {
        QPushButton* b = makeKey(titles[i], keys);
        b->setObjectName(QStringLiteral("key_") + titles[i]);
        grid->addWidget(b, i / 3, i % 3);
        connect(b, &QPushButton::clicked, this, [this, b] { onKeyPressed(b); });
        m_keys << b;
        if (titles[i] == QLatin1String("*"))
            m_asterisk = b;
        else if (titles[i] == QLatin1String("#"))
            m_pound = b;
    }
    root->addWidget(keys);

    auto* row = new QHBoxLayout();
    m_clear = makeKey(tr("Clear"), w);
    m_clear->setObjectName(QStringLiteral("ibClearTextFieldButton"));
    // Fixed accessible names, whatever language the keys show.
    m_clear->setAccessibleName(QStringLiteral("Clear"));
    connect(m_clear, &QPushButton::clicked, this, &KeypadSheet::clearTextField);
    m_enter = new HoldDownButton(tr("Enter"), w);
    m_enter->setObjectName(QStringLiteral("ibEnterButton"));
    m_enter->setAccessibleName(QStringLiteral("Enter"));
    m_enter->setAutoDefault(false);
    m_enter->setFocusPolicy(Qt::NoFocus);
    m_enter->setMinimumSize(200, 72);
    m_enter->setFont(m_clear->font()); // as large as every other key on a touch screen
    m_enter->setBeep([this](int n) { playBeeps(n); });
    connect(m_enter, &QPushButton::clicked, this, &KeypadSheet::enterPressed);
    row->addWidget(m_clear);
    row->addWidget(m_enter);
    root->addLayout(row);

    m_extraButton = makeKey(QString(), w);
    m_extraButton->setObjectName(QStringLiteral("ibButton1"));
    connect(m_extraButton, &QPushButton::clicked, this, [this] {
        // Without an action from the caller the extra button submits the entry like Enter.
        if (m_extraAction == SheetAction::None)
            closeSheet();
        else
            emit buttonAction(m_extraAction);
    });
    root->addWidget(m_extraButton);

    m_adminModeButton = makeKey(tr("Admin"), w);
    m_adminModeButton->setObjectName(QStringLiteral("ibAdminModeButton"));
    connect(m_adminModeButton, &QPushButton::clicked, this, [this] { enterSecureTextMode(); });
    root->addWidget(m_adminModeButton);

    m_adminOptions = new QWidget(w);
    m_adminOptions->setObjectName(QStringLiteral("ibAdminOptionsView"));
    auto* adminRow = new QHBoxLayout(m_adminOptions);
    m_quitAppButton = makeKey(tr("Quit App"), m_adminOptions);
    connect(m_quitAppButton, &QPushButton::clicked, this,
            [this] { endSheet(KeypadCommand::QuitApp); });
    m_openPrefButton = makeKey(tr("Open Pref"), m_adminOptions);
    connect(m_openPrefButton, &QPushButton::clicked, this,
            [this] { endSheet(KeypadCommand::OpenPreferences); });
    adminRow->addWidget(m_quitAppButton);
    adminRow->addWidget(m_openPrefButton);
    root->addWidget(m_adminOptions);
    m_adminOptions->hide();
    m_textField->installEventFilter(this);
    m_secureField->installEventFilter(this);
}

bool KeypadSheet::isVisible() const
{
    return m_window && m_window->isVisible();
}

QLineEdit* KeypadSheet::focusField() const
{
    return (m_secureText || m_adminMode) ? m_secureField : m_textField;
}

QString KeypadSheet::buffer() const
{
    return m_window ? focusField()->text() : QString();
}

void KeypadSheet::setBuffer(const QString& text)
{
    focusField()->setText(text);
}

QPushButton* KeypadSheet::digitKey(const QString& title) const
{
    for (QPushButton* b : m_keys) {
        if (b->text() == title)
            return b;
    }
    return nullptr;
}

void KeypadSheet::updateLabel(QLabel* label, const QString& text, bool isError)
{
    label->setStyleSheet(isError ? QStringLiteral("color: red;") : QStringLiteral("color: white;"));
    label->setProperty("isError", isError);
    label->setText(text);
}

void KeypadSheet::playBeeps(int count)
{
    m_beeper->playBeeps(count);
}

void KeypadSheet::openSheet(const KeypadOptions& options, QWidget* parentWindow)
{
    window();
    m_adminMode = false;
    m_textField->clear();
    m_secureField->clear();
    m_leftActive = false;

    if (parentWindow)
        m_parentWindow = parentWindow;
    m_extraButton->setText(options.button.title);
    m_extraButton->setVisible(options.button.isShown());
    const SheetAction action = options.button.action;
    m_extraAction = (action == SheetAction::StartOver || action == SheetAction::OpenPreferences)
                        ? action
                        : SheetAction::None;
    m_context = options.context;

    updateLabel(m_message, options.message.value_or(keypad::defaultMessage()), options.isError);
    if (options.message2)
        updateLabel(m_message2, *options.message2, options.isError2);
    else
        updateLabel(m_message2, keypad::defaultSecondMessage(), false);
    m_secureText = options.secureText;
    // The administrator's buttons belong to the prompt they were asked for at: a hidden prompt
    // opened later (the next release code) must not offer them to whoever stands there.
    m_adminMode = false;
    m_adminOptions->hide();
    showViewsForMode(m_secureText ? Mode::Secure : Mode::Normal);

    if (!m_window->isVisible()) {
        if (m_parentWindow && sheetsInsideWindow()) {
            // A Wayland compositor, not the client, places a window of its own (a kiosk's in a
            // corner): the keypad is laid over the sales window instead, on a cover that takes
            // every touch meant for what lies under it, as a modal window would.
            if (!m_cover || m_cover->parentWidget() != m_parentWindow) {
                m_window->setParent(nullptr); // the keypad outlives the cover of another window
                delete m_cover;
                m_cover = new QWidget(m_parentWindow);
                m_cover->setObjectName(QStringLiteral("keypadCover"));
            }
            m_window->setParent(m_cover, Qt::Widget);
            m_cover->setGeometry(m_parentWindow->rect());
            m_cover->show();
            m_cover->raise();
        } else if (m_parentWindow) {
            m_window->setParent(m_parentWindow, m_window->windowFlags());
            m_window->setWindowModality(Qt::WindowModal);
        }
        m_window->open();
        showViewsForMode(m_secureText ? Mode::Secure : Mode::Normal);
    }
}

void KeypadSheet::showViewsForMode(Mode mode)
{
    window();
    const bool hideAdmin = m_settings.hideAdminButton();
    if (mode == Mode::Admin) {
        m_adminMode = true;
        m_adminOptions->show();
        m_textField->hide();
        m_secureField->show();
    } else if (m_secureText) {
        m_textField->hide();
        m_secureField->show();
        m_asterisk->show();
        m_pound->show();
        m_adminModeButton->setText(hideAdmin ? tr("Hide\nKeys") : tr("Normal"));
        m_adminModeButton->show();
    } else {
        m_secureField->hide();
        m_textField->show();
        m_asterisk->hide();
        m_pound->hide();
        m_adminModeButton->setText(tr("Admin"));
        m_adminModeButton->setVisible(!hideAdmin);
        m_adminOptions->hide();
    }
    m_window->adjustSize();
    // Wrapped message lines take more height than the layout's minimum counts; without it the
    // rows of keys would be squeezed together and the last one cut off.
    if (QLayout* layout = m_window->layout(); layout && layout->hasHeightForWidth()) {
        const int needed = layout->totalHeightForWidth(m_window->width());
        if (needed > m_window->height())
            m_window->resize(m_window->width(), needed);
    }
    if (m_parentWindow) {
        // A screen shorter than the keys in a column (a wide one, 1280x720) gets them in a wider
        // sheet, where the messages take fewer lines, rather than the last row cut off.
        if (QLayout* layout = m_window->layout(); layout && layout->hasHeightForWidth()) {
            const int room = m_parentWindow->height();
            int width = m_window->width();
            while (layout->totalHeightForWidth(width) > room &&
                   width + 40 <= m_parentWindow->width())
                width += 40;
            if (width != m_window->width())
                m_window->resize(width, layout->totalHeightForWidth(width));
        }
        // In the middle of the screen, where a customer's eyes and hand go first; a screen
        // hardly taller than the keys shows them from its top edge, whole.
        const QRect p = m_window->isWindow() ? m_parentWindow->geometry() : m_parentWindow->rect();
        const QSize s = m_window->size();
        m_window->move(p.x() + (p.width() - s.width()) / 2,
                       p.y() + qMax(0, (p.height() - s.height()) / 2));
    }
    focusField()->setFocus();
}

void KeypadSheet::enterSecureTextMode()
{
    setBuffer(QString());
    updateLabel(m_message2, QString(), false);
    m_secureText = !m_secureText;
    m_adminMode = false;
    showViewsForMode(m_secureText ? Mode::Secure : Mode::Normal);
}

void KeypadSheet::onTextEdited(const QString& text)
{
    const EntryFieldFormatter::Result r = m_formatter.isPartialStringValid(text);
    if (!r.accepted) {
        m_textField->setText(m_lastAcceptedText);
    } else if (r.text != text) {
        m_textField->setText(r.text);
    }
    if (r.beep)
        playBeeps(1);
}

void KeypadSheet::onKeyPressed(QPushButton* keyButton)
{
    if (!keyButton)
        return;
    const keypad::DigitOutcome out = keypad::pushDigit(m_textField->text(), m_secureText);
    if (!out.insert ||
        (!m_secureText && !m_adminMode && m_textField->text().size() >= m_formatter.maxLength())) {
        playBeeps(out.beeps > 0 ? out.beeps : 1);
        if (!out.errorLine2.isEmpty())
            updateLabel(m_message2, out.errorLine2, true);
        return;
    }
    focusField()->insert(keyButton->text().toLower());
}

void KeypadSheet::clearTextField()
{
    setBuffer(QString());
    updateLabel(m_message2, QString(), false);
}

void KeypadSheet::enterPressed()
{
    // Enter held for three seconds switches between the ID and the hidden field instead.
    if (HoldDownButton::didHoldDownLongEnough(m_enter)) {
        enterSecureTextMode();
        return;
    }
    closeSheet();
}

void KeypadSheet::closeForQuit()
{
    window();
    // The quit event quits whatever the site's quit code is.
    setBuffer(QString());
    endSheet(KeypadCommand::QuitApp);
}

void KeypadSheet::closeSheet()
{
    window();
    const keypad::CloseOutcome out =
        keypad::closeOutcome(buffer(), m_context.fromMethod, SiteCodes(m_settings));
    if (out.beeps > 0)
        playBeeps(out.beeps);
    if (!out.errorLine2.isEmpty())
        updateLabel(m_message2, out.errorLine2, true);
    switch (out.action) {
    case keypad::CloseOutcome::EnterAdminMode:
        showViewsForMode(Mode::Admin);
        setBuffer(QString());
        return;
    case keypad::CloseOutcome::StayOpen:
        if (out.buffer != buffer())
            setBuffer(out.buffer);
        return;
    case keypad::CloseOutcome::Close:
        setBuffer(out.buffer);
        endSheet(out.command);
        return;
    }
}

void KeypadSheet::endSheet(KeypadCommand command)
{
    SheetContext context = m_context;
    context.returnData = command == KeypadCommand::None ? buffer() : QString();
    context.command = command;
    m_context = SheetContext();
    if (m_window)
        m_window->hide();
    if (m_cover)
        m_cover->hide();
    emit sheetEnded(SheetReturn::Accepted, context);
}

bool KeypadSheet::eventFilter(QObject* watched, QEvent* event)
{
    // Only key presses matter, and the type is checked first: while the sheet is being
    // destroyed it still sends events, and reading the QPointer<QDialog> then would downcast an
    // object that is no longer a dialog.
    if (event->type() == QEvent::KeyPress && watched == m_window &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        return true; // the keypad only ends through its rules
    // Whatever was left in the entry when the keypad lost the keyboard (a half-typed ID, a code)
    // is not the next person's: back as the active window, the keypad starts empty. (Opening
    // empties it already; what is typed between the opening and the window's first activation
    // is kept.)
    if (event->type() == QEvent::WindowDeactivate && watched == m_window)
        m_leftActive = true;
    if (event->type() == QEvent::WindowActivate && m_leftActive && watched == m_window) {
        m_leftActive = false;
        m_textField->clear();
        m_secureField->clear();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kivo
