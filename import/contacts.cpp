#include "import/contacts.h"

#include "import/encodage.h"
#include "import/vcard.h"
#include "platform/collationfrancaise.h"
#include "store/destinataires.h"
#include "store/expediteurs.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <algorithm>

namespace {

Contact depuisDestinataire(const FicheDestinataire& f)
{
    Contact c;
    c.titre = f.titre, c.nom = f.nom, c.prenom = f.prenom, c.adresse1 = f.adresse1, c.adresse2 = f.adresse2;
    c.cp = f.cp, c.ville = f.ville, c.fonction = f.fonction, c.mail = f.mail;
    return c;
}

Contact depuisExpediteur(const FicheExpediteur& f)
{
    Contact c;
    c.titre = f.titre, c.nom = f.nom, c.prenom = f.prenom, c.adresse1 = f.adresse1, c.adresse2 = f.adresse2;
    c.cp = f.cp, c.ville = f.ville, c.fonction = f.fonction, c.tel1 = f.tel1, c.tel2 = f.tel2;
    return c;
}

std::vector<std::pair<RecordId, Contact>> lireCarnet(Carnet carnet)
{
    std::vector<std::pair<RecordId, Contact>> contacts;
    if (carnet == Carnet::Destinataires) {
        for (const auto& [id, fiche] : tousLesDestinataires())
            contacts.emplace_back(id, depuisDestinataire(fiche));
    } else {
        for (const auto& [id, fiche] : tousLesExpediteurs())
            contacts.emplace_back(id, depuisExpediteur(fiche));
    }
    return contacts;
}

// Last name, first name and postcode as one key, case and accents ignored.
QString cleIdentite(const Contact& c)
{
    // The folded letters never hold U+0000: it cannot be mistaken for a letter.
    return cleFrancaise(c.nom) + QChar(0) + cleFrancaise(c.prenom) + QChar(0) + cleFrancaise(c.cp);
}

QString tailleEnMo(qint64 octets)
{
    return QString::number((octets + 1024 * 1024 - 1) / (1024 * 1024));
}

} // namespace

void FichierContacts::appliquerCorrespondance()
{
    if (format == Format::Csv)
        contacts = contactsDuTableau(tableau, correspondance);
}

QString lireFichierContacts(const QString& chemin, FichierContacts& fichier, const Avancement& avancement)
{
    fichier = FichierContacts();
    const QString nom = QFileInfo(chemin).fileName();
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("Le fichier « %1 » ne peut pas être ouvert.\n%2").arg(nom, f.errorString());
    if (f.size() > kTailleMaximale)
        return QStringLiteral(
                   "Le fichier « %1 » est trop volumineux (%2 Mo) : un carnet d'adresses à importer ne dépasse pas %3 Mo.")
            .arg(nom, tailleEnMo(f.size()), tailleEnMo(kTailleMaximale));
    const QByteArray octets = f.read(kTailleMaximale + 1);
    if (f.error() != QFileDevice::NoError)
        return QStringLiteral("Le fichier « %1 » ne peut pas être lu.\n%2").arg(nom, f.errorString());
    const QString texte = decoderTexte(octets);
    // The reading stops when the user asks or when it takes too long.
    QElapsedTimer duree;
    duree.start();
    bool tropLong = false;
    const Avancement limite = [&](qint64 fait, qint64 total) {
        tropLong = duree.elapsed() > kDureeMaximaleMs;
        return !tropLong && (!avancement || avancement(fait, total));
    };
    const auto raisonArret = [&] {
        return tropLong
            ? QStringLiteral("La lecture du fichier « %1 » a été arrêtée : elle durait plus de %2 secondes.")
                  .arg(nom)
                  .arg(kDureeMaximaleMs / 1000)
            : kLectureAnnulee;
    };
    const QString pasUnCarnet = QStringLiteral(
                                    "Le fichier « %1 » n'est ni une carte de visite (vCard) ni un tableau CSV : "
                                    "aucun contact ne peut en être importé.")
                                    .arg(nom);
    if (texte.trimmed().isEmpty())
        return QStringLiteral("Le fichier « %1 » est vide.").arg(nom);
    if (sembleBinaire(texte))
        return pasUnCarnet;
    if (estVCard(texte)) {
        fichier.format = FichierContacts::Format::VCard;
        return lireVCards(texte, fichier.contacts, limite) ? QString() : raisonArret();
    }
    if (chemin.endsWith(QLatin1String(".vcf"), Qt::CaseInsensitive)
        || chemin.endsWith(QLatin1String(".vcard"), Qt::CaseInsensitive))
        return pasUnCarnet;
    fichier.format = FichierContacts::Format::Csv;
    const QString erreur = lireCsv(texte, fichier.tableau, limite);
    if (erreur == kLectureAnnulee)
        return raisonArret();
    if (!erreur.isEmpty())
        return QStringLiteral("Le fichier « %1 » ne peut pas être importé.\n%2").arg(nom, erreur);
    fichier.correspondance = correspondanceParDefaut(fichier.tableau.entetes);
    fichier.appliquerCorrespondance();
    return {};
}

std::vector<bool> dejaPresents(const std::vector<ContactLu>& contacts, Carnet carnet)
{
    if (contacts.empty())
        return {};
    const auto carnetLu = lireCarnet(carnet);
    QSet<QString> connus;
    connus.reserve(qsizetype(carnetLu.size()));
    for (const auto& [id, contact] : carnetLu)
        connus.insert(cleIdentite(contact));
    std::vector<bool> presents;
    presents.reserve(contacts.size());
    for (const ContactLu& lu : contacts)
        presents.push_back(connus.contains(cleIdentite(lu.contact)));
    return presents;
}

void ajouterAuCarnet(const std::vector<Contact>& contacts, Carnet carnet)
{
    if (carnet == Carnet::Destinataires) {
        std::vector<FicheDestinataire> fiches;
        fiches.reserve(contacts.size());
        for (const Contact& c : contacts)
            fiches.push_back({c.titre, c.nom, c.prenom, c.adresse1, c.adresse2, c.cp, c.ville, c.fonction, c.mail});
        ajouterDestinataires(fiches);
    } else {
        std::vector<FicheExpediteur> fiches;
        fiches.reserve(contacts.size());
        for (const Contact& c : contacts)
            fiches.push_back(
                {c.titre, c.nom, c.prenom, c.adresse1, c.adresse2, c.cp, c.ville, c.tel1, c.tel2, c.fonction});
        ajouterExpediteurs(fiches);
    }
}

QString texteBilan(const BilanContacts& bilan)
{
    const auto pluriel = [](int n, const QString& singulier, const QString& plurielTexte) {
        return QString::number(n) + QLatin1Char(' ') + (n > 1 ? plurielTexte : singulier);
    };
    QString texte = pluriel(bilan.importes, QStringLiteral("contact importé"), QStringLiteral("contacts importés"))
        + QStringLiteral(", ")
        + pluriel(bilan.doublons, QStringLiteral("doublon ignoré"), QStringLiteral("doublons ignorés"))
        + QStringLiteral(", ")
        + pluriel(int(bilan.lignesIllisibles.size()), QStringLiteral("illisible"), QStringLiteral("illisibles"));
    if (!bilan.lignesIllisibles.isEmpty()) {
        QStringList lignes;
        for (const int ligne : bilan.lignesIllisibles.mid(0, 10))
            lignes << QString::number(ligne);
        texte += (bilan.lignesIllisibles.size() > 1 ? QStringLiteral(" (lignes ") : QStringLiteral(" (ligne "))
            + lignes.join(QStringLiteral(", "))
            + (bilan.lignesIllisibles.size() > 10 ? QStringLiteral("…)") : QStringLiteral(")"));
    }
    return texte + QLatin1Char('.');
}

std::vector<Contact> contactsDuCarnet(Carnet carnet, const QList<RecordId>& ids)
{
    const QSet<RecordId> choisis(ids.begin(), ids.end());
    std::vector<Contact> contacts;
    for (auto& [id, contact] : lireCarnet(carnet)) {
        if (choisis.isEmpty() || choisis.contains(id))
            contacts.push_back(std::move(contact));
    }
    std::stable_sort(contacts.begin(), contacts.end(), [](const Contact& a, const Contact& b) {
        if (const int n = comparerFrancais(a.nom, b.nom))
            return n < 0;
        return comparerFrancais(a.prenom, b.prenom) < 0;
    });
    return contacts;
}

std::vector<Champ> champsDuCarnet(Carnet carnet)
{
    std::vector<Champ> champs{Champ::Titre,    Champ::Nom, Champ::Prenom, Champ::Adresse1,
                              Champ::Adresse2, Champ::Cp,  Champ::Ville};
    if (carnet == Carnet::Destinataires) {
        champs.insert(champs.end(), {Champ::Fonction, Champ::Mail});
    } else {
        champs.insert(champs.end(), {Champ::Tel1, Champ::Tel2, Champ::Fonction});
    }
    return champs;
}

QString exporterContacts(const std::vector<Contact>& contacts, Carnet carnet, FormatExport format,
                         const QString& chemin)
{
    const QByteArray octets = format == FormatExport::VCard ? ecrireVCards(contacts)
                                                            : ecrireCsv(contacts, champsDuCarnet(carnet));
    QSaveFile f(chemin);
    if (!f.open(QIODevice::WriteOnly) || f.write(octets) != octets.size() || !f.commit())
        return QStringLiteral("Le fichier « %1 » ne peut pas être écrit.\n%2").arg(chemin, f.errorString());
    return {};
}
