#include "richtext/orthographe/orthographe.h"

#include "richtext/orthographe/decoupage.h"

#include <QFile>
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

bool separateurDeNom(QChar c)
{
    return c.isSpace() || c == u'-' || c == u'\'' || c == u'’';
}

} // namespace

Verificateur::Verificateur(const QString& aff, const QString& dic, const QString& personnel, QObject* parent)
    : QObject(parent), m_aff(aff), m_dic(dic), m_lisible(lisible(aff) && lisible(dic)), m_cheminPersonnel(personnel)
{
    QFile fichier(personnel);
    if (personnel.isEmpty() || !fichier.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    const QStringList lignes = QString::fromUtf8(fichier.readAll()).split(u'\n');
    for (const QString& ligne : lignes) {
        const QString mot = ligne.trimmed();
        if (!mot.isEmpty() && !m_personnels.contains(mot))
            m_personnels.append(mot);
    }
}

Verificateur::~Verificateur() = default;

bool Verificateur::disponible() const
{
    return m_charge ? m_hunspell != nullptr : m_lisible;
}

Hunspell* Verificateur::dictionnaire() const
{
    if (m_charge)
        return m_hunspell.get();
    m_charge = true;
    if (!m_lisible)
        return nullptr;
    m_hunspell = std::make_unique<Hunspell>(QFile::encodeName(m_aff).constData(), QFile::encodeName(m_dic).constData());
    m_utf8 = QString::fromStdString(m_hunspell->get_dict_encoding()).compare(u"UTF-8", Qt::CaseInsensitive) == 0;
    // A file that Hunspell could not make sense of knows no word at all.
    if (!m_hunspell->spell(encoder(QStringLiteral("maison")).toStdString())) {
        m_hunspell.reset();
        return nullptr;
    }
    for (const QString& mot : m_personnels)
        m_hunspell->add(encoder(mot).toStdString());
    return m_hunspell.get();
}

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
    if (m_ignores.contains(mot))
        return true;
    auto trouve = m_resultats.constFind(mot);
    if (trouve == m_resultats.cend())
        trouve = m_resultats.insert(mot, m_hunspell->spell(encoder(mot).toStdString()));
    return *trouve || nomConnu(mot);
}

bool Verificateur::nomConnu(const QString& mot) const
{
    if (m_sourceNoms) {
        if (const std::optional<QStringList> noms = m_sourceNoms()) {
            m_noms.clear();
            for (const QString& nom : *noms) {
                const QString plie = nom.trimmed().toCaseFolded();
                m_noms.insert(plie);
                qsizetype debut = 0;
                for (qsizetype i = 0; i <= plie.size(); ++i) {
                    if (i == plie.size() || separateurDeNom(plie[i])) {
                        if (i > debut)
                            m_noms.insert(plie.mid(debut, i - debut));
                        debut = i + 1;
                    }
                }
            }
        }
    }
    return m_noms.contains(mot.toCaseFolded());
}

QList<Plage> Verificateur::fautes(const QString& texte) const
{
    QList<Plage> plages;
    const QList<Mot> mots = decouperMots(texte);
    if (mots.isEmpty() || !dictionnaire())
        return plages;
    for (const Mot& mot : mots) {
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
    Hunspell* hunspell = dictionnaire();
    if (!hunspell)
        return resultat;
    const bool droite = mot.contains(u'\'');
    for (const std::string& s : hunspell->suggest(encoder(mot).toStdString())) {
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
    if (Hunspell* hunspell = dictionnaire())
        hunspell->add(encoder(mot).toStdString());
    m_resultats.clear(); // the dictionary's answers have changed
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

void Verificateur::definirSourceNoms(SourceNoms source)
{
    m_sourceNoms = std::move(source);
    m_noms.clear();
    emit motsChanges();
}

} // namespace orthographe
