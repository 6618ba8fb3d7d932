#include "app/cadrebase.h"

#include "app/mdgeneral.h"
#include "platform/connexion.h"
#include "platform/dialogues.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

constexpr int kFichier = 0;
constexpr int kServeur = 1;

// libpq's sslmode values, "" leaving libpq its default.
const char* const kModesSsl[] = {"disable", "allow", "prefer", "require", "verify-ca", "verify-full"};

QLineEdit* champ(QWidget* parent, const QString& nom, const QString& valeur)
{
    auto* z = new QLineEdit(valeur, parent);
    z->setObjectName(nom);
    return z;
}

bool memeChoix(const ChoixBase& a, const ChoixBase& b)
{
    return a.type == b.type && (a.type == ChoixBase::Type::SQLite || a.serveur == b.serveur);
}

} // namespace

CadreBase::CadreBase(QWidget* parent)
    : QGroupBox(QStringLiteral("Base de données"), parent), m_enregistre(mdGeneral::ChoixBaseCourant()),
      m_optBase(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("fraBase"));
    const ParametresServeur& p = m_enregistre.serveur;
    auto* lignes = new QVBoxLayout(this);
    const std::pair<int, QString> boutons[] = {
        {kFichier, QStringLiteral("Fichier de ce poste (SQLite)")},
        {kServeur, QStringLiteral("Serveur PostgreSQL (base partagée)")},
    };
    for (const auto& [code, libelle] : boutons) {
        auto* bouton = new QRadioButton(libelle, this);
        bouton->setObjectName(QStringLiteral("optBase(%1)").arg(code));
        m_optBase->addButton(bouton, code);
        lignes->addWidget(bouton);
    }

    m_serveur = new QWidget(this);
    m_hote = champ(m_serveur, QStringLiteral("txtHote"), p.hote);
    m_port = champ(m_serveur, QStringLiteral("txtPort"), p.port > 0 ? QString::number(p.port) : QString());
    m_port->setPlaceholderText(QStringLiteral("5432"));
    m_port->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), m_port));
    m_base = champ(m_serveur, QStringLiteral("txtBase"), p.base);
    m_utilisateur = champ(m_serveur, QStringLiteral("txtUtilisateur"), p.utilisateur);
    m_modeSsl = new QComboBox(m_serveur);
    m_modeSsl->setObjectName(QStringLiteral("cboModeSsl"));
    m_modeSsl->addItem(QStringLiteral("Par défaut (prefer)"), QString());
    for (const char* mode : kModesSsl)
        m_modeSsl->addItem(QLatin1String(mode), QLatin1String(mode));
    // A mode written by hand in the settings file is kept as it is.
    if (m_modeSsl->findData(p.modeSsl) < 0)
        m_modeSsl->addItem(p.modeSsl, p.modeSsl);
    m_modeSsl->setCurrentIndex(m_modeSsl->findData(p.modeSsl));
    m_service = champ(m_serveur, QStringLiteral("txtService"), p.service);
    m_service->setPlaceholderText(QStringLiteral("(facultatif)"));
    auto* cmdTester = new QPushButton(QStringLiteral("Tester la connexion"), m_serveur);
    cmdTester->setObjectName(QStringLiteral("cmdTesterBase"));
    connect(cmdTester, &QPushButton::clicked, this, &CadreBase::tester);

    auto* grille = new QFormLayout(m_serveur);
    grille->setContentsMargins(20, 0, 0, 0);
    grille->addRow(QStringLiteral("Hôte :"), m_hote);
    grille->addRow(QStringLiteral("Port :"), m_port);
    grille->addRow(QStringLiteral("Base :"), m_base);
    grille->addRow(QStringLiteral("Utilisateur :"), m_utilisateur);
    grille->addRow(QStringLiteral("Chiffrement :"), m_modeSsl);
    grille->addRow(QStringLiteral("Service :"), m_service);
    grille->addRow(cmdTester);
    lignes->addWidget(m_serveur);

    auto* note = new QLabel(QStringLiteral("Le mot de passe n'est jamais enregistré : il est lu dans ~/.pgpass ou "
                                           "demandé une fois par session."),
                            this);
    note->setObjectName(QStringLiteral("lblMotDePasse"));
    note->setWordWrap(true);
    lignes->addWidget(note);

    const bool serveur = m_enregistre.type == ChoixBase::Type::PostgreSQL;
    m_optBase->button(serveur ? kServeur : kFichier)->setChecked(true);
    m_serveur->setEnabled(serveur);
    connect(m_optBase->button(kServeur), &QAbstractButton::toggled, m_serveur, &QWidget::setEnabled);
}

Resultat<ChoixBase> CadreBase::choix() const
{
    ChoixBase c;
    if (m_optBase->checkedId() != kServeur)
        return c;
    c.type = ChoixBase::Type::PostgreSQL;
    ParametresServeur& p = c.serveur;
    if (!m_port->text().isEmpty()) {
        p.port = m_port->text().toInt();
        if (p.port < 1 || p.port > 65535)
            return Resultat<ChoixBase>::echec(
                QStringLiteral("Le port du serveur doit être un nombre de 1 à 65535 (laissez-le vide pour 5432)."));
    }
    p.hote = m_hote->text().trimmed();
    p.base = m_base->text().trimmed();
    p.utilisateur = m_utilisateur->text().trimmed();
    p.modeSsl = m_modeSsl->currentData().toString();
    p.service = m_service->text().trimmed();
    return c;
}

Resultat<bool> CadreBase::enregistrer(const ChoixBase& choix)
{
    if (memeChoix(choix, m_enregistre))
        return false;
    if (Reussite r = mdGeneral::EnregistrerChoixBase(choix); !r)
        return Resultat<bool>::echec(r.raison());
    m_enregistre = choix;
    return true;
}

// Opens a connection with the values shown and says how it went. When the
// server wants a password libpq could not find, or refused the one it
// found, the password is asked once and kept for this test only.
void CadreBase::tester()
{
    const Resultat<ChoixBase> c = choix();
    if (!c) {
        afficherErreur(c.raison());
        return;
    }
    const ParametresServeur& p = c->serveur;
    bool motDePasseDemande = false;
    Resultat<QString> version = testerServeur(p, QString(), &motDePasseDemande);
    if (motDePasseDemande) {
        const QString motDePasse = mdGeneral::DemanderMotDePasse(p, version.raison(),
                                                                 QStringLiteral("Tester la connexion"));
        if (!motDePasse.isEmpty())
            version = testerServeur(p, motDePasse);
    }
    if (version)
        afficherInformation(QStringLiteral("Connexion réussie : %1.").arg(*version));
    else
        afficherErreur(version.raison());
}
