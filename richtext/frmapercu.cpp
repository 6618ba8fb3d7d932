#include "richtext/frmapercu.h"

#include "output/apercu.h"
#include "platform/fenetres.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* outil(QWidget* parent, const QString& nom, const QString& texte, const QString& infobulle,
                   const QString& theme = QString())
{
    auto* b = new QToolButton(parent);
    b->setObjectName(nom);
    b->setText(texte);
    b->setToolTip(infobulle);
    if (!theme.isEmpty() && QIcon::hasThemeIcon(theme)) {
        b->setIcon(QIcon::fromTheme(theme));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    return b;
}

} // namespace

FrmApercu::FrmApercu(const QString& titre, std::unique_ptr<SourceApercu> source, std::function<void()> imprimer,
                     QWidget* parent)
    : QWidget(parent, Qt::Window), m_source(std::move(source)), m_imprimer(std::move(imprimer)),
      m_vue(new QPrintPreviewWidget(&m_source->imprimante(), this)), m_lblPage(new QLabel(this))
{
    setObjectName(QStringLiteral("FrmApercu"));
    setWindowTitle(titre);
    setAttribute(Qt::WA_DeleteOnClose);
    m_vue->setObjectName(QStringLiteral("vueApercu"));
    m_lblPage->setObjectName(QStringLiteral("lblPage"));

    auto* largeur = outil(this, QStringLiteral("cmdPleineLargeur"), QStringLiteral("Pleine largeur"),
                          QStringLiteral("Ajuster la page à la largeur de la fenêtre"),
                          QStringLiteral("zoom-fit-width"));
    auto* entiere = outil(this, QStringLiteral("cmdPageEntiere"), QStringLiteral("Page entière"),
                          QStringLiteral("Montrer la page entière"), QStringLiteral("zoom-fit-best"));
    auto* reelle = outil(this, QStringLiteral("cmdTailleReelle"), QStringLiteral("100 %"),
                         QStringLiteral("Taille réelle"), QStringLiteral("zoom-original"));
    auto* precedente = outil(this, QStringLiteral("cmdPagePrecedente"), QStringLiteral("◀"),
                             QStringLiteral("Page précédente"));
    auto* suivante = outil(this, QStringLiteral("cmdPageSuivante"), QStringLiteral("▶"),
                           QStringLiteral("Page suivante"));
    auto* cmdImprimer = new QPushButton(QStringLiteral("Imprimer"), this);
    cmdImprimer->setObjectName(QStringLiteral("cmdImprimer"));
    auto* cmdFermer = new QPushButton(QStringLiteral("Fermer"), this);
    cmdFermer->setObjectName(QStringLiteral("cmdFermer"));

    auto* barre = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(largeur), static_cast<QWidget*>(entiere), static_cast<QWidget*>(reelle)})
        barre->addWidget(w);
    barre->addSpacing(16);
    barre->addWidget(precedente);
    barre->addWidget(m_lblPage);
    barre->addWidget(suivante);
    barre->addStretch();
    if (m_source->aFenetre()) {
        m_chkFenetre = new QCheckBox(QStringLiteral("Fenêtre d'enveloppe"), this);
        m_chkFenetre->setObjectName(QStringLiteral("chkFenetreEnveloppe"));
        m_chkFenetre->setToolTip(QStringLiteral("Montrer la partie de la lettre visible dans la fenêtre d'une "
                                                "enveloppe, la lettre pliée en trois (jamais imprimé)"));
        barre->addWidget(m_chkFenetre);
        connect(m_chkFenetre, &QCheckBox::toggled, m_vue, &QPrintPreviewWidget::updatePreview);
    }
    barre->addWidget(cmdImprimer);
    barre->addWidget(cmdFermer);

    auto* page = new QVBoxLayout(this);
    page->addLayout(barre);
    if (!m_source->remarque().isEmpty()) {
        auto* remarque = new QLabel(m_source->remarque(), this);
        remarque->setObjectName(QStringLiteral("lblRemarque"));
        page->addWidget(remarque);
    }
    page->addWidget(m_vue, 1);
    resize(820, 900);

    connect(m_vue, &QPrintPreviewWidget::paintRequested, this, &FrmApercu::dessiner);
    connect(m_vue, &QPrintPreviewWidget::previewChanged, this, &FrmApercu::suivrePage);
    // The view tells of a new page only on some scrolls: the caption
    // follows the scroll bar itself.
    if (auto* defilement = m_vue->findChild<QAbstractScrollArea*>())
        connect(defilement->verticalScrollBar(), &QScrollBar::valueChanged, this, &FrmApercu::suivrePage);
    connect(largeur, &QToolButton::clicked, m_vue, &QPrintPreviewWidget::fitToWidth);
    connect(entiere, &QToolButton::clicked, m_vue, &QPrintPreviewWidget::fitInView);
    connect(reelle, &QToolButton::clicked, this, [this] {
        m_vue->setZoomMode(QPrintPreviewWidget::CustomZoom);
        m_vue->setZoomFactor(1.0);
    });
    connect(precedente, &QToolButton::clicked, this, [this] { m_vue->setCurrentPage(m_vue->currentPage() - 1); });
    connect(suivante, &QToolButton::clicked, this, [this] { m_vue->setCurrentPage(m_vue->currentPage() + 1); });
    connect(cmdImprimer, &QPushButton::clicked, this, [this] { m_imprimer(); });
    connect(cmdFermer, &QPushButton::clicked, this, &QWidget::close);
    clavierDeDialogue(this, cmdFermer);
    m_vue->fitToWidth();
    suivrePage();
}

FrmApercu::~FrmApercu() = default;

QString FrmApercu::legende() const
{
    return m_lblPage->text();
}

void FrmApercu::dessiner()
{
    QPainter peintre(&m_source->imprimante());
    m_source->dessiner(peintre, m_chkFenetre && m_chkFenetre->isChecked());
}

void FrmApercu::suivrePage()
{
    m_lblPage->setText(m_source->legende(std::max(0, m_vue->currentPage() - 1)));
}

void montrerApercu(QWidget* ouvreur, const QString& titre, std::unique_ptr<SourceApercu> source,
                   std::function<void()> imprimer)
{
    if (QWidget* ouverte = fenetreOuverte(QStringLiteral("FrmApercu")))
        ouverte->close();
    afficherFenetre<FrmApercu>(QStringLiteral("FrmApercu"),
                               [&] { return new FrmApercu(titre, std::move(source), std::move(imprimer), ouvreur); });
}
