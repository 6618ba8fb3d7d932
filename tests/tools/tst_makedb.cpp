// The build tool creates the database only when it is missing.
#include "platform/collationfrancaise.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

namespace {

int makedb(const QString& sortie)
{
    const QString catalogue = QStringLiteral(TILVO_SOURCE_DIR "/store/catalogue");
    return QProcess::execute(QStringLiteral(MAKEDB),
                             {QStringLiteral(TILVO_SOURCE_DIR "/store/schema.sql"),
                              catalogue + QStringLiteral("/manifest.txt"), catalogue + QStringLiteral("/corps"),
                              sortie});
}

QString executer(const QString& chemin, const char* sql)
{
    sqlite3* base = nullptr;
    sqlite3_open(QFile::encodeName(chemin).constData(), &base);
    enregistrerCollationFrancaise(base);
    sqlite3_stmt* q = nullptr;
    QString resultat;
    if (sqlite3_prepare_v2(base, sql, -1, &q, nullptr) == SQLITE_OK && sqlite3_step(q) == SQLITE_ROW)
        resultat = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(q, 0)));
    sqlite3_finalize(q);
    sqlite3_close(base);
    return resultat;
}

} // namespace

class TestMakedb : public QObject {
    Q_OBJECT

private slots:
    void uneBaseExistanteNestJamaisRemplacee()
    {
        QTemporaryDir dossier;
        const QString base = dossier.filePath(QStringLiteral("Lettre.mdb"));
        QCOMPARE(makedb(base), 0);
        const QString livres = executer(base, "SELECT count(*) FROM Modele");
        QVERIFY(livres.toInt() > 0);

        // No sender, no recipient: only an edited and an added model.
        executer(base, "UPDATE Modele SET Corps_Modele = '{\\rtf1 modifié}' WHERE Numero_Modele = 1");
        executer(base,
                 "INSERT INTO Modele (Numero_Sous_Cat_Modele, Libelle_Modele, Corps_Modele) VALUES (1, 'Ajouté', '')");
        QCOMPARE(makedb(base), 0);
        QCOMPARE(executer(base, "SELECT Corps_Modele FROM Modele WHERE Numero_Modele = 1"),
                 QStringLiteral("{\\rtf1 modifié}"));
        QCOMPARE(executer(base, "SELECT count(*) FROM Modele").toInt(), livres.toInt() + 1);
    }
};

QTEST_GUILESS_MAIN(TestMakedb)
#include "tst_makedb.moc"
