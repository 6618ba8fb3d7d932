#include "output/enveloppe.h"

#include "output/ajustementenveloppe.h"
#include "output/messages.h"
#include "output/reglageenveloppe.h"
#include "platform/dialogues.h"
#include "platform/emplacements.h"
#include "platform/erreurbase.h"
#include "platform/imprimante.h"
#include "store/personnes.h"

#include <QFont>
#include <QFontMetricsF>

namespace {

const QString kPolice = QStringLiteral("Liberation Serif"); // stands in for Times New Roman
constexpr double kCentimetresParPouce = 2.54;

// Formats 0, 1 and 5: four lines at the same x, the last one postcode and
// town.
DispositionEnveloppe quatreLignes(float x, float yNom, const QString& nom, const QString& adresse1,
                                  const QString& adresse2, const QString& codePostal, const QString& ville)
{
    return {{{x, yNom, nom},
             {x, yNom + 1.0f, adresse1},
             {x, yNom + 2.0f, adresse2},
             {x, yNom + 3.0f, (codePostal + QLatin1Char(' ') + ville).toUpper()}}};
}

struct Cases {
    float xLignes;
    float yLignes[3];
    float xCases[5];
    float yCases[5];
    float xVille;
    float yVille;
};

// Where formats 2, 3 and 4 put their texts (centimetres).
const Cases kCases2{3.3f, {4.1f, 5.3f, 6.6f}, {2.9f, 3.7f, 4.4f, 5.1f, 5.7f}, {8.3f, 8.2f, 8.2f, 8.2f, 8.2f}, 6.6f,
                    8.2f};
const Cases kCases3{9.0f, {4.2f, 5.5f, 6.8f}, {8.8f, 9.4f, 10.1f, 10.8f, 11.5f}, {7.7f, 7.7f, 7.7f, 7.7f, 7.7f}, 12.8f,
                    7.7f};
const Cases kCases4{
    9.0f, {14.2f, 15.5f, 16.8f}, {8.8f, 9.4f, 10.1f, 10.8f, 11.5f}, {17.7f, 17.7f, 17.7f, 17.7f, 17.7f}, 12.8f, 17.7f};

const Cases* casesDuFormat(int format)
{
    switch (format) {
    case 2: return &kCases2;
    case 3: return &kCases3;
    case 4: return &kCases4;
    default: return nullptr;
    }
}

// Formats 2, 3 and 4: three lines, then the postcode one character per
// pre-printed box, then the town on the line of the boxes.
DispositionEnveloppe avecCases(const Cases& c, const QString& nom, const QString& adresse1, const QString& adresse2,
                               const QString& codePostal, const QString& ville)
{
    DispositionEnveloppe d{
        {{c.xLignes, c.yLignes[0], nom}, {c.xLignes, c.yLignes[1], adresse1}, {c.xLignes, c.yLignes[2], adresse2}}};
    for (int k = 0; k < 5 && k < codePostal.size(); ++k)
        d.textes.push_back({c.xCases[k], c.yCases[k], codePostal.mid(k, 1)});
    d.textes.push_back({c.xVille, c.yVille, ville.toUpper()});
    return d;
}

QFont policeEnveloppe(double taille)
{
    QFont police(kPolice);
    police.setPointSizeF(taille);
    return police;
}

// Prints one envelope as a job of its own; false with the reason when the
// job failed.
bool imprimerSeule(const DispositionEnveloppe& disposition, const PapierEnveloppe& papier, QString& raison)
{
    TravailImpression travail(QStringLiteral("Enveloppe"));
    if (!travail.pret()) {
        raison = travail.raison();
        return false;
    }
    QPrinter& imprimante = travail.imprimante();
    const ReglageEnveloppe reglage = lireReglageEnveloppe(nomImprimanteReglage(imprimante));
    preparerPapier(imprimante, papier, reglage);
    if (!travail.commencer()) {
        raison = travail.raison();
        return false;
    }
    dessinerEnveloppe(travail.peintre(), imprimante, disposition, papier, reglage);
    if (!travail.terminer()) {
        raison = travail.raison();
        return false;
    }
    return true;
}

bool imprimerUne(const DispositionEnveloppe& disposition, const PapierEnveloppe& papier)
{
    QString raison;
    if (imprimerSeule(disposition, papier, raison))
        return true;
    afficherArret(raison);
    return false;
}

} // namespace

bool disposerToutes(int format, const std::vector<AdresseEnveloppe>& adresses,
                    std::vector<DispositionEnveloppe>& dispositions, QString& message)
{
    ImprimanteObtenue obtenue = imprimantes().nouvelleImprimante();
    if (!obtenue) {
        message = obtenue.raison();
        return false;
    }
    std::unique_ptr<QPrinter> imprimante = std::move(obtenue).valeur();
    const double pointsParCm = imprimante->resolution() / kCentimetresParPouce;
    const MesureLargeur largeur = [&imprimante, pointsParCm](const QString& texte, double taille) {
        return QFontMetricsF(policeEnveloppe(taille), imprimante.get()).horizontalAdvance(texte) / pointsParCm;
    };
    const double interligne = QFontMetricsF(policeEnveloppe(kTailleEnveloppeMinimale), imprimante.get()).lineSpacing()
        / pointsParCm;
    bool toutes = true;
    for (const AdresseEnveloppe& a : adresses) {
        const auto disposition = disposerEnveloppe(format, a.nom, a.adresse1, a.adresse2, a.codePostal, a.ville);
        if (!disposition)
            continue;
        EnveloppeAjustee ajustee = ajusterEnveloppe(*disposition, papierEnveloppe(format)->cadreCm.width(), interligne,
                                                    largeur);
        if (!ajustee.ligneTropLongue.isEmpty()) {
            message = QStringLiteral("L'adresse de %1 ne tient pas sur l'enveloppe, même en 10 points : "
                                     "la ligne « %2 » est trop longue.\nAucune enveloppe n'a été imprimée.")
                          .arg(a.qui, ajustee.ligneTropLongue);
            toutes = false;
            break;
        }
        dispositions.push_back(std::move(ajustee.disposition));
    }
    imprimantes().rendre(std::move(imprimante));
    return toutes;
}

std::vector<AdresseEnveloppe> adressesAImprimer(const SaisieEnveloppe& saisie)
{
    if (!saisie.individuel)
        return adressesDesDestinataires(saisie.ids);
    const FicheDestinataire& d = saisie.destinataire;
    const QString nom = nomComplet(d.titre, d.nom, d.prenom);
    const QString qui = nom.trimmed().isEmpty() ? QStringLiteral("ce destinataire") : nom.trimmed();
    return {{qui, nom, d.adresse1, d.adresse2, d.cp, d.ville}};
}

std::vector<AdresseEnveloppe> adressesDesDestinataires(const QList<RecordId>& ids)
{
    std::vector<AdresseEnveloppe> adresses;
    for (const RecordId id : ids) {
        const std::optional<FicheDestinataire> d = trouverDestinataire(id);
        if (!d)
            throw ErreurBase(QStringLiteral("Le destinataire n° %1 n'existe plus dans la base.").arg(id));
        const QString nom = nomComplet(d->titre, d->nom, d->prenom);
        adresses.push_back({QStringLiteral("destinataire n° %1 (%2)").arg(QString::number(id), nom.trimmed()), nom,
                            d->adresse1, d->adresse2, d->cp, d->ville});
    }
    return adresses;
}

void preparerPapier(QPrinter& imprimante, const PapierEnveloppe& papier, const ReglageEnveloppe& reglage)
{
    imprimante.setFullPage(true);
    imprimante.setPageLayout(miseEnPageEnveloppe(papier, reglage));
}

void dessinerEnveloppe(QPainter& peintre, const QPrinter& imprimante, const DispositionEnveloppe& disposition,
                       const PapierEnveloppe& papier, const ReglageEnveloppe& reglage)
{
    const double pointsParCm = imprimante.resolution() / kCentimetresParPouce;
    const QTransform echelle = QTransform::fromScale(pointsParCm, pointsParCm);
    peintre.save();
    peintre.setTransform(echelle.inverted() * versPapier(papier, reglage) * echelle);
    for (const TexteEnveloppe& t : disposition.textes) {
        const QFont police = policeEnveloppe(t.taille);
        peintre.setFont(police);
        const double ascendante = QFontMetricsF(police, &imprimante).ascent();
        peintre.drawText(QPointF(t.x * pointsParCm, t.y * pointsParCm + ascendante), t.texte);
    }
    peintre.restore();
}

std::optional<DispositionEnveloppe> disposerEnveloppe(int format, const QString& nom, const QString& adresse1,
                                                      const QString& adresse2, const QString& codePostal,
                                                      const QString& ville)
{
    switch (format) {
    case 0: return quatreLignes(6.0f, 6.0f, nom, adresse1, adresse2, codePostal, ville);
    case 1: return quatreLignes(11.0f, 6.0f, nom, adresse1, adresse2, codePostal, ville);
    case 5: return quatreLignes(11.0f, 15.0f, nom, adresse1, adresse2, codePostal, ville);
    case 2: return avecCases(kCases2, nom, adresse1, adresse2, codePostal, ville);
    case 3: return avecCases(kCases3, nom, adresse1, adresse2, codePostal, ville);
    case 4: return avecCases(kCases4, nom, adresse1, adresse2, codePostal, ville);
    default: return std::nullopt;
    }
}

QString messageFormatAbsent()
{
    return QStringLiteral("Attention ! Le format d'enveloppe n'a pas été défini. Veuillez le saisir dans les options.");
}

std::vector<QRectF> casesCodePostal(int format)
{
    std::vector<QRectF> cases;
    if (const Cases* c = casesDuFormat(format)) {
        // A 14-point digit is about 0.25 cm wide and 0.35 cm high: each box
        // frames its digit with room around it, boxes 0.6 cm apart or more.
        for (int k = 0; k < 5; ++k)
            cases.emplace_back(c->xCases[k] - 0.15, c->yCases[k] - 0.1, 0.55, 0.7);
    }
    return cases;
}

std::optional<int> formatEnveloppeEnregistre()
{
    bool nombre = false;
    const int format =
        mdGeneral::LireIni(QStringLiteral("Enveloppe"), QStringLiteral("Format"), QString()).trimmed().toInt(&nombre);
    if (!nombre || format < 0 || format > 5)
        return std::nullopt;
    return format;
}

void ImprimerEnveloppe(const SaisieEnveloppe& saisie)
{
    const std::optional<int> format = formatEnveloppeEnregistre();
    if (!format) {
        afficherErreur(messageFormatAbsent());
        return;
    }
    const int nombre = int(saisie.ids.size());
    if (!saisie.individuel && nombre == 0) {
        afficherErreur(messageAucunDestinataire());
        return;
    }
    const QString question = saisie.individuel
        ? QStringLiteral("Êtes-vous sûr de vouloir imprimer l'enveloppe ?")
        : QStringLiteral("Êtes-vous sûr de vouloir imprimer les %1 enveloppes ?").arg(nombre);
    if (!imprimanteDisponibleEtConfirmee(question))
        return;

    std::vector<DispositionEnveloppe> dispositions;
    try {
        QString message;
        if (!disposerToutes(*format, adressesAImprimer(saisie), dispositions, message)) {
            afficherErreur(message);
            return;
        }
    } catch (const ErreurBase& e) {
        afficherErreur(QStringLiteral("Les enveloppes n'ont pas été imprimées : %1").arg(e.raison()));
        return;
    }
    const PapierEnveloppe papier = *papierEnveloppe(*format);
    JournalSortie journal(canal::enveloppe, saisie.envoi);
    if (saisie.individuel) {
        for (const DispositionEnveloppe& d : dispositions) {
            if (imprimerUne(d, papier))
                journal.noter(QString());
        }
        return;
    }
    const int total = int(dispositions.size());
    dialogues().debutProgression(QStringLiteral("Impression des enveloppes"), total);
    for (int faites = 0; faites < total; ++faites) {
        if (!dialogues().progression(faites,
                                     QStringLiteral("Impression de l'enveloppe %1 sur %2").arg(faites + 1).arg(total)))
            break;
        if (imprimerUne(dispositions[std::size_t(faites)], papier))
            journal.noter(QString(), saisie.ids.at(faites));
    }
    dialogues().finProgression();
}
