#include "app/panneaupersonne.h"

#include "app/controles.h"
#include "app/filtrecaracteres.h"
#include "app/recherchecarnet.h"
#include "app/verificationpostale.h"
#include "platform/dialogues.h"
#include "platform/erreurbase.h"
#include "store/personnes.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QToolButton>
#include <algorithm>

using namespace controles;

namespace {

const QStringList kTitres{QStringLiteral("Madame"), QStringLiteral("Monsieur"), QStringLiteral("Mademoiselle"),
                          QStringLiteral("Madame, Monsieur")};

// A stored value shown from its start, however long it is.
void montrerValeur(QLineEdit* champ, const QString& valeur)
{
    champ->setText(valeur);
    champ->setCursorPosition(0);
}

void effacerChoix(QComboBox* combo)
{
    const QSignalBlocker bloque(combo);
    combo->setCurrentIndex(-1);
    combo->clearEditText();
}

} // namespace

PanneauPersonne::PanneauPersonne(QGroupBox* p, const Description& d, const AccesCarnet& carnet,
                                 FiltreCaracteres* filtre, QObject* parent)
    : QObject(parent), m_carnet(carnet)
{
    titre(p, d.nomTitrePanneau, d.titrePanneau, 360, 360, 3000);
    // The chooser's items come from a string-list model, filled in one go.
    m_choix = combo(p, d.nomChoix, d.gaucheChoix, d.hautChoix, d.largeurChoix);
    m_libelles = new QStringListModel(m_choix);
    m_choix->setModel(m_libelles);
    filtre->proteger(m_choix);
    QLineEdit* recherche = zoneTexte(p, QStringLiteral("txtRecherche") + d.suffixe, d.gaucheRecherche, 360,
                                     d.largeurRecherche);
    m_recherche = new RechercheCarnet(recherche, this);

    const auto haut = [&d](int ligne) { return d.hautLignes + d.pasLignes * ligne; };
    for (int i = 0; i < d.etiquettes.size(); ++i)
        etiquette(p, QStringLiteral("%1(%2)").arg(d.nomEtiquettes).arg(d.premiereEtiquette + i), d.etiquettes.at(i),
                  d.gaucheEtiquettes, haut(i) + 30, d.largeurEtiquettes);
    m_titre = combo(p, QStringLiteral("cmbTitre") + d.suffixe, d.gaucheChamps, haut(0), d.largeurTitre, kTitres);
    for (const Champ& c : d.champs)
        m_champs.push_back(
            zoneTexte(p, QStringLiteral("txt") + c.radical + d.suffixe, c.gauche, haut(c.ligne), c.largeur));

    const auto champ = [this, &d](const QString& radical) {
        const auto c = std::find_if(d.champs.begin(), d.champs.end(),
                                    [&radical](const Champ& x) { return x.radical == radical; });
        return m_champs.at(static_cast<std::size_t>(c - d.champs.begin()));
    };
    const int hautVerification = haut(static_cast<int>(d.etiquettes.size()));
    QLabel* ligne = etiquette(p, QStringLiteral("lblPostale") + d.suffixe, QString(), d.gaucheEtiquettes,
                              hautVerification, d.largeurVerification);
    auto* mettreEnForme = new QPushButton(QStringLiteral("Mettre en forme postale"), p);
    mettreEnForme->setObjectName(QStringLiteral("cmdFormePostale") + d.suffixe);
    placer(mettreEnForme, d.gaucheEtiquettes, hautVerification + 300, 2400, 360);
    new VerificationPostale({m_titre, champ(QStringLiteral("Nom")), champ(QStringLiteral("Prenom")),
                             champ(QStringLiteral("Fonction")), champ(QStringLiteral("Adresse1")),
                             champ(QStringLiteral("Adresse2")), champ(QStringLiteral("CP")),
                             champ(QStringLiteral("Ville"))},
                            ligne, mettreEnForme, this);

    const QStringList noms{QStringLiteral("cmdAjouter"), QStringLiteral("cmdSuppr"), QStringLiteral("cmdModif")};
    const QStringList icones{QStringLiteral("list-add"), QStringLiteral("list-remove"),
                             QStringLiteral("document-save")};
    const QStringList fichiers{QStringLiteral("ajouter.svg"), QStringLiteral("supprimer.svg"),
                               QStringLiteral("enregistrer.svg")};
    for (int i = 0; i < noms.size(); ++i)
        m_boutons.push_back(image(p, noms.at(i) + d.suffixe, icone(icones.at(i), fichiers.at(i)), d.infobulles.at(i),
                                  d.gaucheBoutons, d.hautLignes + d.pasBoutons * i, d.coteBoutons, d.coteBoutons));
}

QStringList PanneauPersonne::valeurs() const
{
    QStringList v{m_titre->currentText()};
    for (const QLineEdit* t : m_champs)
        v << t->text();
    return v;
}

void PanneauPersonne::montrer(const QStringList& valeurs)
{
    m_titre->setEditText(valeurs.at(0));
    m_titre->lineEdit()->setCursorPosition(0);
    for (std::size_t i = 0; i < m_champs.size(); ++i)
        montrerValeur(m_champs[i], valeurs.at(static_cast<qsizetype>(i) + 1));
}

void PanneauPersonne::viderChamps()
{
    m_titre->setEditText(QString());
    for (QLineEdit* t : m_champs)
        t->clear();
    if (m_note)
        m_note->clear();
}

void PanneauPersonne::remplirChoix(const QStringList& libelles)
{
    const QSignalBlocker bloque(m_choix);
    m_choix->setUpdatesEnabled(false);
    m_libelles->setStringList(libelles);
    m_choix->setCurrentIndex(-1);
    m_choix->clearEditText();
    m_choix->setUpdatesEnabled(true);
}

void PanneauPersonne::remplirRecherche(const QStringList& libelles, const QStringList& nomsPrenoms,
                                       const QStringList& villes)
{
    m_recherche->remplir(libelles, nomsPrenoms, villes);
}

void PanneauPersonne::relire(const QStringList& libelles, const QStringList& nomsPrenoms, const QStringList& villes)
{
    const QString texte = m_choix->currentText();
    const RecordId id = m_choix->currentIndex() >= 0 ? numeroEnTete(texte) : kAucunEnregistrement;
    remplirChoix(libelles);
    remplirRecherche(libelles, nomsPrenoms, villes);
    const QSignalBlocker bloque(m_choix);
    for (int i = 0; id != kAucunEnregistrement && i < m_choix->count(); ++i) {
        if (numeroEnTete(m_choix->itemText(i)) == id) {
            m_choix->setCurrentIndex(i);
            return;
        }
    }
    m_choix->setEditText(texte);
}

void PanneauPersonne::choisirLibelle(const QString& libelle)
{
    const QSignalBlocker bloque(m_choix);
    const int i = m_choix->findText(libelle, Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_choix->setCurrentIndex(i);
    m_choix->setEditText(libelle);
}

bool PanneauPersonne::choisirNumero(RecordId id)
{
    for (int i = 0; i < m_choix->count(); ++i) {
        if (m_carnet.numeroDe(m_choix->itemText(i)) == id) {
            m_choix->setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

RecordId PanneauPersonne::numeroChoisi() const
{
    return m_carnet.numeroDe(m_choix->currentText());
}

RecordId PanneauPersonne::afficher()
{
    m_nouveau = false;
    const RecordId id = numeroChoisi();
    m_numeroLu = kAucunEnregistrement;
    if (id == kAucunEnregistrement) {
        afficherErreur(m_carnet.invalide);
        return id;
    }
    m_lu = m_carnet.lire(id);
    m_numeroLu = id;
    montrer(m_lu);
    return id;
}

void PanneauPersonne::commencerNouveau()
{
    m_nouveau = true;
    effacerChoix(m_choix);
    viderChamps();
}

QString PanneauPersonne::enregistrer()
{
    RecordId id = kAucunEnregistrement;
    if (!m_choix->currentText().isEmpty() && !m_nouveau) {
        id = numeroChoisi();
        if (id == kAucunEnregistrement) {
            afficherErreur(m_carnet.invalide);
            return QString();
        }
    }
    const QStringList v = valeurs();
    if (v.at(1).trimmed().isEmpty() && v.at(2).trimmed().isEmpty()) {
        afficherErreur(m_carnet.sansNom);
        return QString();
    }
    const QStringList* attendues = id != kAucunEnregistrement && id == m_numeroLu ? &m_lu : nullptr;
    try {
        id = m_carnet.enregistrer(id, v, attendues);
    } catch (const ErreurConflit&) {
        if (!attendues)
            throw;
        const Reponse choix = dialogues().message(
            m_carnet.modifieAilleurs
                + QStringLiteral("\n\n« Recharger » affiche la fiche telle qu'elle est enregistrée maintenant (vos "
                                 "modifications sont abandonnées) ; « Écraser » enregistre vos modifications à sa "
                                 "place."),
            Boutons::RechargerEcraser, Icone::Exclamation, QStringLiteral("Modification sur un autre poste"),
            Reponse::Annuler);
        if (choix == Reponse::Non)
            afficher();
        if (choix != Reponse::Oui)
            return QString();
        id = m_carnet.enregistrer(id, v, nullptr);
    }
    m_nouveau = false;
    m_lu = v;
    m_numeroLu = id;
    return libellePersonne(id, v.at(0), v.at(1), v.at(2));
}

bool PanneauPersonne::supprimer()
{
    m_nouveau = false;
    const RecordId id = numeroChoisi();
    if (id == kAucunEnregistrement) {
        afficherErreur(m_carnet.invalide);
        return false;
    }
    if (confirmerDestruction(m_carnet.questionSuppression) == Reponse::Non)
        return false;
    m_carnet.supprimer(id);
    return true;
}

bool PanneauPersonne::nonEnregistre() const
{
    const QStringList saisie = valeurs();
    try {
        const RecordId id = m_nouveau ? kAucunEnregistrement : numeroChoisi();
        if (id == kAucunEnregistrement)
            return std::any_of(saisie.begin(), saisie.end(), [](const QString& v) { return !v.isEmpty(); });
        return m_carnet.lire(id) != saisie;
    } catch (const ErreurBase&) {
        return true;
    }
}
