#pragma once

#include "app/recherchejournal.h"

#include <QWidget>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTreeView;
class ModeleJournal;

// The journal of what was sent: the entries newest first, a search field,
// channel and date filters, and the commands on the selected entry.
class FrmJournal : public QWidget {
    Q_OBJECT

public:
    explicit FrmJournal(QWidget* parent = nullptr);

    // Reads the journal again (after a new output, say).
    void actualiser();
    // The entries the list shows now, in order.
    QList<EntreeJournal> entreesAffichees() const;
    // Selects the entry shown on row `ligne`.
    void selectionner(int ligne);

signals:
    // "Reprendre" / "Relance": the letter as sent, for the "Traitement" step.
    void reprendre(const EntreeJournal& entree, const QString& rtf, bool relance);

private:
    void filtrer();
    // The selected entry, or nullptr (with a message) when none is.
    const EntreeJournal* entreeChoisie();
    QString texteChoisi(const EntreeJournal& entree);
    void voir();
    void reimprimer();
    void reprendreEntree(bool relance);
    void supprimer();
    void exporter();

    RechercheJournal m_recherche;
    ModeleJournal* m_modele = nullptr;
    QLineEdit* m_txtRecherche = nullptr;
    QComboBox* m_cmbCanal = nullptr;
    QDateEdit* m_dtpDu = nullptr;
    QDateEdit* m_dtpAu = nullptr;
    QTreeView* m_lsvJournal = nullptr;
};
