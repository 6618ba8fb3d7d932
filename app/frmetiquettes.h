#pragma once

#include "platform/recordset.h"

#include <QList>
#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

// Prints the address labels of the recipients chosen for a mass mailing:
// the sheet (one of those sold, or custom), and the label to start at on
// a sheet already partly used.
class FrmEtiquettes : public QWidget {
    Q_OBJECT

public:
    FrmEtiquettes(const QList<RecordId>& idsDestinataires, QWidget* parent = nullptr);

private:
    void imprimer();

    QList<RecordId> m_ids;
    QComboBox* m_planche;
    QSpinBox *m_colonnes, *m_rangees;
    QDoubleSpinBox *m_largeur, *m_hauteur, *m_margeHaut, *m_margeGauche, *m_pasHorizontal, *m_pasVertical;
    QSpinBox* m_debut;
};
