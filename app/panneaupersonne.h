#pragma once

#include "platform/recordset.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <vector>

class FiltreCaracteres;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QStringListModel;
class QToolButton;
class RechercheCarnet;

// One person form of the main window, the sender's or the recipient's: the
// chooser and its search box, the title and the fields, the new / delete /
// save buttons and the postal check, with the commands that move a record
// between the form and its address book. The two forms differ only by their
// description (control names, captions, positions) and their address book.
//
// A form's values are the title, then the fields in the order of the
// description, whose first two are the last and first names.
class PanneauPersonne : public QObject {
public:
    // One line edit of the form: "txt" + stem + suffix names it. Positions
    // are in twips; `ligne` 0 is the title's line.
    struct Champ {
        QString radical;
        int ligne;
        int gauche;
        int largeur;
    };
    struct Description {
        QString suffixe; // "Exp" or "Dest", ending the names
        QString nomTitrePanneau, titrePanneau;
        QString nomChoix;
        int gaucheChoix, hautChoix, largeurChoix;
        int gaucheRecherche, largeurRecherche;
        // The captions of the form's lines, named nomEtiquettes(premiereEtiquette + line).
        QString nomEtiquettes;
        int premiereEtiquette;
        QStringList etiquettes;
        int gaucheEtiquettes, largeurEtiquettes;
        int hautLignes, pasLignes;
        int gaucheChamps, largeurTitre;
        std::vector<Champ> champs;
        int largeurVerification;
        // New, delete and save, top to bottom from the first line.
        QStringList infobulles;
        int gaucheBoutons, pasBoutons, coteBoutons;
    };
    // The address book behind a form, its records seen as values in the
    // form's order, and what the form says when it refuses.
    // `attendues`: the values shown when the user began (see ErreurConflit).
    struct AccesCarnet {
        RecordId (*numeroDe)(const QString& texteChoix);
        QStringList (*lire)(RecordId id);
        RecordId (*enregistrer)(RecordId id, const QStringList& valeurs, const QStringList* attendues);
        void (*supprimer)(RecordId id);
        QString invalide, sansNom, questionSuppression, modifieAilleurs;
    };

    PanneauPersonne(QGroupBox* panneau, const Description& description, const AccesCarnet& carnet,
                    FiltreCaracteres* filtre, QObject* parent);

    QComboBox* choix() const { return m_choix; }
    RechercheCarnet* recherche() const { return m_recherche; }
    QToolButton* cmdAjouter() const { return m_boutons[0]; }
    QToolButton* cmdSupprimer() const { return m_boutons[1]; }
    QToolButton* cmdModifier() const { return m_boutons[2]; }
    // A line under the form, cleared with the fields.
    void setNote(QLabel* note) { m_note = note; }

    bool estNouveau() const { return m_nouveau; }
    QStringList valeurs() const;
    void viderChamps();

    // The chooser's items replaced in one go; its text is left empty.
    void remplirChoix(const QStringList& libelles);
    // The labels the search box proposes, with what it searches them by.
    void remplirRecherche(const QStringList& libelles, const QStringList& nomsPrenoms, const QStringList& villes);
    // The address book changed elsewhere: new labels for the chooser and the
    // search box, the chooser kept on the same record (or its text, when
    // none), the fields untouched.
    void relire(const QStringList& libelles, const QStringList& nomsPrenoms, const QStringList& villes);
    // Shows a label as the chooser's text, on its item when it has one.
    void choisirLibelle(const QString& libelle);
    // Puts the chooser on the record `id`; false when no item designates it.
    bool choisirNumero(RecordId id);

    // ---- Commands. Database failures throw ErreurBase. ----
    RecordId numeroChoisi() const;
    // The chosen record into the fields; -1 after the refusal when the
    // chooser designates none.
    RecordId afficher();
    // Blank fields for a record to come.
    void commencerNouveau();
    // Stores the fields into the chosen record, or a new one; the record's
    // label, or "" after a refusal. A record changed on another desktop since
    // it was shown is not overwritten unless the user says so (or reloads
    // it).
    QString enregistrer();
    // Deletes the chosen record once the user agrees; false when nothing
    // was deleted.
    bool supprimer();
    // The fields differ from the record the chooser designates, or, with
    // none designated, hold anything at all. A database that cannot be read
    // counts as unsaved: asking is better than losing.
    bool nonEnregistre() const;

private:
    void montrer(const QStringList& valeurs);

    AccesCarnet m_carnet;
    QComboBox* m_choix = nullptr;
    QStringListModel* m_libelles = nullptr;
    RechercheCarnet* m_recherche = nullptr;
    QComboBox* m_titre = nullptr;
    std::vector<QLineEdit*> m_champs;
    std::vector<QToolButton*> m_boutons;
    QLabel* m_note = nullptr;
    bool m_nouveau = false;
    // The record as shown or last saved, and its id.
    QStringList m_lu;
    RecordId m_numeroLu = kAucunEnregistrement;
};
