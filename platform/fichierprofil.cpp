#include "platform/fichierprofil.h"

#include "platform/windows1252.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>
#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr qsizetype kLongueurMaximale = 254;

// Why a file could not be read or written, in French, the system's own
// words on a second line.
QString raisonFichier(const QFileDevice& f)
{
    QString phrase;
    switch (f.error()) {
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        phrase = QStringLiteral(
            "le fichier ou son dossier n'est pas accessible (droits insuffisants ou dossier absent).");
        break;
    case QFileDevice::WriteError:
    case QFileDevice::ResizeError: phrase = QStringLiteral("l'écriture a échoué (disque plein ?)."); break;
    default: phrase = QStringLiteral("le fichier n'a pas pu être lu ou écrit."); break;
    }
    return phrase + QStringLiteral("\nDétail technique : ") + f.errorString();
}

bool estUtf8(const QByteArray& octets)
{
    QStringDecoder decodeur(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString texte = decodeur.decode(octets);
    return !decodeur.hasError();
}

// One line of the file: its bytes as they are (end of line included) and
// its text, for finding sections and keys.
struct Ligne {
    QByteArray octets;
    QString texte;
};

// The file as lines. Classic profile files are in the Windows code page;
// newer ones in UTF-8: a file that is valid UTF-8 is read as such.
struct Contenu {
    QList<Ligne> lignes;
    bool utf8 = true;
    QByteArray finDeLigne = "\n";
};

std::optional<Contenu> lireContenu(const QString& fichier, QString* raison)
{
    QFile f(fichier);
    if (!f.exists())
        return Contenu{};
    if (!f.open(QIODevice::ReadOnly)) {
        if (raison)
            *raison = raisonFichier(f);
        return std::nullopt;
    }
    const QByteArray tout = f.readAll();
    Contenu c;
    c.utf8 = estUtf8(tout);
    if (tout.contains("\r\n"))
        c.finDeLigne = "\r\n";
    qsizetype debut = 0;
    while (debut < tout.size()) {
        qsizetype fin = tout.indexOf('\n', debut);
        fin = fin < 0 ? tout.size() : fin + 1;
        Ligne l{tout.mid(debut, fin - debut), QString()};
        QByteArray sansFin = l.octets;
        while (sansFin.endsWith('\n') || sansFin.endsWith('\r'))
            sansFin.chop(1);
        l.texte = c.utf8 ? QString::fromUtf8(sansFin) : depuisWindows1252(sansFin);
        if (debut == 0 && l.texte.startsWith(QChar(0xFEFF)))
            l.texte.remove(0, 1);
        c.lignes << l;
        debut = fin;
    }
    return c;
}

// The section named on a "[name]" line, or nothing for another line.
std::optional<QString> nomDeSection(const QString& ligne)
{
    const QString t = ligne.trimmed();
    if (t.startsWith(QLatin1Char('[')) && t.contains(QLatin1Char(']')))
        return t.mid(1, t.indexOf(QLatin1Char(']')) - 1).trimmed();
    return std::nullopt;
}

// The key of a "key=value" line, or nothing for another line.
std::optional<QString> nomDeCle(const QString& ligne)
{
    const qsizetype egal = ligne.indexOf(QLatin1Char('='));
    if (egal < 0 || ligne.trimmed().startsWith(QLatin1Char(';')))
        return std::nullopt;
    return ligne.left(egal).trimmed();
}

bool memeNom(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index of the key's line in the section, or -1; also tells where the
// section's last non-blank line is (-1 when the section does not exist).
struct Position {
    qsizetype ligneCle = -1;
    qsizetype finSection = -1;
};

Position chercher(const QList<Ligne>& lignes, const QString& section, const QString& cle)
{
    Position p;
    bool dedans = false;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const QString& texte = lignes[i].texte;
        if (const auto s = nomDeSection(texte)) {
            if (dedans)
                break;
            dedans = memeNom(*s, section);
            if (dedans)
                p.finSection = i;
            continue;
        }
        if (!dedans)
            continue;
        if (!texte.trimmed().isEmpty())
            p.finSection = i;
        const auto k = nomDeCle(texte);
        if (k && memeNom(*k, cle) && p.ligneCle < 0)
            p.ligneCle = i;
    }
    return p;
}

QString nettoyerValeur(const QString& brute)
{
    QString v = brute.trimmed();
    if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')) && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v.left(kLongueurMaximale);
}

// A new line's bytes in the file's encoding. A text the Windows code page
// cannot carry turns the file to UTF-8, the other lines' text kept.
QByteArray encoder(Contenu& c, const QString& texte)
{
    if (!c.utf8) {
        if (const auto octets = versWindows1252(texte))
            return *octets + c.finDeLigne;
        c.utf8 = true;
        for (Ligne& l : c.lignes) {
            const QByteArray fin = l.octets.endsWith("\r\n") ? QByteArray("\r\n")
                : l.octets.endsWith('\n')                    ? QByteArray("\n")
                                                             : QByteArray();
            l.octets = l.texte.toUtf8() + fin;
        }
    }
    return texte.toUtf8() + c.finDeLigne;
}

} // namespace

QString lireProfil(const QString& section, const QString& cle, const QString& fichier)
{
    const auto contenu = lireContenu(fichier, nullptr);
    if (!contenu)
        return QStringLiteral("");
    const Position p = chercher(contenu->lignes, section, cle);
    if (p.ligneCle < 0)
        return QStringLiteral("");
    const QString& ligne = contenu->lignes[p.ligneCle].texte;
    return nettoyerValeur(ligne.mid(ligne.indexOf(QLatin1Char('=')) + 1));
}

Reussite ecrireProfil(const QString& section, const QString& cle, const QString& valeur, const QString& fichier)
{
    QString raison;
    auto contenu = lireContenu(fichier, &raison);
    if (!contenu)
        return Reussite::echec(
            QStringLiteral("Impossible de lire le fichier de réglages « %1 » : %2").arg(fichier, raison));
    QList<Ligne>& lignes = contenu->lignes;
    // The last line may lack its end of line: give it one before adding.
    const auto terminerDerniere = [&] {
        if (!lignes.isEmpty() && !lignes.last().octets.endsWith('\n'))
            lignes.last().octets += contenu->finDeLigne;
    };
    const QString nouvelle = cle + QLatin1Char('=') + valeur;
    const Position p = chercher(lignes, section, cle);
    if (p.ligneCle >= 0) {
        Ligne& l = lignes[p.ligneCle];
        const bool avecFin = l.octets.endsWith('\n');
        QByteArray octets = encoder(*contenu, nouvelle);
        if (!avecFin)
            octets.chop(contenu->finDeLigne.size());
        if (p.ligneCle == 0 && l.octets.startsWith("\xEF\xBB\xBF"))
            octets.prepend("\xEF\xBB\xBF");
        l = {octets, nouvelle};
    } else if (p.finSection >= 0) {
        if (p.finSection == lignes.size() - 1)
            terminerDerniere();
        lignes.insert(p.finSection + 1, {encoder(*contenu, nouvelle), nouvelle});
    } else {
        terminerDerniere();
        const QString entete = QLatin1Char('[') + section + QLatin1Char(']');
        if (!lignes.isEmpty() && !lignes.last().texte.trimmed().isEmpty())
            lignes << Ligne{contenu->finDeLigne, QString()};
        lignes << Ligne{encoder(*contenu, entete), entete};
        lignes << Ligne{encoder(*contenu, nouvelle), nouvelle};
    }

    QSaveFile f(fichier);
    const auto echecEcriture = [&] {
        return Reussite::echec(
            QStringLiteral("Impossible d'écrire le fichier de réglages « %1 » : %2").arg(fichier, raisonFichier(f)));
    };
    if (!f.open(QIODevice::WriteOnly))
        return echecEcriture();
    for (const Ligne& l : lignes)
        f.write(l.octets);
    if (!f.commit())
        return echecEcriture();
    return {};
}
