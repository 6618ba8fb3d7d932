#pragma once

#include "import/contacts.h"

#include <QWidget>
#include <functional>

class ModeleApercu;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTreeView;

// "Importer des contacts (vCard, CSV)": previews a vCard or CSV file, lets
// the user tick the contacts and, for a CSV file, choose each column's
// field, then adds the ticked ones to the recipients or the senders in one
// go. Also exports either book ("Exporter le carnet…").
class FrmContacts : public QWidget {
    Q_OBJECT

public:
    // `selection` gives the recipients selected in the main window, for an
    // export of those only.
    explicit FrmContacts(std::function<QList<RecordId>()> selection = {}, QWidget* parent = nullptr);

    // Reads the file into the preview (what the file button does after its
    // dialog).
    void chargerFichier(const QString& chemin);

signals:
    // Contacts were added to that book: the main window refills it.
    void contactsImportes(Carnet carnet);

private:
    Carnet carnet() const;
    void parcourir();
    void afficherColonnes();
    void afficherApercu();
    void importer();
    void exporter();

    std::function<QList<RecordId>()> m_selection;
    FichierContacts m_fichier;
    ModeleApercu* m_apercu;
    QLineEdit* m_txtFichier;
    QPushButton* m_cmdParcourir;
    QRadioButton* m_optDestinataires;
    QRadioButton* m_optExpediteurs;
    QTableWidget* m_tblColonnes;
    QTreeView* m_lsvApercu;
    QPushButton* m_cmdToutCocher;
    QPushButton* m_cmdToutDecocher;
    QPushButton* m_cmdImporter;
    QCheckBox* m_chkSelection;
    QPushButton* m_cmdExporter;
};
