#pragma once

#include <QStringList>

// The commands that set up the office's letter database on the PostgreSQL
// server the settings file names, run from a terminal without a window:
//   tilvo-lettres --initialiser-base-postgresql
//   tilvo-lettres --copier-vers-postgresql [CHEMIN]
// (CHEMIN: the letter file to copy, by default the user's own).

// Whether the program's arguments ask for one of them.
bool estCommandeBase(int argc, char** argv);

// Runs the command the arguments name, saying on standard output what was
// done, or on standard error why not. Returns the exit status: 0 done,
// 1 refused (settings that name no server, a database already set up, a
// file that cannot be read, a password refused), 2 the server failed; in
// both failures the server's database is left as it was.
int executerCommandeBase(const QStringList& arguments);
