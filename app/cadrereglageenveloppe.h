#pragma once

#include <QGroupBox>

class QComboBox;
class QDoubleSpinBox;

// The options' group "Réglage de l'imprimante pour les enveloppes": the
// offsets and the turn that the default printer needs, kept per printer
// name, and its test page.
class CadreReglageEnveloppe : public QGroupBox {
    Q_OBJECT

public:
    explicit CadreReglageEnveloppe(QWidget* parent = nullptr);

    // Stores the values shown; "" or why they could not be.
    QString enregistrer() const;

private:
    void imprimerPageEssai();

    QString m_imprimante;
    QDoubleSpinBox* m_decalageX;
    QDoubleSpinBox* m_decalageY;
    QComboBox* m_rotation;
};
