#include "richtext/orthographe/orthographe.h"

#include "richtext/orthographe/decoupage.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include <hunspell.hxx>

namespace orthographe {

namespace {

constexpr int kSuggestionsMax = 6;

bool lisible(const QString& chemin)
{
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) && fichier.size() > 0;
}

} // namespace

Verificateur::Verificateur(const QString& aff, const QString& dic, const QString& personnel, QObject* parent)
    : QObject(parent), m_cheminPersonnel(personnel)
{
    if (lisible(aff) && lisible(dic)) {
        m_hunspell = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(), QFile::encodeName(dic).constData());
        m_utf8 = QString::fromLatin1(m_hunspell->get_dict_encoding().c_str()).compare(u"UTF-8", Qt::CaseInsensitive) == 0;
        // A file that Hunspell could not make sense of knows no word at all.
        if (!m_hunspell->spell(std::string(encoder(QStringLiteral("maison")).constData())))
            m_hunspell.reset();
    }
    QFile fichier(personnel);
    if (personnel.isEmpty() || !fichier.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    const QStringList lignes = QString::fromUtf8(fichier.readAll()).split(u'\n');
    for (const QString& ligne : lignes) {
        const QString mot = ligne.trimmed();
        if (mot.isEmpty() || m_personnels.contains(mot))
            continue;
        m_personnels.append(mot);
        if (m_hunspell)
            m_hunspell->add(encoder(mot).toStdString());
    }
}

Verificateur::~Verificateur() = default;

void Verificateur::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    emit activeChangee(active);
}

QByteArray Verificateur::encoder(const QString& mot) const
{
    return m_utf8 ? mot.toUtf8() : mot.toLatin1();
}

QString Verificateur::decoder(const std::string& mot) const
{
    return m_utf8 ? QString::fromStdString(mot) : QString::fromLatin1(mot.data(), static_cast<qsizetype>(mot.size()));
}

bool Verificateur::connu(const QString& mot) const
{
    if (m_ignores.contains(mot) || m_noms.contains(mot.toCaseFolded()))
        return true;
    const auto trouve = m_resultats.constFind(mot);
    if (trouve != m_resultats.cend())
        return *trouve;
    const bool resultat = m_hunspell->spell(encoder(mot).toStdString());
    m_resultats.insert(mot, resultat);
    return resultat;
}

QList<Plage> Verificateur::fautes(const QString& texte) const
{
    QList<Plage> plages;
    if (!disponible())
        return plages;
    for (const Mot& mot : decouperMots(texte)) {
        if (connu(texte.mid(mot.debut, mot.longueur)))
            continue;
        const int debutReste = mot.debut + mot.elision;
        const QString reste = texte.mid(debutReste, mot.longueur - mot.elision);
        if (mot.elision > 0 && connu(reste))
            continue;
        if (!reste.contains(u'-')) {
            plages.append({debutReste, static_cast<int>(reste.size())});
            continue;
        }
        int debutPartie = debutReste;
        for (const QString& partie : reste.split(u'-')) {
            // "t" is the euphonic letter of "a-t-il".
            if (partie != u"t" && !horsVerification(partie) && !connu(partie))
                plages.append({debutPartie, static_cast<int>(partie.size())});
            debutPartie += static_cast<int>(partie.size()) + 1;
        }
    }
    return plages;
}

QStringList Verificateur::suggestions(const QString& mot) const
{
    QStringList resultat;
    if (!disponible())
        return resultat;
    const bool droite = mot.contains(u'\'');
    for (const std::string& s : m_hunspell->suggest(encoder(mot).toStdString())) {
        QString suggestion = decoder(s);
        if (droite)
            suggestion.replace(u'’', u'\'');
        if (!resultat.contains(suggestion))
            resultat.append(suggestion);
        if (resultat.size() == kSuggestionsMax)
            break;
    }
    return resultat;
}

QString Verificateur::ajouterAuDictionnaire(const QString& mot)
{
    if (mot.isEmpty() || m_personnels.contains(mot))
        return {};
    m_personnels.append(mot);
    if (m_hunspell)
        m_hunspell->add(encoder(mot).toStdString());
    m_resultats.clear(); // the dictionary's answers for it have changed
    emit motsChanges();

    QSaveFile fichier(m_cheminPersonnel);
    QByteArray octets;
    for (const QString& personnel : std::as_const(m_personnels))
        octets += personnel.toUtf8() + '\n';
    if (!fichier.open(QIODevice::WriteOnly) || fichier.write(octets) != octets.size() || !fichier.commit())
        return QStringLiteral("Le dictionnaire personnel « %1 » n'a pas pu être enregistré : %2")
            .arg(m_cheminPersonnel, fichier.errorString());
    return {};
}

void Verificateur::ignorer(const QString& mot)
{
    m_ignores.insert(mot);
    emit motsChanges();
}

void Verificateur::definirNoms(const QStringList& noms)
{
    static const QRegularExpression kSeparateurs(QStringLiteral("[\\s\\-'’]+"));
    QSet<QString> ensemble;
    for (const QString& nom : noms) {
        const QString plie = nom.trimmed().toCaseFolded();
        if (plie.isEmpty())
            continue;
        ensemble.insert(plie);
        for (const QString& partie : plie.split(kSeparateurs, Qt::SkipEmptyParts))
            ensemble.insert(partie);
    }
    if (ensemble == m_noms)
        return;
    m_noms = ensemble;
    emit motsChanges();
}

} // namespace orthographe
