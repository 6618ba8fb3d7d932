#include "support/basetemporaire.h"

#include "platform/collationfrancaise.h"
#include "platform/connexion.h"
#include "platform/emplacements.h"
#include "platform/erreurbase.h"
#include "platform/recordset.h"
#include "store/baseserveur.h"
#include "store/chargementcatalogue.h"
#include "store/journal.h"
#include "store/requetes.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QtTest>
#include <sqlite3.h>

namespace {

void executerSur(const QString& chemin, const QByteArray& sql)
{
    sqlite3* base = nullptr;
    QVERIFY2(sqlite3_open(QFile::encodeName(chemin).constData(), &base) == SQLITE_OK, sqlite3_errmsg(base));
    enregistrerCollationFrancaise(base);
    char* erreur = nullptr;
    const int rc = sqlite3_exec(base, sql.constData(), nullptr, nullptr, &erreur);
    const QByteArray message = erreur ? QByteArray(erreur) : QByteArray();
    sqlite3_free(erreur);
    sqlite3_close(base);
    QVERIFY2(rc == SQLITE_OK, message.constData());
}

} // namespace

void creerBaseVide(const QString& chemin)
{
    QFile schema(QStringLiteral(TILVO_SOURCE_DIR "/store/schema.sql"));
    QVERIFY(schema.open(QIODevice::ReadOnly));
    executerSur(chemin, schema.readAll());
}

BaseTemporaire::BaseTemporaire(Contenu contenu, Moteur moteur) : m_moteur(moteur)
{
    QStandardPaths::setTestModeEnabled(true);
    QDir(m_dossier.path()).mkdir(QStringLiteral("Save"));
    creerBaseVide(cheminBase());
    mdGeneral::DefinirDossierApplication(m_dossier.path());
    mdGeneral::OuvrirBase();
    if (contenu == Contenu::Catalogue) {
        const QString catalogue = QStringLiteral(TILVO_SOURCE_DIR "/store/catalogue");
        const QString erreur = chargerCatalogue(cnLettre(), catalogue + QStringLiteral("/manifest.txt"),
                                                catalogue + QStringLiteral("/corps"));
        QVERIFY2(erreur.isEmpty(), qPrintable(erreur));
    }
    // As at the program's start-up.
    preparerJournal();
    if (moteur == Moteur::Serveur) {
        ServeurEssai* serveur = ServeurEssai::instance(nullptr);
        QVERIFY(serveur);
        ChoixBase choix;
        choix.type = ChoixBase::Type::PostgreSQL;
        choix.serveur = serveur->nouvelleBase();
        QVERIFY(mdGeneral::EnregistrerChoixBase(choix).ok());
        cnLettre().fermer();
        try {
            mdGeneral::OuvrirBase();
            copierVersServeur(cheminBase(), cnLettre());
        } catch (const ErreurBase& e) {
            QFAIL(qPrintable(e.raison()));
        }
    }
}

void lignesDesDeuxMoteurs()
{
    QTest::addColumn<bool>("serveur");
    QTest::newRow("fichier") << false;
    QTest::newRow("serveur") << true;
}

BaseTemporaire::~BaseTemporaire()
{
    cnLettre().fermer();
    mdGeneral::DefinirDossierApplication(QString());
}

QString BaseTemporaire::cheminBase() const
{
    return m_dossier.path() + QStringLiteral("/Save/Lettre.mdb");
}

void executerSurFichier(const QString& chemin, const QString& sql)
{
    executerSur(chemin, sql.toUtf8());
}

void BaseTemporaire::executer(const QString& sql) const
{
    if (m_moteur == Moteur::Serveur) {
        for (const QString& instruction : sql.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            QSqlQuery q(cnLettre().base());
            QVERIFY2(instruction.trimmed().isEmpty() || q.exec(instruction), qPrintable(q.lastError().text()));
        }
        return;
    }
    cnLettre().fermer();
    executerSur(cheminBase(), sql.toUtf8());
    mdGeneral::OuvrirBase();
}

int entier(const QString& sql)
{
    QSqlQuery q(cnLettre().base());
    if (!q.exec(sql) || !q.next()) {
        const QString raison = QStringLiteral("requête sans résultat : %1 (%2)").arg(sql, q.lastError().text());
        QTest::qFail(qPrintable(raison), __FILE__, __LINE__);
        return -1;
    }
    return q.value(0).toInt();
}

int compter(const QString& table, const QString& condition)
{
    return entier(QStringLiteral("SELECT COUNT(*) FROM ") + table
                  + (condition.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condition));
}

QStringList colonne(const QString& requete, const QString& nom)
{
    QStringList valeurs;
    try {
        Recordset rs;
        rs.open(requete);
        for (; !rs.eof(); rs.moveNext())
            valeurs << rs.text(nom);
    } catch (const ErreurBase& e) {
        QTest::qFail(qPrintable(e.raison()), __FILE__, __LINE__);
    }
    return valeurs;
}

void surUnAutrePoste(const std::function<void(Connexion&)>& action)
{
    Connexion autre(QStringLiteral("autre poste"));
    try {
        if (cnLettre().estServeur())
            autre.ouvrirServeur(cnLettre().parametresServeur());
        else
            autre.ouvrir(cnLettre().chemin());
        action(autre);
    } catch (const ErreurBase& e) {
        QTest::qFail(qPrintable(e.raison()), __FILE__, __LINE__);
    }
}

void villeChangeeAilleurs(RecordId id, const QString& ville)
{
    surUnAutrePoste([&](Connexion& autre) {
        Recordset rs(autre);
        rs.open(requetes::destinataire(id));
        rs.setValue(QStringLiteral("Ville_Destinataire"), ville);
        rs.update();
    });
}

RecordId ajouterDestinataire(const QString& nom, const QVariant& prenom)
{
    Recordset rs;
    rs.open(requetes::tousDestinataires());
    rs.addNew();
    rs.setValue(QStringLiteral("Titre_Destinataire"), QString());
    rs.setValue(QStringLiteral("Nom_Destinataire"), nom);
    rs.setValue(QStringLiteral("Prenom_Destinataire"), prenom);
    rs.update();
    return rs.value(QStringLiteral("Numero_Destinataire")).toLongLong();
}

void ajouterModelesEssai(const BaseTemporaire& base)
{
    base.executer(QStringLiteral(
        "INSERT INTO Categorie_Modele (Libelle_Cat_Modele) VALUES ('Logement');"
        "INSERT INTO Sous_Categorie_Modele (Numero_Cat_Modele, Libelle_Sous_Cat_Modele) VALUES (1, 'Préavis');"
        "INSERT INTO Modele (Numero_Sous_Cat_Modele, Libelle_Modele, Corps_Modele, Lien_Modele, Lien_Fiche_Modele) VALUES "
        "(1, 'Premier', '{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Courier New;}}\\f0\\fs24 Corps du premier}', '', ''),"
        "(1, 'Second', '{\\rtf1\\ansi Corps du second}', '', '');"));
}
