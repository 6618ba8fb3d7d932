#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;
class QTreeWidget;

// "Importation des contacts de Tilvo - Organiseur": lists the organiser's
// people with a check box each and copies the ticked ones into the
// recipients.
class FrmImport : public QWidget {
    Q_OBJECT

public:
    explicit FrmImport(QWidget* parent = nullptr);

    // Fills lsvContact from the organiser's database of the folder in
    // txtChemin.
    void RemplirListeContacts();

signals:
    // Recipients were added: the main window refills its chooser and list.
    void contactsImportes();

private:
    void parcourir();
    void importer();
    void cocherTout(Qt::CheckState etat);

    QLineEdit* m_txtChemin;
    QPushButton* m_cmdParcourir;
    QTreeWidget* m_lsvContact;
    QPushButton* m_cmdImporter;
    QPushButton* m_cmdToutCocher;
    QPushButton* m_cmdToutDecocher;
};
