#include "screens/SellingScreen.h"

#include "screens/PackagePanelView.h"
#include "screens/PhotoGridView.h"
#include "screens/SellingCoordinator.h"
#include "screens/SellingTotalsView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kivo {

SellingScreen::SellingScreen(PhotoGridModel& grid, PackagePanelModel& panel,
                             SellingCoordinator& coordinator, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("SellingScreen"));
    setAttribute(Qt::WA_StyledBackground);

    auto* root = new QVBoxLayout(this);
    root->setSpacing(12);

    auto* heading = new QHBoxLayout();
    m_customer = new QLabel(this);
    m_customer->setObjectName(QStringLiteral("ibCustomerLabel"));
    heading->addWidget(m_customer, 1);
    // The sponsor's logo sits at the right of the heading, clear of the photos.
    m_sponsor = new QLabel(this);
    m_sponsor->setObjectName(QStringLiteral("ibSponsorView"));
    heading->addWidget(m_sponsor, 0, Qt::AlignRight | Qt::AlignTop);
    root->addLayout(heading);

    auto* body = new QHBoxLayout();
    body->setSpacing(16);
    m_grid = new PhotoGridView(grid, this);
    body->addWidget(m_grid, 1);
    auto* right = new QVBoxLayout();
    right->setSpacing(12);
    auto* prompt = new QLabel(tr("Choose your packages for this photo"), this);
    prompt->setObjectName(QStringLiteral("SellingPrompt"));
    prompt->setWordWrap(true);
    right->addWidget(prompt);
    m_panel = new PackagePanelView(panel, this);
    right->addWidget(m_panel, 1);
    m_totals = new SellingTotalsView(this);
    right->addWidget(m_totals);
    body->addLayout(right, 0);
    root->addLayout(body, 1);

    auto* actions = new QHBoxLayout();
    actions->setSpacing(16);
    const auto button = [this](const QString& title, const char* objectName) {
        auto* b = new QPushButton(title, this);
        b->setObjectName(QString::fromLatin1(objectName));
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumHeight(72);
        return b;
    };
    m_startOver = button(tr("Start Over"), "ibStartOverButton");
    m_back = button(tr("Back"), "ibBackButton");
    m_summary = button(tr("Show Summary"), "ibShowCartButton");
    m_summary->setProperty("primary", true);
    actions->addWidget(m_startOver);
    actions->addWidget(m_back);
    actions->addStretch(1);
    actions->addWidget(m_summary);
    root->addLayout(actions);

    m_totals->setTotals(coordinator.totals());
    m_back->setEnabled(coordinator.backButtonEnabled());
    m_summary->setEnabled(coordinator.summaryButtonEnabled());
    connect(&coordinator, &SellingCoordinator::totalsChanged, m_totals,
            &SellingTotalsView::setTotals);
    connect(&coordinator, &SellingCoordinator::backButtonEnabledChanged, m_back,
            &QWidget::setEnabled);
    connect(&coordinator, &SellingCoordinator::summaryButtonEnabledChanged, m_summary,
            &QWidget::setEnabled);
    connect(m_back, &QAbstractButton::clicked, &coordinator, &SellingCoordinator::back);
}

} // namespace kivo
