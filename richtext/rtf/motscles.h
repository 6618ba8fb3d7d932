#pragma once

#include "lecteur.h"

namespace rtf {

// The control words the reader knows, by what they do.
enum class LecteurRtf::Mot {
    // structure and destinations
    Rtf, Ansi, Mac, Pc, Pca, Ansicpg, Deff, Deftab, Fonttbl, Colortbl, Pict, Shppict, Shpinst,
    Field, Fldinst,
    Ignorer, Bin, Uc, U,
    // inside the tables and pictures
    Fcharset, Cpg, Red, Green, Blue, Pngblip, Jpegblip, AutreImage,
    Picwgoal, Pichgoal, Picscalex, Picscaley,
    // text
    Par, Section, Line, Tab, Page, Cell, Row, Caractere,
    // characters
    Plain, B, I, Ul, Ulnone, Strike, F, Fs, Cf, Fond, Super, Sub, NoSuperSub, V,
    // paragraphs
    Pard, Ql, Qr, Qc, Qj, Li, Ri, Fi, Sb, Sa, Sl, Slmult, Tx, Tqr, Tqc, Tqdec, Pagebb,
    // lists and the page number
    Listtable, Listoverridetable, List, Listlevel, Levelnfc, Levelstartat, Leveltext, Levelfollow,
    Listid, Ls, Ilvl, TexteDeRepli, Pn, PnFormat, Pnstart, Pnf, Pntxta, Pntxtb, Chpgn,
};

} // namespace rtf
