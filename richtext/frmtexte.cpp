#include "richtext/frmtexte.h"

#include "output/impressionrtf.h"
#include "platform/dialogues.h"
#include "platform/erreurbase.h"
#include "richtext/richtextbox.h"
#include "richtext/barreoutils.h"
#include "richtext/orthographe/orthographeprogramme.h"
#include "store/corpsmodele.h"

#include <QCloseEvent>
#include <QVBoxLayout>

namespace {

// Twips from the paper's edges: the lines on screen, and the printed page
// (the same margins as a printed letter).
constexpr int kMargeGaucheEcran = 1000;
constexpr int kMargeDroiteEcran = 1300;
constexpr int kMargeGauche = 1200;
constexpr int kMargeHaut = 1500;
constexpr int kMargeDroite = 1200;
constexpr int kMargeBas = 1500;

} // namespace

FrmTexte::FrmTexte(QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_txtText(new RichTextBox(this)),
      m_toolbar(new BarreOutils(*m_txtText, barre::Fenetre::Editeur, this))
{
    setObjectName(QStringLiteral("FrmTexte"));
    setWindowTitle(QStringLiteral("Lettre"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_txtText->setObjectName(QStringLiteral("txtText"));
    orthographe::brancherOrthographe(*m_txtText);

    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    disposition->addWidget(m_toolbar);
    disposition->addWidget(m_txtText, 1);
    resize(760, 620);

    connect(m_toolbar, &BarreOutils::enregistrer, this, &FrmTexte::Enregistrer);
    connect(m_toolbar, &BarreOutils::imprimer, this, &FrmTexte::Imprimer);
}

FrmTexte::~FrmTexte() = default;

void FrmTexte::charger()
{
    if (m_charge)
        return;
    m_charge = true;
    // Lines wrap as they will on paper; without a printer the text simply
    // wraps at the window's width.
    DefinirCibleImprimante(*m_txtText, kMargeGaucheEcran, kMargeDroiteEcran);
    m_txtText->setTextRTF(strCorpsLettreTexte);
    m_txtText->moveCursor(QTextCursor::Start);
    m_txtText->setSelFontName(QStringLiteral("Arial"));
    m_txtText->setSelFontSize(10);
    m_txtText->document()->setModified(false);
    m_toolbar->suivreFormat();
}

FrmTexte* FrmTexte::pourModele(const QString& idModele, const QString& corps)
{
    auto* editeur = new FrmTexte;
    editeur->strCorpsLettreTexte = corps;
    editeur->bCorps = true;
    editeur->bModele = true;
    editeur->idModele = idModele;
    editeur->charger();
    return editeur;
}

bool FrmTexte::Enregistrer()
{
    if (!bCorps || !bModele) {
        afficherErreur(QStringLiteral("Ce texte n'appartient à aucun modèle : il ne peut pas être enregistré."));
        return false;
    }
    try {
        EnregistrerCorpsModele(idModele, m_txtText->TextRTF());
    } catch (const ErreurBase& e) {
        afficherErreur(QStringLiteral("Le modèle n'a pas été enregistré ; le texte reste dans cette fenêtre.\n%1")
                           .arg(e.raison()));
        return false;
    }
    m_txtText->document()->setModified(false);
    return true;
}

void FrmTexte::Imprimer()
{
    if (const Reussite imprime = ImprimerRTF(*m_txtText->document(), kMargeGauche, kMargeHaut, kMargeDroite, kMargeBas);
        !imprime)
        afficherErreur(QStringLiteral("Le texte n'a pas été imprimé.\n%1").arg(imprime.raison()));
}

QString FrmTexte::questionFermeture()
{
    return QStringLiteral("Voulez-vous enregistrer les modifications apportées au modèle ?");
}

void FrmTexte::closeEvent(QCloseEvent* event)
{
    if (m_txtText->document()->isModified()) {
        switch (dialogues().message(questionFermeture(), Boutons::EnregistrerAnnuler, Icone::Aucune,
                                    QStringLiteral("Confirmation"))) {
        case Reponse::Oui:
            if (!Enregistrer()) {
                event->ignore();
                return;
            }
            break;
        case Reponse::Non:
            break;
        case Reponse::Annuler:
        case Reponse::Ok:
            event->ignore();
            return;
        }
    }
    event->accept();
}
