#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class Hunspell;

namespace orthographe {

// A stretch of a paragraph's text, in its character positions.
struct Plage {
    int debut = 0;
    int longueur = 0;
    friend bool operator==(const Plage&, const Plage&) = default;
};

// The spelling checker: a Hunspell dictionary, the user's personal word
// list, the words ignored for this session and names accepted as they are.
// A dictionary that cannot be read leaves the checker unavailable: it then
// finds no mistakes and checking stays off. The dictionary is loaded when
// the first word is checked.
class Verificateur : public QObject {
    Q_OBJECT

public:
    // Gives the names again when they may have changed since the last call,
    // std::nullopt when they have not.
    using SourceNoms = std::function<std::optional<QStringList>()>;

    // `aff` and `dic`: the dictionary's two files. `personnel`: the personal
    // word list (UTF-8, one word a line), read now and rewritten on each
    // addition.
    Verificateur(const QString& aff, const QString& dic, const QString& personnel, QObject* parent = nullptr);
    ~Verificateur() override;

    bool disponible() const;
    // Checking on and a dictionary to check with.
    bool active() const { return m_active && disponible(); }
    void setActive(bool active);

    // The unknown words of one paragraph: a word of the dictionary, a
    // personal word, an ignored word or a name passes whole; a word with an
    // elision is then tried without it, a hyphenated word part by part, and
    // only the unknown part is given.
    QList<Plage> fautes(const QString& texte) const;

    // Up to 6 replacements for `mot`, written with the same apostrophe.
    QStringList suggestions(const QString& mot) const;

    // Adds `mot` to the personal word list. Returns "" when the list was
    // written, else why not, in French (the word is then known for this
    // session only).
    QString ajouterAuDictionnaire(const QString& mot);
    // `mot` passes until the program ends.
    void ignorer(const QString& mot);
    // Where the names accepted whatever their case come from (the address
    // book's last names, first names and towns). Asked only about words the
    // dictionary does not know.
    void definirSourceNoms(SourceNoms source);

signals:
    void activeChangee(bool active);
    // Words have become known: what was underlined must be checked again.
    void motsChanges();

private:
    Hunspell* dictionnaire() const;
    bool connu(const QString& mot) const;
    bool nomConnu(const QString& mot) const;
    QByteArray encoder(const QString& mot) const;
    QString decoder(const std::string& mot) const;

    QString m_aff;
    QString m_dic;
    bool m_lisible;
    mutable std::unique_ptr<Hunspell> m_hunspell;
    mutable bool m_charge = false; // loading was tried
    mutable bool m_utf8 = true;    // else the dictionary is read as Latin-1
    bool m_active = true;
    QString m_cheminPersonnel;
    QStringList m_personnels;
    QSet<QString> m_ignores;
    SourceNoms m_sourceNoms;
    mutable QSet<QString> m_noms;             // case-folded, whole and by part
    mutable QHash<QString, bool> m_resultats; // the dictionary's answers
};

} // namespace orthographe
