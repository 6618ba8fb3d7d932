#pragma once

#include <QWidget>

class CadreBase;
class CadreFenetreEnveloppe;
class CadreReglageEnveloppe;
class QButtonGroup;
class QCheckBox;
class QSpinBox;

// The envelope options dialog: chooses the envelope format that envelope
// printing uses and stores its code (0 to 5) under section "Enveloppe",
// key "Format" of the settings file. The code is the option button's index,
// not its place on screen. It also holds the journal's settings: whether
// the letters' text is kept, and after how many months entries go, and
// the database the program opens at its next start.
class FrmOption : public QWidget {
    Q_OBJECT

public:
    explicit FrmOption(QWidget* parent = nullptr);

    // The selected button's code.
    int codeSelectionne() const;

signals:
    // A backup was restored from this window's "Restaurer une sauvegarde…".
    void baseRestauree();

private:
    void charger();
    void valider();

    QButtonGroup* m_optEnv;
    CadreReglageEnveloppe* m_reglage;
    CadreFenetreEnveloppe* m_fenetre;
    QCheckBox* m_chkConserverTexte;
    QSpinBox* m_spnMoisJournal;
    CadreBase* m_base;
};
