#include "app/verificationpostale.h"

#include "store/adressepostale.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

AdressePostale adresseDe(const VerificationPostale::Champs& c)
{
    return {c.titre->currentText() + QLatin1Char(' ') + c.nom->text() + QLatin1Char(' ') + c.prenom->text(),
            c.fonction->text(),
            c.adresse1->text(),
            c.adresse2->text(),
            c.codePostal->text(),
            c.ville->text()};
}

} // namespace

VerificationPostale::VerificationPostale(const Champs& champs, QLabel* ligne, QPushButton* bouton, QObject* parent)
    : QObject(parent), m_champs(champs), m_ligne(ligne)
{
    m_ligne->setStyleSheet(QStringLiteral("color: #d35400;"));
    connect(champs.titre, &QComboBox::editTextChanged, this, &VerificationPostale::actualiser);
    for (QLineEdit* t : {champs.nom, champs.prenom, champs.fonction, champs.adresse1, champs.adresse2,
                         champs.codePostal, champs.ville})
        connect(t, &QLineEdit::textChanged, this, &VerificationPostale::actualiser);
    connect(bouton, &QPushButton::clicked, this, &VerificationPostale::mettreEnForme);
    actualiser();
}

void VerificationPostale::actualiser()
{
    const AdressePostale adresse = adresseDe(m_champs);
    // An empty form has nothing to report yet.
    const bool vide = (adresse.adresse1 + adresse.adresse2 + adresse.codePostal + adresse.ville).trimmed().isEmpty();
    m_ligne->setText(vide ? QString() : problemesPostaux(adresse).join(QStringLiteral(" ; ")));
}

void VerificationPostale::mettreEnForme()
{
    const AdressePostale forme = miseEnFormePostale(adresseDe(m_champs));
    m_champs.adresse1->setText(forme.adresse1);
    m_champs.adresse2->setText(forme.adresse2);
    m_champs.codePostal->setText(forme.codePostal);
    m_champs.ville->setText(forme.ville);
}
