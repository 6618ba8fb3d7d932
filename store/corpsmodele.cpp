#include "store/corpsmodele.h"

#include "platform/erreurbase.h"
#include "platform/recordset.h"
#include "store/requetes.h"

namespace {

const QString kCorps = QStringLiteral("Corps_Modele");

// Opens the model's row; a model deleted meanwhile (or an id that is not a
// number) is reported instead of running a query that matches nothing.
void ouvrirModele(Recordset& rs, const QString& idModele)
{
    bool nombre = false;
    idModele.trimmed().toLongLong(&nombre);
    if (!nombre)
        throw ErreurBase(QStringLiteral("« %1 » n'est pas un numéro de modèle.").arg(idModele));
    rs.open(requetes::modele(idModele.trimmed()));
    if (rs.eof())
        throw ErreurBase(
            QStringLiteral("Le modèle n° %1 n'existe plus : il a sans doute été supprimé.").arg(idModele.trimmed()));
}

} // namespace

QString LireCorpsModele(const QString& idModele)
{
    Recordset rs;
    ouvrirModele(rs, idModele);
    const QString corps = rs.text(kCorps);
    rs.close();
    return corps;
}

void EnregistrerCorpsModele(const QString& idModele, const QString& corps)
{
    Recordset rs;
    ouvrirModele(rs, idModele);
    rs.setValue(kCorps, corps);
    rs.update();
    rs.close();
}
