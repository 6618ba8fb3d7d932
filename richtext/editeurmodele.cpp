#include "richtext/editeurmodele.h"

#include "platform/dialogues.h"
#include "platform/erreurbase.h"
#include "platform/fenetres.h"
#include "richtext/frmtexte.h"
#include "store/corpsmodele.h"

namespace {

const QString kNomFenetre = QStringLiteral("FrmTexte");

} // namespace

FrmTexte* ChargerCorpsModele(const QString& idModele)
{
    if (idModele.isEmpty())
        return nullptr;
    return afficherFenetre<FrmTexte>(kNomFenetre, [&idModele]() -> FrmTexte* {
        QString corps;
        try {
            corps = LireCorpsModele(idModele);
        } catch (const ErreurBase& e) {
            afficherErreur(QStringLiteral("Le modèle ne peut pas être ouvert.\n%1").arg(e.raison()));
            return nullptr;
        }
        return FrmTexte::pourModele(idModele, corps);
    });
}
