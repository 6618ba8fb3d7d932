#include "support/pdfmots.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTextDocumentFragment>

QList<MotPdf> ContenuPdf::motsDePage(int page) const
{
    QList<MotPdf> r;
    for (const MotPdf& m : mots) {
        if (m.page == page)
            r << m;
    }
    return r;
}

const MotPdf* ContenuPdf::trouver(const QString& t, int page) const
{
    for (const MotPdf& m : mots) {
        if (m.page == page && m.texte == t)
            return &m;
    }
    return nullptr;
}

QString ContenuPdf::texte(int page) const
{
    QStringList r;
    for (const MotPdf& m : motsDePage(page))
        r << m.texte;
    return r.join(QLatin1Char(' '));
}

ContenuPdf lirePdf(const QString& chemin)
{
    ContenuPdf contenu;
    QProcess pdftotext;
    pdftotext.setStandardErrorFile(QProcess::nullDevice());
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-q"), QStringLiteral("-bbox"), chemin, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(60000) || pdftotext.exitCode() != 0) {
        contenu.erreur = QStringLiteral("pdftotext n'a pas pu lire %1").arg(chemin);
        return contenu;
    }
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression element(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">|"
                       "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (auto it = element.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty()) {
            contenu.pages << QSizeF(m.captured(1).toDouble() * kCmParPoint, m.captured(2).toDouble() * kCmParPoint);
            continue;
        }
        const QPointF hautGauche(m.captured(3).toDouble() * kCmParPoint, m.captured(4).toDouble() * kCmParPoint);
        const QPointF basDroit(m.captured(5).toDouble() * kCmParPoint, m.captured(6).toDouble() * kCmParPoint);
        contenu.mots << MotPdf{int(contenu.pages.size()) - 1,
                               QTextDocumentFragment::fromHtml(m.captured(7)).toPlainText(),
                               QRectF(hautGauche, basDroit)};
    }
    return contenu;
}
