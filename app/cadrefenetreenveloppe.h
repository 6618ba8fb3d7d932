#pragma once

#include "platform/resultat.h"

#include <QGroupBox>

class QDoubleSpinBox;

// The options' group "Fenêtre d'enveloppe (aperçu)": the size and place of
// the window the print preview outlines on a letter.
class CadreFenetreEnveloppe : public QGroupBox {
    Q_OBJECT

public:
    explicit CadreFenetreEnveloppe(QWidget* parent = nullptr);

    // Stores the values shown, or says why they could not be.
    Reussite enregistrer() const;

private:
    QDoubleSpinBox* m_largeur;
    QDoubleSpinBox* m_hauteur;
    QDoubleSpinBox* m_droite;
    QDoubleSpinBox* m_bas;
};
