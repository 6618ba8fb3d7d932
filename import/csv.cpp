#include "import/csv.h"

#include <QHash>

namespace {

constexpr qsizetype kChampMaximal = 65536;
constexpr qsizetype kColonnesMaximales = 1000;

bool finDeLigne(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

// Reads one record from `i`, leaving `i` after its line end, and counts the
// lines it passes in `ligne`.
struct Lecteur {
    const QString& texte;
    QChar separateur;
    qsizetype i = 0;
    int ligne = 1;

    void passerFinDeLigne()
    {
        if (i < texte.size() && texte.at(i) == QLatin1Char('\r'))
            ++i;
        if (i < texte.size() && texte.at(i) == QLatin1Char('\n'))
            ++i;
        ++ligne;
    }

    // The record's fields, or the reason it cannot be read.
    QString lire(QStringList& champs)
    {
        QString champ;
        for (;;) {
            if (i < texte.size() && texte.at(i) == QLatin1Char('"')) {
                ++i;
                for (;;) {
                    // The closing quote is looked for no further than the
                    // size limit.
                    const qsizetype portee = qMin(texte.size() - i, kChampMaximal + 1 - champ.size());
                    const qsizetype trouve = QStringView(texte).mid(i, portee).indexOf(QLatin1Char('"'));
                    const qsizetype guillemet = trouve < 0 ? -1 : i + trouve;
                    const qsizetype fin = guillemet < 0 ? i + portee : guillemet;
                    if (champ.size() + (fin - i) > kChampMaximal)
                        return QStringLiteral("champ trop long");
                    const QStringView morceau = QStringView(texte).mid(i, fin - i);
                    ligne += int(morceau.count(QLatin1Char('\n')));
                    champ += morceau;
                    if (guillemet < 0)
                        return QStringLiteral("guillemet non fermé");
                    // A Windows line break inside a value is kept as a plain one.
                    champ.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
                    i = guillemet + 1;
                    if (i < texte.size() && texte.at(i) == QLatin1Char('"')) {
                        champ += QLatin1Char('"');
                        ++i;
                        continue;
                    }
                    break;
                }
            }
            // Unquoted text, or what follows a closing quote, up to the
            // separator or the line end.
            const qsizetype debut = i;
            while (i < texte.size() && texte.at(i) != separateur && !finDeLigne(texte.at(i)))
                ++i;
            if (champ.size() + (i - debut) > kChampMaximal)
                return QStringLiteral("champ trop long");
            champ += QStringView(texte).mid(debut, i - debut);
            champs << champ;
            champ.clear();
            if (champs.size() > kColonnesMaximales)
                return QStringLiteral("plus de %1 colonnes").arg(kColonnesMaximales);
            if (i < texte.size() && texte.at(i) == separateur) {
                ++i;
                continue;
            }
            passerFinDeLigne();
            return {};
        }
    }

    // After an unreadable record: on to the line after the one it started on.
    void reprendreApres(qsizetype debut, int ligneDebut)
    {
        i = debut;
        while (i < texte.size() && !finDeLigne(texte.at(i)))
            ++i;
        ligne = ligneDebut;
        passerFinDeLigne();
    }
};

} // namespace

QChar detecterSeparateur(const QString& texte)
{
    int virgules = 0, pointsVirgules = 0, tabulations = 0;
    bool entreGuillemets = false;
    const qsizetype limite = qMin<qsizetype>(texte.size(), 65536);
    for (qsizetype i = 0; i < limite; ++i) {
        const QChar c = texte.at(i);
        if (c == QLatin1Char('"'))
            entreGuillemets = !entreGuillemets;
        else if (entreGuillemets)
            continue;
        else if (finDeLigne(c) && virgules + pointsVirgules + tabulations > 0)
            break;
        else if (c == QLatin1Char(','))
            ++virgules;
        else if (c == QLatin1Char(';'))
            ++pointsVirgules;
        else if (c == QLatin1Char('\t'))
            ++tabulations;
    }
    if (pointsVirgules >= virgules && pointsVirgules >= tabulations && pointsVirgules > 0)
        return QLatin1Char(';');
    if (tabulations > virgules)
        return QLatin1Char('\t');
    return QLatin1Char(',');
}

QString lireCsv(const QString& texte, TableauCsv& tableau, const Avancement& avancement)
{
    tableau = TableauCsv();
    tableau.separateur = detecterSeparateur(texte);
    Lecteur lecteur{texte, tableau.separateur};
    bool enTete = true;
    qint64 lus = 0;
    while (lecteur.i < texte.size()) {
        if (avancement && ++lus % 4096 == 0 && !avancement(lecteur.i, texte.size()))
            return kLectureAnnulee;
        const qsizetype debut = lecteur.i;
        const int ligneDebut = lecteur.ligne;
        QStringList champs;
        const QString erreur = lecteur.lire(champs);
        if (enTete) {
            if (!erreur.isEmpty())
                return QStringLiteral("La ligne d'en-tête ne peut pas être lue (%1).").arg(erreur);
            if (champs.size() == 1 && champs.first().trimmed().isEmpty())
                continue;
            tableau.entetes = champs;
            enTete = false;
            continue;
        }
        if (!erreur.isEmpty()) {
            tableau.lignes.push_back({{}, ligneDebut, erreur});
            lecteur.reprendreApres(debut, ligneDebut);
            continue;
        }
        if (champs.size() == 1 && champs.first().trimmed().isEmpty())
            continue;
        tableau.lignes.push_back({champs, ligneDebut, {}});
    }
    if (tableau.entetes.isEmpty())
        return QStringLiteral("Le fichier est vide.");
    for (const QString& entete : std::as_const(tableau.entetes)) {
        if (champDeColonne(entete) != Champ::Aucun)
            return {};
    }
    return QStringLiteral(
        "Aucune colonne de la première ligne n'est reconnue (Nom, Prénom, Adresse, Code postal, Ville, "
        "E-mail…) : ce fichier n'est pas un carnet d'adresses.");
}

Champ champDeColonne(const QString& entete)
{
    static const QHash<QString, Champ> kNoms = [] {
        QHash<QString, Champ> noms;
        const auto ajouter = [&noms](Champ champ, std::initializer_list<const char*> cles) {
            for (const char* cle : cles)
                noms.insert(cleSimplifiee(QString::fromUtf8(cle)), champ);
        };
        ajouter(Champ::Titre,
                {"Civilité", "Titre", "Title", "Prefix", "Name Prefix", "Titre de civilité", "Salutation"});
        ajouter(Champ::Nom, {"Nom", "Nom de famille", "Last Name", "Family Name", "Surname", "Lastname"});
        ajouter(Champ::Prenom, {"Prénom", "First Name", "Given Name", "Firstname"});
        ajouter(Champ::Adresse1,
                {"Adresse", "Adresse 1", "Rue", "Address", "Address 1", "Street", "Home Address", "Home Street",
                 "Rue (domicile)", "Adresse (domicile)", "Address 1 - Street", "Adresse postale", "Street Address",
                 "Adresse privée"});
        ajouter(Champ::Adresse2,
                {"Adresse 2", "Complément d'adresse", "Complément", "Address 2", "Home Address 2", "Home Street 2",
                 "Rue (domicile) 2", "Address 1 - Extended Address", "Address Line 2", "Adresse privée 2"});
        ajouter(Champ::Cp,
                {"Code postal", "CP", "Zip", "Zip Code", "Postal Code", "Postcode", "Home Postal Code", "Home ZipCode",
                 "Home Zip Code", "Code postal (domicile)", "Address 1 - Postal Code"});
        ajouter(Champ::Ville,
                {"Ville", "City", "Home City", "Localité", "Commune", "Town", "Ville (domicile)", "Address 1 - City"});
        ajouter(Champ::Fonction, {"Fonction", "Job Title", "Poste", "Role", "Rôle", "Profession", "Titre du poste"});
        ajouter(Champ::Mail,
                {"E-mail", "Email", "Mail", "Courriel", "E-mail Address", "Email Address", "Primary Email",
                 "Adresse e-mail", "Adresse électronique", "Adresse de messagerie", "E-mail 1 - Value", "Adresse mail",
                 "Adresse électronique principale"});
        ajouter(Champ::Tel1,
                {"Téléphone", "Téléphone 1", "Tél", "Tel", "Phone", "Telephone", "Home Phone", "Phone 1 - Value",
                 "Téléphone (domicile)", "Téléphone fixe", "Tél. personnel"});
        ajouter(Champ::Tel2,
                {"Téléphone 2", "Tél 2", "Mobile", "Mobile Phone", "Portable", "Téléphone mobile", "Work Phone",
                 "Phone 2 - Value", "Téléphone (bureau)", "Cellulaire", "Mobile Number"});
        return noms;
    }();
    return kNoms.value(cleSimplifiee(entete), Champ::Aucun);
}

std::vector<Champ> correspondanceParDefaut(const QStringList& entetes)
{
    std::vector<Champ> correspondance;
    QList<Champ> pris;
    for (const QString& entete : entetes) {
        Champ champ = champDeColonne(entete);
        if (pris.contains(champ))
            champ = Champ::Aucun;
        pris << champ;
        correspondance.push_back(champ);
    }
    return correspondance;
}

std::vector<ContactLu> contactsDuTableau(const TableauCsv& tableau, const std::vector<Champ>& correspondance)
{
    std::vector<ContactLu> contacts;
    contacts.reserve(tableau.lignes.size());
    for (const TableauCsv::Ligne& ligne : tableau.lignes) {
        ContactLu lu{{}, ligne.ligne, ligne.erreur};
        for (qsizetype colonne = 0; colonne < ligne.champs.size() && colonne < qsizetype(correspondance.size());
             ++colonne) {
            const Champ champ = correspondance[std::size_t(colonne)];
            if (champ != Champ::Aucun)
                valeurChamp(lu.contact, champ) = ligne.champs.at(colonne);
        }
        lu.contact.titre = titreReconnu(lu.contact.titre);
        if (lu.erreur.isEmpty() && !aUnNom(lu.contact))
            lu.erreur = QStringLiteral("contact sans nom");
        contacts.push_back(std::move(lu));
    }
    return contacts;
}

namespace {

QString champCsv(const QString& valeur)
{
    if (!valeur.contains(QLatin1Char(';')) && !valeur.contains(QLatin1Char('"')) && !valeur.contains(QLatin1Char('\n'))
        && !valeur.contains(QLatin1Char('\r')))
        return valeur;
    QString echappe = valeur;
    echappe.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + echappe + QLatin1Char('"');
}

} // namespace

QByteArray ecrireCsv(const std::vector<Contact>& contacts, const std::vector<Champ>& champs)
{
    QString texte;
    QStringList ligne;
    for (const Champ champ : champs)
        ligne << libelleChamp(champ);
    texte += ligne.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    for (const Contact& c : contacts) {
        ligne.clear();
        for (const Champ champ : champs)
            ligne << champCsv(valeurChamp(c, champ));
        texte += ligne.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + texte.toUtf8();
}
