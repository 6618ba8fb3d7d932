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
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-q"), QStringLiteral("-bbox"), chemin, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(60000) || pdftotext.exitCode() != 0) {
        contenu.erreur = QStringLiteral("pdftotext n'a pas pu lire %1").arg(chemin);
        return contenu;
    }
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression element(QStringLiteral(
        "<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">|"
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

QString differenceMots(const ContenuPdf& a, const ContenuPdf& b, double toleranceCm)
{
    if (!a.erreur.isEmpty() || !b.erreur.isEmpty())
        return a.erreur + b.erreur;
    if (a.pages.size() != b.pages.size() || a.mots.size() != b.mots.size())
        return QStringLiteral("%1 pages et %2 mots contre %3 pages et %4 mots")
            .arg(a.pages.size())
            .arg(a.mots.size())
            .arg(b.pages.size())
            .arg(b.mots.size());
    const auto proches = [toleranceCm](const QPointF& p, const QPointF& q) {
        return qAbs(p.x() - q.x()) <= toleranceCm && qAbs(p.y() - q.y()) <= toleranceCm;
    };
    for (qsizetype i = 0; i < a.pages.size(); ++i) {
        if (!proches(QPointF(a.pages[i].width(), a.pages[i].height()),
                     QPointF(b.pages[i].width(), b.pages[i].height())))
            return QStringLiteral("la page %1 n'a pas la même taille").arg(i + 1);
    }
    for (qsizetype i = 0; i < a.mots.size(); ++i) {
        const MotPdf& m = a.mots[i];
        const MotPdf& n = b.mots[i];
        if (m.page != n.page || m.texte != n.texte || !proches(m.boite.topLeft(), n.boite.topLeft())
            || !proches(m.boite.bottomRight(), n.boite.bottomRight()))
            return QStringLiteral("« %1 » (page %2) à (%3, %4) cm contre « %5 » (page %6) à (%7, %8) cm")
                .arg(m.texte)
                .arg(m.page + 1)
                .arg(m.boite.left())
                .arg(m.boite.top())
                .arg(n.texte)
                .arg(n.page + 1)
                .arg(n.boite.left())
                .arg(n.boite.top());
    }
    return QString();
}
