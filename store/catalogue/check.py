#!/usr/bin/env python3
"""Contrôle du catalogue de modèles de lettres livré avec Tilvo - Lettres.

Usage :
    check.py            vérifie manifest.txt, les corps RTF, les fiches et les documents HTML ;
                        code de retour 1 au premier problème trouvé (tous sont listés).
    check.py --texte    affiche le texte brut des corps puis des fiches,
                        par exemple pour : check.py --texte | hunspell -d fr_FR -l

Python 3, bibliothèque standard seulement.
"""

import html.parser
import re
import sys
import unicodedata
from pathlib import Path

RACINE = Path(__file__).resolve().parent
MANIFESTE = RACINE / "manifest.txt"
DOSSIER_CORPS = RACINE / "corps"
DOSSIER_FICHES = RACINE / "fiches"

ENTETE_RTF = (r"{\rtf1\ansi\ansicpg1252\deff0\deflang1036"
              r"{\fonttbl{\f0\fnil\fcharset0 Arial;}}\viewkind4\uc1\pard\fs20")
MOTS_RTF_PERMIS = {"rtf", "ansi", "ansicpg", "deff", "deflang", "fonttbl", "f",
                   "fnil", "fcharset", "viewkind", "uc", "pard", "fs", "par",
                   "b", "tab"}
DESTINATIONS_IGNOREES = {"fonttbl"}
PARAMETRES_PERMIS = {"TitreDest"}
NOM_CORPS = re.compile(r"^[a-z0-9][a-z0-9-]*\.rtf$")
LIEN_FICHE = re.compile(r"^Save/fiches/([a-z0-9][a-z0-9-]*\.html)$")
LIEN_WEB = re.compile(r"^https?://\S+$")
ELEMENTS_VIDES = {"area", "base", "br", "col", "embed", "hr", "img", "input",
                  "link", "meta", "source", "track", "wbr"}


class Erreurs:
    def __init__(self):
        self.liste = []

    def __call__(self, ou, message):
        self.liste.append(f"{ou} : {message}")


# --- RTF -------------------------------------------------------------------

JETON_RTF = re.compile(r"\\'([0-9a-fA-F]{2})|\\([a-z]+)(-?\d+)? ?|\\(.)|([{}])|([\r\n])|([^\\{}\r\n]+)",
                       re.S)


def lire_rtf(source):
    """Rend (texte brut, liste de problèmes) pour un document RTF du catalogue."""
    problemes = []
    morceaux = []
    profondeur = 0
    ignorees = []          # profondeurs des groupes de destination ignorés
    gras = False
    position = 0
    fini = False
    for m in JETON_RTF.finditer(source):
        if m.start() != position:
            problemes.append(f"syntaxe RTF invalide vers la position {position}")
            break
        position = m.end()
        if fini:
            problemes.append("texte après l'accolade fermante du document")
            break
        hexa, mot, param, symbole, accolade, fin_ligne, texte = m.groups()
        dans_ignoree = bool(ignorees)
        if accolade == "{":
            profondeur += 1
        elif accolade == "}":
            if ignorees and ignorees[-1] == profondeur:
                ignorees.pop()
            profondeur -= 1
            if profondeur == 0:
                fini = True
            elif profondeur < 0:
                problemes.append("accolade fermante sans ouvrante")
                break
        elif fin_ligne:
            pass
        elif mot is not None:
            if mot not in MOTS_RTF_PERMIS:
                problemes.append(f"mot de contrôle inattendu \\{mot}")
            if mot in DESTINATIONS_IGNOREES:
                ignorees.append(profondeur)
            elif not dans_ignoree:
                if mot == "par":
                    if gras:
                        problemes.append("gras non refermé (\\b0) avant la fin du paragraphe")
                        gras = False
                    morceaux.append("\n")
                elif mot == "tab":
                    morceaux.append("\t")
                elif mot == "b":
                    nouveau = param != "0"
                    if nouveau == gras:
                        problemes.append("\\b ou \\b0 sans effet (gras mal apparié)")
                    gras = nouveau
        elif hexa is not None:
            octet = bytes([int(hexa, 16)])
            try:
                caractere = octet.decode("cp1252")
            except UnicodeDecodeError:
                problemes.append(f"code \\'{hexa} absent de la page de code 1252")
                caractere = "?"
            if not dans_ignoree:
                morceaux.append(caractere)
        elif symbole is not None:
            if symbole not in "\\{}":
                problemes.append(f"symbole RTF inattendu \\{symbole}")
            elif not dans_ignoree:
                morceaux.append(symbole)
        elif texte is not None and not dans_ignoree:
            morceaux.append(texte)
    else:
        if position != len(source):
            problemes.append("syntaxe RTF invalide en fin de fichier")
    if not fini:
        problemes.append("accolades déséquilibrées : le document n'est pas refermé")
    if gras:
        problemes.append("gras non refermé à la fin du document")
    return "".join(morceaux), problemes


def verifier_ponctuation(texte, signaler):
    """Typographie française : une espace avant : ; ? !"""
    for m in re.finditer(r"[^\s][:;?!]", texte):
        signaler(f"espace manquante avant : ; ? ! dans « {texte[max(0, m.start() - 30):m.end() + 10]} »")


def verifier_texte_corps(texte, signaler):
    if not texte.strip():
        signaler("corps vide")
    for nom in re.findall(r"<([^<>]*)>", texte):
        if nom not in PARAMETRES_PERMIS:
            signaler(f"paramètre <{nom}> non rempli par la composition")
    profondeur = 0
    for c in texte:
        if c == "[":
            profondeur += 1
        elif c == "]":
            profondeur -= 1
        if profondeur not in (0, 1):
            signaler("crochets mal appariés")
            break
    if profondeur:
        signaler("crochets mal appariés")
    verifier_ponctuation(texte, signaler)
    for ligne in texte.split("\n"):
        if "  " in ligne or ligne != ligne.strip():
            signaler(f"espaces en trop dans « {ligne[:60]} »")
        if "\u00a0" in ligne:
            signaler("espace insécable : employer une espace simple")


def verifier_corps(chemin, signaler):
    donnees = chemin.read_bytes()
    if any(o > 0x7F or (o < 0x20 and o not in (0x0A, 0x0D)) for o in donnees):
        signaler("caractère hors de l'ASCII 7 bits (écrire \\'hh)")
        return ""
    source = donnees.decode("ascii")
    if not source.startswith(ENTETE_RTF):
        signaler("en-tête RTF différent de celui de l'éditeur")
    texte, problemes = lire_rtf(source)
    for probleme in problemes:
        signaler(probleme)
    verifier_texte_corps(texte, signaler)
    return texte


# --- Fiches HTML -----------------------------------------------------------

class LecteurFiche(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.pile = []
        self.problemes = []
        self.textes = []
        self.titre = ""
        self.jeu_utf8 = False
        self.langue = None

    def handle_starttag(self, balise, attributs):
        attributs = dict(attributs)
        if balise == "meta" and (attributs.get("charset") or "").lower() == "utf-8":
            self.jeu_utf8 = True
        if balise == "html":
            self.langue = attributs.get("lang")
        if balise not in ELEMENTS_VIDES:
            self.pile.append(balise)

    def handle_startendtag(self, balise, attributs):
        self.handle_starttag(balise, attributs)
        if balise not in ELEMENTS_VIDES:
            self.pile.pop()

    def handle_endtag(self, balise):
        if balise in ELEMENTS_VIDES:
            return
        if not self.pile or self.pile[-1] != balise:
            self.problemes.append(f"balise </{balise}> mal imbriquée")
            if balise in self.pile:
                del self.pile[self.pile.index(balise):]
        else:
            self.pile.pop()

    def handle_data(self, donnees):
        if self.pile and self.pile[-1] == "title":
            self.titre += donnees
        if not self.pile or self.pile[-1] not in ("style", "script"):
            self.textes.append(donnees)


def verifier_fiche(chemin, signaler):
    try:
        source = chemin.read_text(encoding="utf-8")
    except UnicodeDecodeError:
        signaler("fichier non UTF-8")
        return ""
    if not source.lstrip().lower().startswith("<!doctype html>"):
        signaler("doctype HTML5 manquant")
    lecteur = LecteurFiche()
    lecteur.feed(source)
    lecteur.close()
    for probleme in lecteur.problemes:
        signaler(probleme)
    if lecteur.pile:
        signaler("balises non refermées : " + ", ".join(lecteur.pile))
    if not lecteur.jeu_utf8:
        signaler('<meta charset="utf-8"> manquant')
    if lecteur.langue != "fr":
        signaler('<html lang="fr"> manquant')
    if not lecteur.titre.strip():
        signaler("titre manquant")
    texte = "".join(lecteur.textes)
    verifier_ponctuation(texte, signaler)
    return texte


# --- Manifeste -------------------------------------------------------------

def cle_francaise(libelle):
    """Clé de tri à la française : sans casse ni accents."""
    sans_ligature = libelle.lower().replace("œ", "oe").replace("æ", "ae")
    decompose = unicodedata.normalize("NFD", sans_ligature)
    return "".join(c for c in decompose if not unicodedata.combining(c))


def verifier_ordre(libelles, quoi, signaler):
    """La base trie par octets : cet ordre doit être aussi l'ordre français."""
    par_octets = sorted(libelles, key=lambda s: s.encode("utf-8"))
    a_la_francaise = sorted(libelles, key=lambda s: (cle_francaise(s), s.encode("utf-8")))
    if par_octets != a_la_francaise:
        signaler(f"{quoi} : l'ordre de la base ({' < '.join(par_octets)}) "
                 f"n'est pas l'ordre alphabétique français")


def entier_positif(valeur):
    return valeur.isdigit() and int(valeur) > 0 and not valeur.startswith("0")


def verifier_libelle(libelle, signaler, interdits=""):
    if not libelle or libelle != libelle.strip() or "  " in libelle:
        signaler(f"libellé vide ou mal espacé : « {libelle} »")
    for c in interdits:
        if c in libelle:
            signaler(f"le libellé « {libelle} » ne doit pas contenir {c}")


def lire_manifeste(erreurs):
    categories, sous_categories, modeles = {}, {}, []
    champs_attendus = {"C": 3, "S": 4, "M": 6}
    for numero, ligne in enumerate(MANIFESTE.read_text(encoding="utf-8").splitlines(), 1):
        ou = f"manifest.txt:{numero}"
        if not ligne.strip() or ligne.startswith("#"):
            continue
        champs = ligne.split("|")
        genre = champs[0]
        if genre not in champs_attendus or len(champs) != champs_attendus[genre]:
            erreurs(ou, "ligne mal formée (C|id|libellé, S|id|catégorie|libellé "
                        "ou M|sous-catégorie|libellé|corps|lien|fiche)")
            continue
        if genre == "C":
            _, ident, libelle = champs
            if not entier_positif(ident) or int(ident) in categories:
                erreurs(ou, f"identifiant de catégorie invalide ou en double : {ident}")
                continue
            verifier_libelle(libelle, lambda m: erreurs(ou, m), "'")
            categories[int(ident)] = (libelle, ou)
        elif genre == "S":
            _, ident, categorie, libelle = champs
            if not entier_positif(ident) or int(ident) in sous_categories:
                erreurs(ou, f"identifiant de sous-catégorie invalide ou en double : {ident}")
                continue
            if not entier_positif(categorie):
                erreurs(ou, f"catégorie invalide : {categorie}")
                continue
            verifier_libelle(libelle, lambda m: erreurs(ou, m), '"')
            sous_categories[int(ident)] = (int(categorie), libelle, ou)
        else:
            _, sous_categorie, libelle, corps, lien, fiche = champs
            if not entier_positif(sous_categorie):
                erreurs(ou, f"sous-catégorie invalide : {sous_categorie}")
                continue
            verifier_libelle(libelle, lambda m: erreurs(ou, m))
            modeles.append((int(sous_categorie), libelle, corps, lien, fiche, ou))
    return categories, sous_categories, modeles


def verifier_references(categories, sous_categories, modeles, erreurs):
    libelles = [libelle for libelle, _ in categories.values()]
    for libelle, ou in categories.values():
        if libelles.count(libelle) > 1:
            erreurs(ou, f"libellé de catégorie en double : {libelle}")
    verifier_ordre(libelles, "catégories", lambda m: erreurs("manifest.txt", m))
    for ident, (libelle, ou) in sorted(categories.items()):
        filles = [s[1] for s in sous_categories.values() if s[0] == ident]
        if not filles:
            erreurs(ou, f"la catégorie « {libelle} » n'a aucune sous-catégorie")
        for doublon in {f for f in filles if filles.count(f) > 1}:
            erreurs(ou, f"sous-catégorie en double dans « {libelle} » : {doublon}")
        verifier_ordre(filles, f"sous-catégories de « {libelle} »",
                       lambda m: erreurs("manifest.txt", m))
    for ident, (categorie, libelle, ou) in sorted(sous_categories.items()):
        if categorie not in categories:
            erreurs(ou, f"catégorie {categorie} inconnue")
        noms = [m[1] for m in modeles if m[0] == ident]
        if not noms:
            erreurs(ou, f"la sous-catégorie « {libelle} » n'a aucun modèle")
        for doublon in {n for n in noms if noms.count(n) > 1}:
            erreurs(ou, f"modèle en double dans « {libelle} » : {doublon}")
        verifier_ordre(noms, f"modèles de « {libelle} »",
                       lambda m: erreurs("manifest.txt", m))
    for sous_categorie, _, _, _, _, ou in modeles:
        if sous_categorie not in sous_categories:
            erreurs(ou, f"sous-catégorie {sous_categorie} inconnue")


def verifier_fichiers(modeles, erreurs):
    corps_cites, fiches_citees = set(), set()
    for _, libelle, corps, lien, fiche, ou in modeles:
        if not NOM_CORPS.match(corps):
            erreurs(ou, f"nom de corps invalide : « {corps} »")
        elif corps in corps_cites:
            erreurs(ou, f"corps {corps} déjà utilisé par un autre modèle")
        elif not (DOSSIER_CORPS / corps).is_file():
            erreurs(ou, f"corps introuvable : corps/{corps}")
        else:
            corps_cites.add(corps)
            verifier_corps(DOSSIER_CORPS / corps, lambda m, c=corps: erreurs(f"corps/{c}", m))
        if lien != lien.strip():
            erreurs(ou, "lien de modèle mal espacé")
        elif lien and not LIEN_WEB.match(lien):
            m = LIEN_FICHE.match(lien)
            if not m:
                erreurs(ou, f"lien de modèle invalide (attendu https://… ou Save/fiches/<nom>.html) : {lien}")
            elif not (DOSSIER_FICHES / m.group(1)).is_file():
                erreurs(ou, f"document introuvable : fiches/{m.group(1)}")
            else:
                fiches_citees.add(m.group(1))
        if fiche:
            m = LIEN_FICHE.match(fiche)
            if not m:
                erreurs(ou, f"lien de fiche invalide (attendu Save/fiches/<nom>.html) : {fiche}")
            elif not (DOSSIER_FICHES / m.group(1)).is_file():
                erreurs(ou, f"fiche introuvable : fiches/{m.group(1)}")
            else:
                fiches_citees.add(m.group(1))
    cites = {m[2] for m in modeles}
    for chemin in sorted(DOSSIER_CORPS.glob("*")):
        if chemin.name not in cites:
            erreurs(f"corps/{chemin.name}", "fichier cité par aucun modèle")
    for chemin in sorted(DOSSIER_FICHES.glob("*")):
        if chemin.suffix != ".html":
            erreurs(f"fiches/{chemin.name}", "seules des fiches .html sont attendues ici")
            continue
        verifier_fiche(chemin, lambda m, n=chemin.name: erreurs(f"fiches/{n}", m))
        if chemin.name not in fiches_citees:
            erreurs(f"fiches/{chemin.name}", "fiche citée par aucun modèle")
    return len(fiches_citees)


def afficher_texte():
    for chemin in sorted(DOSSIER_CORPS.glob("*.rtf")):
        texte, _ = lire_rtf(chemin.read_bytes().decode("ascii", errors="replace"))
        print(texte)
        print()
    for chemin in sorted(DOSSIER_FICHES.glob("*.html")):
        print(verifier_fiche(chemin, lambda _m: None))
        print()


def main(arguments):
    if arguments == ["--texte"]:
        afficher_texte()
        return 0
    if arguments:
        print(__doc__, file=sys.stderr)
        return 2
    erreurs = Erreurs()
    if not MANIFESTE.is_file():
        print("manifest.txt introuvable", file=sys.stderr)
        return 1
    categories, sous_categories, modeles = lire_manifeste(erreurs)
    verifier_references(categories, sous_categories, modeles, erreurs)
    nb_fiches = verifier_fichiers(modeles, erreurs)
    avec_fiche = sum(1 for m in modeles if m[4])
    avec_document = sum(1 for m in modeles if m[3])
    for erreur in erreurs.liste:
        print(erreur, file=sys.stderr)
    print(f"{len(categories)} catégories, {len(sous_categories)} sous-catégories, "
          f"{len(modeles)} modèles ({avec_fiche} avec fiche, {avec_document} avec document), "
          f"{nb_fiches} fiches et documents, "
          f"{len(erreurs.liste)} problème(s)")
    return 1 if erreurs.liste else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
