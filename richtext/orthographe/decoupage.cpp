#include "richtext/orthographe/decoupage.h"

#include <QRegularExpression>
#include <QString>

namespace orthographe {

namespace {

bool lettreDeMot(QChar c)
{
    return c.isLetterOrNumber() || c.isMark();
}

bool apostrophe(QChar c)
{
    return c == u'\'' || c == u'’';
}

// A run of non-blank characters that is an e-mail or web address: it holds
// an "@", a "://", or a dot between two letters ("impots.gouv.fr"), which
// running text never has.
bool adresse(QStringView bloc)
{
    if (bloc.contains(u'@') || bloc.contains(u"://"))
        return true;
    for (qsizetype i = 1; i + 1 < bloc.size(); ++i) {
        if (bloc[i] == u'.' && lettreDeMot(bloc[i - 1]) && lettreDeMot(bloc[i + 1]))
            return true;
    }
    return false;
}

int longueurElision(QStringView mot)
{
    static const QStringList kElisions = {
        QStringLiteral("l"),      QStringLiteral("d"),     QStringLiteral("j"),      QStringLiteral("m"),
        QStringLiteral("n"),      QStringLiteral("s"),     QStringLiteral("t"),      QStringLiteral("c"),
        QStringLiteral("qu"),     QStringLiteral("jusqu"), QStringLiteral("lorsqu"), QStringLiteral("puisqu"),
        QStringLiteral("quoiqu"),
    };
    for (qsizetype i = 0; i + 1 < mot.size(); ++i) {
        if (apostrophe(mot[i]))
            return kElisions.contains(mot.left(i).toString().toLower()) ? static_cast<int>(i + 1) : 0;
    }
    return 0;
}

} // namespace

bool horsVerification(QStringView mot)
{
    static const QRegularExpression kOrdinalRomain(QStringLiteral("^[IVXLCDM]+(e|er|re|es|ers|res|ème|èmes)$"));
    for (const QChar c : mot) {
        if (c.isDigit())
            return true;
    }
    return kOrdinalRomain.match(mot.toString()).hasMatch();
}

QList<Mot> decouperMots(QStringView texte)
{
    QList<Mot> mots;
    const auto n = texte.size();
    qsizetype i = 0;
    while (i < n) {
        if (texte[i].isSpace()) {
            ++i;
            continue;
        }
        qsizetype finBloc = i;
        while (finBloc < n && !texte[finBloc].isSpace())
            ++finBloc;
        if (adresse(texte.mid(i, finBloc - i))) {
            i = finBloc;
            continue;
        }
        qsizetype j = i;
        while (j < finBloc) {
            if (!lettreDeMot(texte[j])) {
                ++j;
                continue;
            }
            qsizetype k = j + 1;
            while (k < finBloc) {
                if (lettreDeMot(texte[k]))
                    ++k;
                else if ((apostrophe(texte[k]) || texte[k] == u'-') && k + 1 < finBloc && lettreDeMot(texte[k + 1]))
                    k += 2;
                else
                    break;
            }
            const QStringView mot = texte.mid(j, k - j);
            const bool variable = j > 0 && texte[j - 1] == u'<' && k < n && texte[k] == u'>';
            // The other gender's ending, as in "heureux(euse)".
            const bool terminaison = j > 1 && texte[j - 1] == u'(' && lettreDeMot(texte[j - 2]) && k < n
                && texte[k] == u')';
            if (!variable && !terminaison && !horsVerification(mot))
                mots.append({static_cast<int>(j), static_cast<int>(k - j), longueurElision(mot)});
            j = k;
        }
        i = finBloc;
    }
    return mots;
}

} // namespace orthographe
