#include "platform/fichierprofil.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <optional>

namespace {

constexpr qsizetype kLongueurMaximale = 254;

struct Contenu {
    QStringList lignes;
    QString finDeLigne = QStringLiteral("\n");
};

std::optional<Contenu> lireContenu(const QString& fichier, QString* raison)
{
    QFile f(fichier);
    if (!f.exists())
        return Contenu{};
    if (!f.open(QIODevice::ReadOnly)) {
        if (raison)
            *raison = f.errorString();
        return std::nullopt;
    }
    QString texte = QString::fromUtf8(f.readAll());
    if (texte.startsWith(QChar(0xFEFF)))
        texte.remove(0, 1);
    Contenu c;
    if (texte.contains(QLatin1String("\r\n")))
        c.finDeLigne = QStringLiteral("\r\n");
    texte.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    c.lignes = texte.split(QLatin1Char('\n'));
    if (!c.lignes.isEmpty() && c.lignes.last().isEmpty())
        c.lignes.removeLast();
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

Position chercher(const QStringList& lignes, const QString& section, const QString& cle)
{
    Position p;
    bool dedans = false;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        if (const auto s = nomDeSection(lignes[i])) {
            if (dedans)
                break;
            dedans = memeNom(*s, section);
            if (dedans)
                p.finSection = i;
            continue;
        }
        if (!dedans)
            continue;
        if (!lignes[i].trimmed().isEmpty())
            p.finSection = i;
        const auto k = nomDeCle(lignes[i]);
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

} // namespace

QString lireProfil(const QString& section, const QString& cle, const QString& fichier)
{
    const auto contenu = lireContenu(fichier, nullptr);
    if (!contenu)
        return QStringLiteral("");
    const Position p = chercher(contenu->lignes, section, cle);
    if (p.ligneCle < 0)
        return QStringLiteral("");
    const QString& ligne = contenu->lignes[p.ligneCle];
    return nettoyerValeur(ligne.mid(ligne.indexOf(QLatin1Char('=')) + 1));
}

QString ecrireProfil(const QString& section, const QString& cle, const QString& valeur, const QString& fichier)
{
    QString raison;
    auto contenu = lireContenu(fichier, &raison);
    if (!contenu)
        return QStringLiteral("Impossible de lire le fichier de réglages « %1 » : %2").arg(fichier, raison);
    QStringList& lignes = contenu->lignes;
    const QString nouvelle = cle + QLatin1Char('=') + valeur;
    const Position p = chercher(lignes, section, cle);
    if (p.ligneCle >= 0) {
        lignes[p.ligneCle] = nouvelle;
    } else if (p.finSection >= 0) {
        lignes.insert(p.finSection + 1, nouvelle);
    } else {
        if (!lignes.isEmpty() && !lignes.last().trimmed().isEmpty())
            lignes << QString();
        lignes << QLatin1Char('[') + section + QLatin1Char(']') << nouvelle;
    }

    QSaveFile f(fichier);
    if (!f.open(QIODevice::WriteOnly))
        return QStringLiteral("Impossible d'écrire le fichier de réglages « %1 » : %2").arg(fichier, f.errorString());
    f.write((lignes.join(contenu->finDeLigne) + contenu->finDeLigne).toUtf8());
    if (!f.commit())
        return QStringLiteral("Impossible d'écrire le fichier de réglages « %1 » : %2").arg(fichier, f.errorString());
    return QString();
}
