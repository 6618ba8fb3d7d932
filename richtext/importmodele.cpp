#include "richtext/importmodele.h"

#include "rtf.h"

#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

std::optional<QString> corpsDepuisFichierRtf(const QString& chemin, QString& raison)
{
    const QString nom = QFileInfo(chemin).fileName();
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        raison = QStringLiteral("Le fichier « %1 » ne peut pas être lu : %2").arg(nom, fichier.errorString());
        return std::nullopt;
    }
    if (fichier.size() > kTailleModeleImporteMax) {
        raison = QStringLiteral("Le fichier « %1 » dépasse 20 Mo : il ne peut pas devenir un modèle.").arg(nom);
        return std::nullopt;
    }
    const QByteArray octets = fichier.readAll();
    if (octets.size() != fichier.size()) {
        raison = QStringLiteral("Le fichier « %1 » ne peut pas être lu : %2").arg(nom, fichier.errorString());
        return std::nullopt;
    }
    QTextDocument document;
    const QString texte = rtf::decoderFichier(octets);
    if (texte.trimmed().isEmpty() || !rtf::lireRtf(texte, document)) {
        raison = QStringLiteral("Le fichier « %1 » n'est pas un document RTF : aucun modèle n'a été ajouté.").arg(nom);
        return std::nullopt;
    }
    return rtf::ecrireRtf(document);
}

QString libelleDepuisFichier(const QString& chemin)
{
    return QFileInfo(chemin).completeBaseName().replace(u'_', u' ').trimmed();
}
