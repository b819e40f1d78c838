#include "screens/OutOfServiceScreen.h"

#include <QLabel>
#include <QVBoxLayout>

namespace kivo {

OutOfServiceScreen::OutOfServiceScreen(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("OutOfServiceScreen"));
    setAccessibleName(QStringLiteral("Out of Service"));
    setWindowTitle(tr("Out of Service"));
    // The style sheet gives it the station's background (a plain QWidget paints none of its own).
    setAttribute(Qt::WA_StyledBackground);

    auto* title = new QLabel(tr("Out of Service"), this);
    title->setObjectName(QStringLiteral("SheetHeading"));
    title->setAlignment(Qt::AlignCenter);
    auto* customer =
        new QLabel(tr("This station cannot take orders at the moment.\nPlease ask a member of "
                      "staff, or use another station."),
                   this);
    customer->setAlignment(Qt::AlignCenter);
    customer->setWordWrap(true);

    // The staff's part: what failed, in the words of the self-test, and when the next try is.
    m_reasonsLabel = new QLabel(this);
    m_reasonsLabel->setObjectName(QStringLiteral("OutOfServiceReasons"));
    m_reasonsLabel->setAccessibleName(tr("Reasons"));
    m_reasonsLabel->setAlignment(Qt::AlignCenter);
    m_reasonsLabel->setWordWrap(true);
    m_reasonsLabel->setTextFormat(Qt::PlainText);
    m_nextCheck = new QLabel(this);
    m_nextCheck->setAlignment(Qt::AlignCenter);
    m_nextCheck->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(48, 48, 48, 48);
    layout->setSpacing(24);
    layout->addStretch(2);
    layout->addWidget(title);
    layout->addWidget(customer);
    layout->addStretch(1);
    layout->addWidget(m_reasonsLabel);
    layout->addWidget(m_nextCheck);
    layout->addStretch(2);
}

void OutOfServiceScreen::setReasons(const QStringList& reasons)
{
    m_reasons = reasons;
    const QString text = reasons.join(QLatin1Char('\n'));
    m_reasonsLabel->setText(text);
    // A label given a name exposes only the name: the text goes in the description.
    m_reasonsLabel->setAccessibleDescription(text);
}

void OutOfServiceScreen::setNextCheck(const QTime& at)
{
    m_nextCheck->setVisible(at.isValid());
    if (at.isValid())
        m_nextCheck->setText(
            tr("Checking again at %1").arg(at.toString(QStringLiteral("HH:mm:ss"))));
}

} // namespace kivo
