#include "import/vcard.h"

#include "import/encodage.h"

#include <QStringList>

namespace {

// A value longer than this, in a field the address book keeps, marks its
// card unreadable (the book's fields are short; this is not a contact).
constexpr qsizetype kValeurMaximale = 65536;

// One property of a card once its folded lines are joined.
struct Propriete {
    QString nom;       // upper case, without its group ("item1.")
    QStringList types; // lower case: "home", "work", "pref"...
    bool pref = false;
    QString valeur; // decoded (quoted-printable, character set)
};

// One unfolded line and the physical line where it starts.
struct LigneLogique {
    QString texte;
    int ligne;
};

bool estQuotedPrintable(const QString& ligne)
{
    const qsizetype deuxPoints = ligne.indexOf(QLatin1Char(':'));
    return deuxPoints > 0 && ligne.left(deuxPoints).contains(QLatin1String("QUOTED-PRINTABLE"), Qt::CaseInsensitive);
}

// Splits the text into lines and joins the folded ones: a line starting
// with a blank continues the previous one, and so does every line after a
// quoted-printable line ending with "=" (the 2.1 soft line break).
std::vector<LigneLogique> deplier(const QString& texte)
{
    std::vector<LigneLogique> lignes;
    qsizetype debut = 0;
    int numero = 0;
    bool suiteQp = false;
    while (debut < texte.size()) {
        qsizetype fin = debut;
        while (fin < texte.size() && texte.at(fin) != QLatin1Char('\n') && texte.at(fin) != QLatin1Char('\r'))
            ++fin;
        const QStringView ligne = QStringView(texte).mid(debut, fin - debut);
        ++numero;
        if (suiteQp && !lignes.empty()) {
            lignes.back().texte.chop(1);
            lignes.back().texte += ligne;
        } else if (!ligne.isEmpty() && (ligne.front() == QLatin1Char(' ') || ligne.front() == QLatin1Char('\t'))
                   && !lignes.empty()) {
            lignes.back().texte += ligne.mid(1);
        } else if (!ligne.trimmed().isEmpty()) {
            lignes.push_back({ligne.toString(), numero});
        }
        suiteQp = !lignes.empty() && lignes.back().texte.endsWith(QLatin1Char('='))
            && estQuotedPrintable(lignes.back().texte);
        if (fin < texte.size() && texte.at(fin) == QLatin1Char('\r') && fin + 1 < texte.size()
            && texte.at(fin + 1) == QLatin1Char('\n'))
            ++fin;
        debut = fin + 1;
    }
    return lignes;
}

QByteArray decoderQuotedPrintable(const QString& valeur)
{
    const QByteArray source = valeur.toLatin1();
    QByteArray octets;
    octets.reserve(source.size());
    for (qsizetype i = 0; i < source.size(); ++i) {
        bool ok = false;
        if (source.at(i) == '=' && i + 2 < source.size()) {
            const int code = source.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                octets.append(char(code));
                i += 2;
                continue;
            }
        }
        octets.append(source.at(i));
    }
    return octets;
}

// The parameter list, split on ";" outside double quotes.
QStringList decouperHorsGuillemets(QStringView texte, QChar separateur)
{
    QStringList parties;
    QString courante;
    bool entreGuillemets = false;
    for (const QChar c : texte) {
        if (c == QLatin1Char('"'))
            entreGuillemets = !entreGuillemets;
        else if (c == separateur && !entreGuillemets) {
            parties << courante;
            courante.clear();
        } else
            courante += c;
    }
    parties << courante;
    return parties;
}

Propriete lirePropriete(const QString& ligne)
{
    Propriete p;
    qsizetype deuxPoints = -1;
    bool entreGuillemets = false;
    for (qsizetype i = 0; i < ligne.size(); ++i) {
        if (ligne.at(i) == QLatin1Char('"'))
            entreGuillemets = !entreGuillemets;
        else if (ligne.at(i) == QLatin1Char(':') && !entreGuillemets) {
            deuxPoints = i;
            break;
        }
    }
    if (deuxPoints < 0)
        return p;
    QStringList parametres = decouperHorsGuillemets(QStringView(ligne).left(deuxPoints), QLatin1Char(';'));
    QString nom = parametres.takeFirst().trimmed().toUpper();
    p.nom = nom.mid(nom.lastIndexOf(QLatin1Char('.')) + 1);
    QString encodage;
    QString jeu;
    for (const QString& parametre : std::as_const(parametres)) {
        const qsizetype egal = parametre.indexOf(QLatin1Char('='));
        const QString cle = egal < 0 ? QStringLiteral("TYPE") : parametre.left(egal).trimmed().toUpper();
        const QString valeur = egal < 0 ? parametre.trimmed() : parametre.mid(egal + 1).trimmed();
        if (cle == QLatin1String("ENCODING")
            || (egal < 0 && valeur.compare(QLatin1String("QUOTED-PRINTABLE"), Qt::CaseInsensitive) == 0))
            encodage = valeur.toUpper();
        else if (cle == QLatin1String("CHARSET"))
            jeu = valeur;
        else if (cle == QLatin1String("PREF"))
            p.pref = true;
        else if (cle == QLatin1String("TYPE")) {
            for (const QString& type : valeur.split(QLatin1Char(','), Qt::SkipEmptyParts))
                p.types << type.trimmed().toLower();
        }
    }
    if (p.types.contains(QLatin1String("pref")))
        p.pref = true;
    p.valeur = ligne.mid(deuxPoints + 1);
    if (encodage == QLatin1String("QUOTED-PRINTABLE") || encodage == QLatin1String("Q"))
        p.valeur = decoderJeu(decoderQuotedPrintable(p.valeur), jeu.isEmpty() ? QStringLiteral("UTF-8") : jeu);
    return p;
}

// The value with its escapes undone: "\n" is a line break, "\," "\;" "\\"
// the character itself.
QString sansEchappement(QStringView valeur)
{
    QString texte;
    texte.reserve(valeur.size());
    for (qsizetype i = 0; i < valeur.size(); ++i) {
        const QChar c = valeur.at(i);
        if (c == QLatin1Char('\\') && i + 1 < valeur.size()) {
            const QChar suivant = valeur.at(++i);
            texte += (suivant == QLatin1Char('n') || suivant == QLatin1Char('N')) ? QChar(QLatin1Char('\n')) : suivant;
        } else {
            texte += c;
        }
    }
    return texte;
}

// The components of a structured value (N, ADR), each a list of values
// split on the unescaped ";" and "," and unescaped.
std::vector<QStringList> composantes(const QString& valeur)
{
    std::vector<QStringList> resultat(1);
    qsizetype debut = 0;
    const auto finirValeur = [&](qsizetype fin) {
        resultat.back() << sansEchappement(QStringView(valeur).mid(debut, fin - debut));
        debut = fin + 1;
    };
    for (qsizetype i = 0; i < valeur.size(); ++i) {
        const QChar c = valeur.at(i);
        if (c == QLatin1Char('\\')) {
            ++i;
        } else if (c == QLatin1Char(',')) {
            finirValeur(i);
        } else if (c == QLatin1Char(';')) {
            finirValeur(i);
            resultat.emplace_back();
        }
    }
    finirValeur(valeur.size());
    return resultat;
}

QString composante(const std::vector<QStringList>& parties, std::size_t i, const QString& jointure)
{
    if (i >= parties.size())
        return {};
    QStringList valeurs = parties[i];
    valeurs.removeAll(QString());
    return valeurs.join(jointure);
}

// What one card gathers before it becomes a contact.
struct Carte {
    int ligne = 0;
    QString nomFormate;
    bool aN = false;
    Contact contact;
    std::vector<Propriete> adresses, mails, telephones;
    QString role;
    QString erreur;
};

// The card's preferred value of a kind: the one marked "pref", else the first.
const Propriete* preferee(const std::vector<Propriete>& proprietes)
{
    for (const Propriete& p : proprietes) {
        if (p.pref)
            return &p;
    }
    return proprietes.empty() ? nullptr : &proprietes.front();
}

ContactLu terminer(Carte& carte)
{
    Contact& c = carte.contact;
    // The home postal address, else the first one.
    const Propriete* adresse = carte.adresses.empty() ? nullptr : &carte.adresses.front();
    for (const Propriete& p : carte.adresses) {
        if (p.types.contains(QLatin1String("home"))) {
            adresse = &p;
            break;
        }
    }
    if (adresse) {
        const auto parties = composantes(adresse->valeur);
        const QString complement = composante(parties, 1, QStringLiteral("\n"));
        QString rue = composante(parties, 2, QStringLiteral("\n"));
        if (rue.isEmpty())
            rue = composante(parties, 0, QStringLiteral(" "));
        if (!complement.isEmpty()) {
            c.adresse1 = rue;
            c.adresse2 = complement;
        } else {
            const qsizetype saut = rue.indexOf(QLatin1Char('\n'));
            c.adresse1 = saut < 0 ? rue : rue.left(saut);
            c.adresse2 = saut < 0 ? QString() : rue.mid(saut + 1);
        }
        c.ville = composante(parties, 3, QStringLiteral(" "));
        c.cp = composante(parties, 5, QStringLiteral(" "));
    }
    if (const Propriete* mail = preferee(carte.mails))
        c.mail = sansEchappement(mail->valeur);
    if (const Propriete* tel = preferee(carte.telephones)) {
        c.tel1 = sansEchappement(tel->valeur);
        for (const Propriete& autre : carte.telephones) {
            if (&autre != tel) {
                c.tel2 = sansEchappement(autre.valeur);
                break;
            }
        }
    }
    if (c.fonction.isEmpty())
        c.fonction = carte.role;
    if (!aUnNom(c) && !carte.nomFormate.trimmed().isEmpty())
        separerNomComplet(carte.nomFormate, c);
    ContactLu lu{c, carte.ligne, carte.erreur};
    if (lu.erreur.isEmpty() && !aUnNom(c))
        lu.erreur = QStringLiteral("contact sans nom");
    return lu;
}

void ajouterPropriete(Carte& carte, Propriete p)
{
    if (p.valeur.size() > kValeurMaximale) {
        if (p.nom != QLatin1String("PHOTO") && p.nom != QLatin1String("LOGO") && p.nom != QLatin1String("SOUND")
            && p.nom != QLatin1String("KEY") && p.nom != QLatin1String("NOTE"))
            carte.erreur = QStringLiteral("valeur trop longue (%1)").arg(p.nom);
        return;
    }
    Contact& c = carte.contact;
    if (p.nom == QLatin1String("N")) {
        const auto parties = composantes(p.valeur);
        c.nom = composante(parties, 0, QStringLiteral(" "));
        c.prenom = composante(parties, 1, QStringLiteral(" "));
        c.titre = titreReconnu(composante(parties, 3, QStringLiteral(" ")));
    } else if (p.nom == QLatin1String("FN")) {
        carte.nomFormate = sansEchappement(p.valeur);
    } else if (p.nom == QLatin1String("ADR")) {
        carte.adresses.push_back(std::move(p));
    } else if (p.nom == QLatin1String("TITLE")) {
        c.fonction = sansEchappement(p.valeur);
    } else if (p.nom == QLatin1String("ROLE")) {
        carte.role = sansEchappement(p.valeur);
    } else if (p.nom == QLatin1String("EMAIL")) {
        carte.mails.push_back(std::move(p));
    } else if (p.nom == QLatin1String("TEL")) {
        if (p.valeur.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
            p.valeur = p.valeur.mid(4);
        carte.telephones.push_back(std::move(p));
    }
}

// Text escaped for a vCard value; in a structured value ";" and "," too.
QString echappe(const QString& texte)
{
    QString resultat;
    resultat.reserve(texte.size());
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte.at(i);
        if (c == QLatin1Char('\\') || c == QLatin1Char(',') || c == QLatin1Char(';'))
            resultat += QLatin1Char('\\') + QString(c);
        else if (c == QLatin1Char('\r') && i + 1 < texte.size() && texte.at(i + 1) == QLatin1Char('\n'))
            continue;
        else if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            resultat += QStringLiteral("\\n");
        else
            resultat += c;
    }
    return resultat;
}

// One content line, folded so that no line goes beyond 75 bytes, never
// inside a character.
void ecrireLigne(QByteArray& sortie, const QString& ligne)
{
    const QByteArray octets = ligne.toUtf8();
    qsizetype debut = 0;
    qsizetype limite = 75;
    while (octets.size() - debut > limite) {
        qsizetype coupe = debut + limite;
        while ((static_cast<unsigned char>(octets.at(coupe)) & 0xC0) == 0x80)
            --coupe;
        sortie += octets.mid(debut, coupe - debut);
        sortie += "\r\n ";
        debut = coupe;
        limite = 74;
    }
    sortie += octets.mid(debut);
    sortie += "\r\n";
}

} // namespace

bool estVCard(const QString& texte)
{
    const QString debut = texte.left(4096).trimmed();
    return debut.startsWith(QLatin1String("BEGIN:VCARD"), Qt::CaseInsensitive);
}

bool lireVCards(const QString& texte, std::vector<ContactLu>& contacts, const Avancement& avancement)
{
    const std::vector<LigneLogique> lignes = deplier(texte);
    Carte carte;
    bool ouverte = false;
    for (std::size_t i = 0; i < lignes.size(); ++i) {
        if (avancement && i % 4096 == 0 && !avancement(qint64(i), qint64(lignes.size())))
            return false;
        const QString& ligne = lignes[i].texte;
        if (ligne.startsWith(QLatin1String("BEGIN:VCARD"), Qt::CaseInsensitive)) {
            if (ouverte) {
                carte.erreur = QStringLiteral("carte non terminée");
                contacts.push_back(terminer(carte));
            }
            carte = Carte();
            carte.ligne = lignes[i].ligne;
            ouverte = true;
        } else if (ligne.startsWith(QLatin1String("END:VCARD"), Qt::CaseInsensitive)) {
            if (ouverte)
                contacts.push_back(terminer(carte));
            ouverte = false;
        } else if (ouverte) {
            ajouterPropriete(carte, lirePropriete(ligne));
        }
    }
    if (ouverte) {
        carte.erreur = QStringLiteral("carte non terminée");
        contacts.push_back(terminer(carte));
    }
    return true;
}

QByteArray ecrireVCards(const std::vector<Contact>& contacts)
{
    QByteArray sortie;
    for (const Contact& c : contacts) {
        ecrireLigne(sortie, QStringLiteral("BEGIN:VCARD"));
        ecrireLigne(sortie, QStringLiteral("VERSION:4.0"));
        ecrireLigne(sortie,
                    QStringLiteral("FN:") + echappe(QStringList({c.prenom, c.nom}).join(QLatin1Char(' ')).trimmed()));
        ecrireLigne(sortie, QStringLiteral("N:%1;%2;;%3;").arg(echappe(c.nom), echappe(c.prenom), echappe(c.titre)));
        if (!(c.adresse1 + c.adresse2 + c.cp + c.ville).isEmpty())
            ecrireLigne(sortie,
                        QStringLiteral("ADR;TYPE=home:;%1;%2;%3;;%4;")
                            .arg(echappe(c.adresse2), echappe(c.adresse1), echappe(c.ville), echappe(c.cp)));
        if (!c.fonction.isEmpty())
            ecrireLigne(sortie, QStringLiteral("TITLE:") + echappe(c.fonction));
        if (!c.mail.isEmpty())
            ecrireLigne(sortie, QStringLiteral("EMAIL:") + echappe(c.mail));
        if (!c.tel1.isEmpty())
            ecrireLigne(sortie, QStringLiteral("TEL;VALUE=text;PREF=1:") + echappe(c.tel1));
        if (!c.tel2.isEmpty())
            ecrireLigne(sortie, QStringLiteral("TEL;VALUE=text:") + echappe(c.tel2));
        ecrireLigne(sortie, QStringLiteral("END:VCARD"));
    }
    return sortie;
}
