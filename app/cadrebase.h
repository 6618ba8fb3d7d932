#pragma once

#include "platform/parametresserveur.h"
#include "platform/resultat.h"

#include <QGroupBox>

class QButtonGroup;
class QComboBox;
class QLineEdit;

// The options' group "Base de données": the letter database the program
// opens at its next start, this desktop's file or the office's database on
// a PostgreSQL server, and a test of the connection to that server.
class CadreBase : public QGroupBox {
    Q_OBJECT

public:
    explicit CadreBase(QWidget* parent = nullptr);

    // The choice shown, or why it cannot be kept (a port out of range).
    Resultat<ChoixBase> choix() const;
    // Stores `choix` when it differs from the one the settings file held:
    // true when it was stored.
    Resultat<bool> enregistrer(const ChoixBase& choix);

private:
    void tester();

    ChoixBase m_enregistre;
    QButtonGroup* m_optBase;
    QWidget* m_serveur;
    QLineEdit* m_hote;
    QLineEdit* m_port;
    QLineEdit* m_base;
    QLineEdit* m_utilisateur;
    QComboBox* m_modeSsl;
    QLineEdit* m_service;
};
