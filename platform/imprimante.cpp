#include "platform/imprimante.h"

#include "platform/dialogues.h"

#include <QDir>
#include <QFile>
#include <QPrinterInfo>

namespace {

std::unique_ptr<SourceImprimantes>& sourceInstallee()
{
    static std::unique_ptr<SourceImprimantes> source = std::make_unique<ImprimanteParDefaut>();
    return source;
}

QString nomImprimante(const QPrinter& imprimante)
{
    return imprimante.outputFormat() == QPrinter::PdfFormat ? imprimante.outputFileName() : imprimante.printerName();
}

} // namespace

SourceImprimantes& imprimantes()
{
    return *sourceInstallee();
}

void installerImprimantes(SourceImprimantes* nouvelle)
{
    sourceInstallee().reset(nouvelle);
}

QString messageAucuneImprimante()
{
    return QStringLiteral("Aucune imprimante par défaut n'est configurée.");
}

QString ImprimanteParDefaut::indisponibilite() const
{
    return QPrinterInfo::defaultPrinter().isNull() ? messageAucuneImprimante() : QString();
}

ImprimanteObtenue ImprimanteParDefaut::nouvelleImprimante()
{
    const QPrinterInfo parDefaut = QPrinterInfo::defaultPrinter();
    if (parDefaut.isNull())
        return ImprimanteObtenue::echec(messageAucuneImprimante());
    auto imprimante = std::make_unique<QPrinter>(parDefaut, QPrinter::HighResolution);
    if (!imprimante->isValid())
        return ImprimanteObtenue::echec(
            QStringLiteral("L'imprimante « %1 » n'est pas utilisable.").arg(parDefaut.printerName()));
    return imprimante;
}

ImprimantePdf::ImprimantePdf(const QString& dossier, const QPageSize& papier, const QMarginsF& margesMm)
    : m_dossier(dossier), m_papier(papier), m_marges(margesMm)
{
}

QString ImprimantePdf::indisponibilite() const
{
    return QDir(m_dossier).exists() ? QString() : QStringLiteral("Le dossier « %1 » n'existe pas.").arg(m_dossier);
}

ImprimanteObtenue ImprimantePdf::nouvelleImprimante()
{
    if (const QString raison = indisponibilite(); !raison.isEmpty())
        return ImprimanteObtenue::echec(raison);
    std::unique_ptr<QPrinter> imprimante = std::move(m_libre);
    if (!imprimante) {
        imprimante = std::make_unique<QPrinter>(QPrinter::HighResolution);
        imprimante->setOutputFormat(QPrinter::PdfFormat);
    }
    const QString fichier = QDir(m_dossier).filePath(
        QStringLiteral("travail-%1.pdf").arg(m_fichiers.size() + 1, 3, 10, QLatin1Char('0')));
    imprimante->setOutputFileName(fichier);
    imprimante->setPageLayout(
        QPageLayout(m_papier, QPageLayout::Portrait, m_marges, QPageLayout::Millimeter, QMarginsF()));
    m_fichiers << fichier;
    return imprimante;
}

QStringList ImprimantePdf::fichiers() const
{
    QStringList ecrits;
    for (const QString& f : m_fichiers) {
        if (QFile::exists(f))
            ecrits << f;
    }
    return ecrits;
}

void ImprimantePdf::rendre(std::unique_ptr<QPrinter> imprimante)
{
    if (imprimante && imprimante->outputFormat() == QPrinter::PdfFormat && imprimante->printerState() == QPrinter::Idle)
        m_libre = std::move(imprimante);
}

ImprimanteObtenue FichierPdf::nouvelleImprimante()
{
    auto imprimante = std::make_unique<QPrinter>(QPrinter::HighResolution);
    imprimante->setOutputFormat(QPrinter::PdfFormat);
    imprimante->setOutputFileName(m_chemin);
    imprimante->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    return imprimante;
}

TravailImpression::TravailImpression(const QString& nomDocument)
{
    ImprimanteObtenue obtenue = imprimantes().nouvelleImprimante();
    if (!obtenue) {
        m_raison = obtenue.raison();
        return;
    }
    m_imprimante = std::move(obtenue).valeur();
    m_imprimante->setDocName(nomDocument);
}

TravailImpression::~TravailImpression()
{
    if (m_peintre.isActive())
        abandonner();
    if (m_imprimante)
        imprimantes().rendre(std::move(m_imprimante));
}

bool TravailImpression::commencer()
{
    if (!m_imprimante)
        return false;
    if (!m_peintre.begin(m_imprimante.get())) {
        m_raison = QStringLiteral("L'impression n'a pas pu commencer sur « %1 ».").arg(nomImprimante(*m_imprimante));
        return false;
    }
    return true;
}

bool TravailImpression::nouvellePage()
{
    if (!m_peintre.isActive() || !m_imprimante->newPage()) {
        m_raison = QStringLiteral("L'imprimante « %1 » n'a pas pu passer à la page suivante.")
                       .arg(nomImprimante(*m_imprimante));
        return false;
    }
    return true;
}

bool TravailImpression::terminer()
{
    if (!m_peintre.isActive() || !m_peintre.end()) {
        m_raison = QStringLiteral("Le travail d'impression n'a pas pu être remis à « %1 ».")
                       .arg(nomImprimante(*m_imprimante));
        return false;
    }
    return true;
}

void TravailImpression::abandonner()
{
    if (!m_imprimante)
        return;
    // Engines that cannot withdraw a started job (PDF, CUPS) close it as
    // it stands.
    m_imprimante->abort();
    if (m_peintre.isActive())
        m_peintre.end();
}

bool imprimanteDisponibleEtConfirmee(const QString& question)
{
    const QString indisponible = imprimantes().indisponibilite();
    if (!indisponible.isEmpty()) {
        afficherErreur(indisponible);
        return false;
    }
    return demanderConfirmation(question) == Reponse::Oui;
}
