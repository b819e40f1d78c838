#include "search/ui/EnterKeyPadController.h"

#include "core/ConsoleLog.h"
#include "core/SessionKeys.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "search/KeypadBeeper.h"
#include "search/KeypadRules.h"
#include "search/ui/HoldDownButton.h"

#include <QApplication>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kivo {

namespace {

const char* const kClass = "EnterKeyPadController";
const char* const kAlternateTitle = "alternateTitle";

QString key(const char* k)
{
    return QString::fromLatin1(k);
}

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

} // namespace

EnterKeyPadController::EnterKeyPadController(QObject* parent)
    : QObject(parent), m_beeper(new KeypadBeeper([] { QApplication::beep(); }, this))
{}

EnterKeyPadController::~EnterKeyPadController()
{
    delete m_window;
}

QDialog* EnterKeyPadController::window()
{
    if (!m_window)
        build();
    return m_window;
}

void EnterKeyPadController::build()
{
    auto* w = new QDialog();
    w->setObjectName(QStringLiteral("EnterKeyPadController"));
    w->setWindowTitle(QStringLiteral("Photo ID"));
    w->setWindowFlag(Qt::FramelessWindowHint);
    w->setStyleSheet(QStringLiteral("QDialog { background: #202428; } QLabel { color: white; }"));
    w->installEventFilter(this);
    m_window = w;

    auto* root = new QVBoxLayout(w);
    m_status1 = new QLabel(w);
    m_status1->setObjectName(QStringLiteral("ibStatusTextField1"));
    m_status2 = new QLabel(w);
    m_status2->setObjectName(QStringLiteral("ibStatusTextField2"));
    for (QLabel* l : {m_status1, m_status2}) {
        l->setAlignment(Qt::AlignCenter);
        l->setWordWrap(true);
        QFont f = l->font();
        f.setPointSize(l == m_status1 ? 22 : 16);
        l->setFont(f);
    }
    root->addWidget(m_status1);
    root->addWidget(m_status2);

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
        root->addWidget(e);
        connect(e, &QLineEdit::returnPressed, this, [this, e] { closeMyCustomSheet(e); });
    }
    connect(m_textField, &QLineEdit::textEdited, this, &EnterKeyPadController::onTextEdited);
    connect(m_textField, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_lastAcceptedText = t; });

    auto* keys = new QWidget(w);
    keys->setObjectName(QStringLiteral("ibKeyPadButtonsView"));
    auto* grid = new QGridLayout(keys);
    grid->setSpacing(10);
    const QStringList titles{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                             QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"),
                             QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"),
                             QStringLiteral("*"), QStringLiteral("0"), QStringLiteral("#")};
    for (int i = 0; i < titles.size(); ++i) {
        QPushButton* b = makeKey(titles[i], keys);
        b->setObjectName(QStringLiteral("key_") + titles[i]);
        grid->addWidget(b, i / 3, i % 3);
        connect(b, &QPushButton::clicked, this, [this, b] { ibPushedKeyPadButton(b); });
        m_keys << b;
        if (titles[i] == QLatin1String("*"))
            m_asterisk = b;
        else if (titles[i] == QLatin1String("#"))
            m_pound = b;
    }
    root->addWidget(keys);

    auto* row = new QHBoxLayout();
    m_clear = makeKey(QStringLiteral("Clear"), w);
    m_clear->setObjectName(QStringLiteral("ibClearTextFieldButton"));
    connect(m_clear, &QPushButton::clicked, this, [this] { clearTextField(m_clear); });
    m_enter = new HoldDownButton(QStringLiteral("Enter"), w);
    m_enter->setObjectName(QStringLiteral("ibEnterButton"));
    m_enter->setAutoDefault(false);
    m_enter->setFocusPolicy(Qt::NoFocus);
    m_enter->setMinimumSize(200, 72);
    m_enter->setFont(m_clear->font()); // as large as every other key on a touch screen
    m_enter->setBeep([this](int n) { doBeepInThread(n); });
    connect(m_enter, &QPushButton::clicked, this, [this] { closeMyCustomSheet(m_enter); });
    row->addWidget(m_clear);
    row->addWidget(m_enter);
    root->addLayout(row);

    m_button1 = makeKey(QString(), w);
    m_button1->setObjectName(QStringLiteral("ibButton1"));
    connect(m_button1, &QPushButton::clicked, this, [this] {
        // Without an action from the caller the extra button submits the entry like Enter.
        if (m_button1Action.isEmpty())
            closeMyCustomSheet(m_button1);
        else
            emit buttonAction(m_button1Action);
    });
    root->addWidget(m_button1);

    m_adminModeButton = makeKey(QStringLiteral("Admin"), w);
    m_adminModeButton->setObjectName(QStringLiteral("ibAdminModeButton"));
    connect(m_adminModeButton, &QPushButton::clicked, this, [this] { enterSecureTextMode(); });
    root->addWidget(m_adminModeButton);

    m_adminOptions = new QWidget(w);
    m_adminOptions->setObjectName(QStringLiteral("ibAdminOptionsView"));
    auto* adminRow = new QHBoxLayout(m_adminOptions);
    for (const QString& t : {QStringLiteral("Quit App"), QStringLiteral("Open Pref")}) {
        QPushButton* b = makeKey(t, m_adminOptions);
        b->setProperty(kAlternateTitle, t);
        connect(b, &QPushButton::clicked, this, [this, b] { doAdminButton(b); });
        adminRow->addWidget(b);
    }
    root->addWidget(m_adminOptions);
    m_adminOptions->hide();
    m_textField->installEventFilter(this);
    m_secureField->installEventFilter(this);
}

bool EnterKeyPadController::isVisible() const
{
    return m_window && m_window->isVisible();
}

QLineEdit* EnterKeyPadController::focusField() const
{
    return (_doAsSecureText || m_adminMode) ? m_secureField : m_textField;
}

QString EnterKeyPadController::buffer() const
{
    return m_window ? focusField()->text() : QString();
}

void EnterKeyPadController::setBuffer(const QString& text)
{
    focusField()->setText(text);
}

QPushButton* EnterKeyPadController::digitKey(const QString& title) const
{
    for (QPushButton* b : m_keys) {
        if (b->text() == title)
            return b;
    }
    return nullptr;
}

void EnterKeyPadController::ibUpdateNSTextField(QLabel* field, const QString& text, bool isError)
{
    if (!field) {
        consoleLog(kClass, "ibUpdateNSTextField", QStringLiteral(" NIL NSTextField...."));
        return;
    }
    field->setStyleSheet(isError ? QStringLiteral("color: red;") : QStringLiteral("color: white;"));
    field->setProperty("isError", isError);
    field->setText(text);
}

void EnterKeyPadController::doBeepInThread(int count)
{
    m_beeper->doBeepInThread(count);
}

void EnterKeyPadController::ibOpenSheetWithOptions(const QVariantMap& options)
{
    window();
    _doWindowAsSheet = true;
    m_adminMode = false;
    m_textField->clear();
    m_secureField->clear();

    if (auto* parent = qvariant_cast<QWidget*>(options.value(key(keyParentWindow))))
        _parentWindow = parent;
    if (options.contains(key(keyButtonTitle))) {
        m_button1->setText(options.value(key(keyButtonTitle)).toString());
        m_button1->show();
    } else {
        m_button1->hide();
    }
    const QString action = options.value(key(keyButtonAction)).toString();
    m_button1Action = (action.compare(QLatin1String("startOver:"), Qt::CaseInsensitive) == 0 ||
                       action.compare(QLatin1String("openPref:"), Qt::CaseInsensitive) == 0)
                          ? action
                          : QString();
    _contextInfo = options.value(key(keyContextInfo));

    ibUpdateNSTextField(m_status1,
                        options.contains(key(keyMessage))
                            ? options.value(key(keyMessage)).toString()
                            : keypad::defaultMessage(),
                        options.value(key(keyIsError)).toBool());
    if (options.contains(key(keyMessage2)))
        ibUpdateNSTextField(m_status2, options.value(key(keyMessage2)).toString(),
                            options.value(key(keyIsError2)).toBool());
    else
        ibUpdateNSTextField(m_status2, keypad::defaultSecondMessage(), false);
    _doAsSecureText = options.value(key(keyShowSecureText)).toBool();
    exposeViewsForMode(_doAsSecureText ? 1 : 0);

    if (!m_window->isVisible()) {
        if (_parentWindow) {
            m_window->setParent(_parentWindow, m_window->windowFlags());
            m_window->setWindowModality(Qt::WindowModal);
        }
        m_window->open();
        exposeViewsForMode(m_adminMode ? 3 : (_doAsSecureText ? 1 : 0));
    }
}

void EnterKeyPadController::exposeViewsForMode(int mode)
{
    window();
    const bool hideAdmin = Settings::standardUserDefaults().boolForKey(key(sPrefHideAdminButton));
    if (mode == 3) {
        m_adminMode = true;
        m_adminOptions->show();
        m_textField->hide();
        m_secureField->show();
    } else if (_doAsSecureText) {
        m_textField->hide();
        m_secureField->show();
        m_asterisk->show();
        m_pound->show();
        m_adminModeButton->setText(hideAdmin ? QStringLiteral("Hide\nKeys")
                                             : QStringLiteral("Normal"));
        m_adminModeButton->show();
    } else {
        m_secureField->hide();
        m_textField->show();
        m_asterisk->hide();
        m_pound->hide();
        m_adminModeButton->setText(QStringLiteral("Admin"));
        m_adminModeButton->setVisible(!hideAdmin);
        m_adminOptions->hide();
    }
    m_window->adjustSize();
    if (_parentWindow) {
        const QRect p = _parentWindow->geometry();
        const QSize s = m_window->size();
        m_window->move(p.x() + (p.width() - s.width()) / 2, p.y());
    }
    focusField()->setFocus();
}

void EnterKeyPadController::enterSecureTextMode()
{
    setBuffer(QString());
    ibUpdateNSTextField(m_status2, QString(), false);
    _doAsSecureText = !_doAsSecureText;
    m_adminMode = false;
    exposeViewsForMode(_doAsSecureText ? 1 : 0);
}

void EnterKeyPadController::onTextEdited(const QString& text)
{
    const CustomTextFieldFormatter::Result r = m_formatter.isPartialStringValid(text);
    if (!r.accepted) {
        m_textField->setText(m_lastAcceptedText);
    } else if (r.text != text) {
        m_textField->setText(r.text);
    }
    if (r.beep)
        doBeepInThread(1);
}

void EnterKeyPadController::ibPushedKeyPadButton(QPushButton* keyButton)
{
    if (!keyButton)
        return;
    const keypad::DigitOutcome out = keypad::pushDigit(m_textField->text(), _doAsSecureText);
    if (!out.insert || (!_doAsSecureText && !m_adminMode &&
                        m_textField->text().size() >= m_formatter.maxLength())) {
        doBeepInThread(out.beeps > 0 ? out.beeps : 1);
        if (!out.errorLine2.isEmpty())
            ibUpdateNSTextField(m_status2, out.errorLine2, true);
        return;
    }
    focusField()->insert(keyButton->text().toLower());
}

void EnterKeyPadController::clearTextField(QObject* sender)
{
    if (!qobject_cast<QPushButton*>(sender))
        return;
    setBuffer(QString());
    ibUpdateNSTextField(m_status2, QString(), false);
}

void EnterKeyPadController::doAdminButton(QObject* sender)
{
    auto* button = qobject_cast<QPushButton*>(sender);
    if (!button)
        return;
    const QString alt = button->property(kAlternateTitle).toString();
    if (alt == QLatin1String("Quit App"))
        setBuffer(key(kCommandQuitApp));
    else if (alt == QLatin1String("Open Pref"))
        setBuffer(key(kCommandOpenPref));
    else
        return;
    endSheet(kSheetReturnAccepted);
}

void EnterKeyPadController::closeMyCustomSheet(QObject* sender)
{
    window();
    if (!sender)
        setBuffer(QString::fromLatin1(keypad::kCodeQuitApp));
    if (sender && sender == m_enter && HoldDownButton::didHoldDownLongEnough(sender)) {
        enterSecureTextMode();
        return;
    }
    const keypad::CloseOutcome out = keypad::closeOutcome(buffer(), _contextInfo);
    if (out.beeps > 0)
        doBeepInThread(out.beeps);
    if (!out.errorLine2.isEmpty())
        ibUpdateNSTextField(m_status2, out.errorLine2, true);
    switch (out.action) {
    case keypad::CloseOutcome::EnterAdminMode:
        exposeViewsForMode(3);
        setBuffer(QString());
        return;
    case keypad::CloseOutcome::StayOpen:
        if (out.buffer != buffer())
            setBuffer(out.buffer);
        return;
    case keypad::CloseOutcome::Close:
        setBuffer(out.buffer);
        endSheet(kSheetReturnAccepted);
        return;
    }
}

void EnterKeyPadController::endSheet(qint64 code)
{
    const QString returned = buffer();
    QVariant context = _contextInfo;
    _contextInfo = QVariant();
    if (m_window)
        m_window->hide();
    if (code != kSheetReturnAccepted && code != kSheetReturnCancelled &&
        code != kSheetReturnStopped) {
        consoleLog(kClass, "didEndSheet", QStringLiteral("Unknown return code %1").arg(code));
        return;
    }
    if (code != kSheetReturnAccepted)
        return;
    if (context.typeId() == QMetaType::QVariantMap) {
        QVariantMap map = context.toMap();
        map.insert(key(keyReturnData), returned);
        context = map;
    }
    emit sheetEnded(code, context);
}

void EnterKeyPadController::ibConfirmIfDone(const QVariantMap& options)
{
    if (!m_confirm) {
        m_confirm = new QDialog(window());
        m_confirm->setObjectName(QStringLiteral("ibConfirmWindow"));
        auto* layout = new QVBoxLayout(m_confirm);
        layout->addWidget(new QLabel(QStringLiteral("Do You Have Another ID?"), m_confirm));
        auto* row = new QHBoxLayout();
        QPushButton* yes = makeKey(QStringLiteral("Yes"), m_confirm);
        yes->setProperty("tag", 111);
        QPushButton* no = makeKey(QStringLiteral("No"), m_confirm);
        for (QPushButton* b : {yes, no}) {
            row->addWidget(b);
            connect(b, &QPushButton::clicked, this, [this, b] {
                const qint64 code = b->property("tag").toInt() == 111 ? kSheetReturnAccepted
                                                                      : kSheetReturnCancelled;
                m_confirm->hide();
                const QVariant ctx = m_confirmContext;
                m_confirmContext = QVariant();
                emit sheetEnded(code, ctx);
            });
        }
        layout->addLayout(row);
    }
    if (m_confirm->isVisible())
        return;
    m_confirmContext = options.value(key(keyContextInfo));
    if (auto* parent = qvariant_cast<QWidget*>(options.value(key(keyParentWindow))))
        m_confirm->setParent(parent, m_confirm->windowFlags());
    m_confirm->setWindowModality(Qt::WindowModal);
    m_confirm->open();
}

bool EnterKeyPadController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window) {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            return true; // the keypad only ends through its rules
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kivo
