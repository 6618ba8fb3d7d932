#include "platform/dialoguesqt.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QWidget* parent()
{
    return QApplication::activeWindow();
}

QMessageBox::Icon iconeQt(Icone icone)
{
    switch (icone) {
    case Icone::Exclamation: return QMessageBox::Warning;
    case Icone::Information: return QMessageBox::Information;
    case Icone::Arret: return QMessageBox::Critical;
    case Icone::Aucune: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Reponse DialoguesQt::message(const QString& texte, Boutons boutons, Icone icone, const QString& titre,
                             std::optional<Reponse> parDefaut)
{
    QMessageBox boite(iconeQt(icone), titre, texte, QMessageBox::NoButton, parent());
    QList<std::pair<QAbstractButton*, Reponse>> reponses;
    const auto ajouter = [&](const QString& libelle, QMessageBox::ButtonRole role, Reponse r) {
        reponses.append({boite.addButton(libelle, role), r});
    };
    switch (boutons) {
    case Boutons::Ok: ajouter(QStringLiteral("OK"), QMessageBox::AcceptRole, Reponse::Ok); break;
    case Boutons::OuiNon:
        ajouter(QStringLiteral("Oui"), QMessageBox::YesRole, Reponse::Oui);
        ajouter(QStringLiteral("Non"), QMessageBox::NoRole, Reponse::Non);
        break;
    case Boutons::EnregistrerAnnuler:
        ajouter(QStringLiteral("Enregistrer"), QMessageBox::AcceptRole, Reponse::Oui);
        ajouter(QStringLiteral("Ne pas enregistrer"), QMessageBox::DestructiveRole, Reponse::Non);
        ajouter(QStringLiteral("Annuler"), QMessageBox::RejectRole, Reponse::Annuler);
        break;
    case Boutons::RechargerEcraser:
        ajouter(QStringLiteral("Recharger"), QMessageBox::AcceptRole, Reponse::Non);
        ajouter(QStringLiteral("Écraser"), QMessageBox::DestructiveRole, Reponse::Oui);
        ajouter(QStringLiteral("Annuler"), QMessageBox::RejectRole, Reponse::Annuler);
        break;
    }
    QAbstractButton* defaut = reponses.first().first;
    for (const auto& [bouton, reponse] : reponses) {
        if (parDefaut == reponse)
            defaut = bouton;
    }
    boite.setDefaultButton(static_cast<QPushButton*>(defaut));
    boite.exec();
    for (const auto& [bouton, reponse] : reponses) {
        if (boite.clickedButton() == bouton)
            return reponse;
    }
    // Closed with Escape or the title bar: the gentlest answer.
    switch (boutons) {
    case Boutons::Ok: return Reponse::Ok;
    case Boutons::OuiNon: return Reponse::Non;
    case Boutons::EnregistrerAnnuler:
    case Boutons::RechargerEcraser: break;
    }
    return Reponse::Annuler;
}

QString DialoguesQt::saisie(const QString& invite, const QString& titre, const QString& proposition)
{
    QInputDialog boite(parent());
    boite.setWindowTitle(titre);
    boite.setLabelText(invite);
    boite.setTextValue(proposition);
    boite.setOkButtonText(QStringLiteral("OK"));
    boite.setCancelButtonText(QStringLiteral("Annuler"));
    return boite.exec() == QDialog::Accepted ? boite.textValue() : QString();
}

QString DialoguesQt::motDePasse(const QString& invite, const QString& titre)
{
    QInputDialog boite(parent());
    boite.setWindowTitle(titre);
    boite.setLabelText(invite);
    boite.setTextEchoMode(QLineEdit::Password);
    boite.setOkButtonText(QStringLiteral("OK"));
    boite.setCancelButtonText(QStringLiteral("Annuler"));
    return boite.exec() == QDialog::Accepted ? boite.textValue() : QString();
}

QString DialoguesQt::fichierAOuvrir(const QString& titre, const QString& filtre)
{
    return QFileDialog::getOpenFileName(parent(), titre, QString(), filtre, nullptr, QFileDialog::DontUseNativeDialog);
}

QString DialoguesQt::fichierAEnregistrer(const QString& titre, const QString& filtre, const QString& nomPropose)
{
    QFileDialog boite(parent(), titre, QString(), filtre);
    boite.setAcceptMode(QFileDialog::AcceptSave);
    boite.setOption(QFileDialog::DontUseNativeDialog);
    boite.selectFile(nomPropose);
    if (boite.exec() != QDialog::Accepted || boite.selectedFiles().isEmpty())
        return QString();
    return boite.selectedFiles().first();
}

QString DialoguesQt::dossier(const QString& titre)
{
    return QFileDialog::getExistingDirectory(parent(), titre, QString(),
                                             QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
}

std::optional<QColor> DialoguesQt::couleur(const QColor& initiale)
{
    const QColor c = QColorDialog::getColor(initiale, parent(), QString(), QColorDialog::DontUseNativeDialog);
    if (!c.isValid())
        return std::nullopt;
    return c;
}

std::optional<ChoixPolice> DialoguesQt::police(const ChoixPolice& initiale)
{
    ChoixPolice p = m_dernierePolice;
    if (initiale.nom)
        p.nom = initiale.nom;
    if (initiale.taille)
        p.taille = initiale.taille;
    if (initiale.gras)
        p.gras = initiale.gras;
    if (initiale.italique)
        p.italique = initiale.italique;
    if (initiale.souligne)
        p.souligne = initiale.souligne;
    if (initiale.barre)
        p.barre = initiale.barre;

    QFont depart(*p.nom);
    depart.setPointSizeF(*p.taille);
    depart.setBold(*p.gras);
    depart.setItalic(*p.italique);
    depart.setUnderline(*p.souligne);
    depart.setStrikeOut(*p.barre);
    bool ok = false;
    const QFont choisie = QFontDialog::getFont(&ok, depart, parent(), QString(), QFontDialog::DontUseNativeDialog);
    if (!ok)
        return std::nullopt;
    m_dernierePolice = {choisie.family(), choisie.pointSizeF(), choisie.bold(),
                        choisie.italic(), choisie.underline(),  choisie.strikeOut()};
    return m_dernierePolice;
}

void DialoguesQt::debutProgression(const QString& titre, int total)
{
    finProgression();
    m_progression = new QProgressDialog(QString(), QStringLiteral("Annuler"), 0, total, parent());
    m_progression->setWindowTitle(titre);
    m_progression->setWindowModality(Qt::WindowModal);
    m_progression->setMinimumDuration(0);
    m_progression->setAutoClose(false);
    m_progression->setAutoReset(false);
    m_progression->show();
}

bool DialoguesQt::progression(int faits, const QString& texte)
{
    if (!m_progression)
        return true;
    m_progression->setLabelText(texte);
    m_progression->setValue(faits);
    QApplication::processEvents();
    return !m_progression->wasCanceled();
}

void DialoguesQt::finProgression()
{
    delete m_progression;
}
