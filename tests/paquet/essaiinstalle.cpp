// Drives the installed program from the inside, as a user would, for the
// package check (tools/verifier-paquet.sh): loaded into it as a Qt generic
// plugin (-plugin tilvoessai), it waits for the main window, checks that
// the catalogue is there, saves a recipient, answers any message box, then
// ends the program. What it saw is written to stdout, one line a fact.

#include <QApplication>
#include <QComboBox>
#include <QGenericPlugin>
#include <QLineEdit>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

namespace {

QTextStream& sortie()
{
    static QTextStream flux(stdout);
    return flux;
}

QWidget* fenetrePrincipale()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("FrmAccueil") && w->isVisible())
            return w;
    }
    return nullptr;
}

void finir(int code, const QString& raison)
{
    sortie() << raison << Qt::endl;
    QCoreApplication::exit(code);
}

void ecrireDestinataire(QWidget* fenetre)
{
    const QList<std::pair<const char*, QString>> champs{{"txtNomDest", QStringLiteral("Essai-Paquet")},
                                                        {"txtPrenomDest", QStringLiteral("Zoé")},
                                                        {"txtAdresse1Dest", QStringLiteral("3 rue des Écoles")},
                                                        {"txtCPDest", QStringLiteral("75005")},
                                                        {"txtVilleDest", QStringLiteral("Paris")}};
    for (const auto& [nom, valeur] : champs) {
        auto* champ = fenetre->findChild<QLineEdit*>(QLatin1String(nom));
        if (!champ)
            return finir(1, QStringLiteral("champ absent : %1").arg(QLatin1String(nom)));
        champ->setText(valeur);
    }
    auto* enregistrer = fenetre->findChild<QToolButton*>(QStringLiteral("cmdModifDest"));
    if (!enregistrer)
        return finir(1, QStringLiteral("bouton absent : cmdModifDest"));
    enregistrer->click();
    sortie() << "destinataire : enregistré" << Qt::endl;
    QTimer::singleShot(200, qApp, [] { finir(0, QStringLiteral("fin")); });
}

class Essai : public QObject {
public:
    Essai()
    {
        // Message boxes are answered with their default button.
        auto* reponses = new QTimer(this);
        connect(reponses, &QTimer::timeout, this, [] {
            if (QWidget* boite = QApplication::activeModalWidget()) {
                sortie() << "message : " << boite->windowTitle() << Qt::endl;
                boite->close();
            }
        });
        reponses->start(100);
        auto* attente = new QTimer(this);
        connect(attente, &QTimer::timeout, this, [this, attente] {
            QWidget* fenetre = fenetrePrincipale();
            if (!fenetre) {
                if (++m_essais > 200)
                    finir(1, QStringLiteral("fenêtre principale absente"));
                return;
            }
            attente->stop();
            sortie() << "fenêtre : " << fenetre->windowTitle().trimmed() << Qt::endl;
            auto* categories = fenetre->findChild<QComboBox*>(QStringLiteral("cmbCategorieModele"));
            sortie() << "catégories : " << (categories ? categories->count() : 0) << Qt::endl;
            QTimer::singleShot(0, qApp, [fenetre] { ecrireDestinataire(fenetre); });
        });
        attente->start(100);
    }

private:
    int m_essais = 0;
};

class Greffon : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "essaiinstalle.json")

public:
    QObject* create(const QString&, const QString&) override { return new Essai; }
};

} // namespace

#include "essaiinstalle.moc"
