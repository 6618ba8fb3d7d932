#pragma once

#include <QObject>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Under an address form: the postal problems of the address as it is
// typed, in orange on one line, and the button that puts the address in
// postal form in the fields (the user saves it, or not, as usual).
class VerificationPostale : public QObject {
    Q_OBJECT

public:
    struct Champs {
        QComboBox* titre;
        QLineEdit *nom, *prenom, *fonction, *adresse1, *adresse2, *codePostal, *ville;
    };
    VerificationPostale(const Champs& champs, QLabel* ligne, QPushButton* bouton, QObject* parent);

private:
    void actualiser();
    void mettreEnForme();

    Champs m_champs;
    QLabel* m_ligne;
};
