-- The letter database (Save/Lettre.mdb). Ids are auto-numbers that are never
-- given twice. Sorted text columns use the program's French order
-- (FRANCAIS: case and accents ignored); they carry no index, so the stock
-- sqlite3 shell can still read and check the file.

CREATE TABLE Expediteur (
  Numero_Expediteur INTEGER PRIMARY KEY AUTOINCREMENT,
  Titre_Expediteur TEXT,
  Nom_Expediteur TEXT COLLATE FRANCAIS,
  Prenom_Expediteur TEXT COLLATE FRANCAIS,
  Adresse1_Expediteur TEXT,
  Adresse2_Expediteur TEXT,
  CP_Expediteur TEXT,
  Ville_Expediteur TEXT,
  Tel1_Expediteur TEXT,
  Tel2_Expediteur TEXT,
  Fonction_Expediteur TEXT
);

CREATE TABLE Destinataire (
  Numero_Destinataire INTEGER PRIMARY KEY AUTOINCREMENT,
  Titre_Destinataire TEXT,
  Nom_Destinataire TEXT COLLATE FRANCAIS,
  Prenom_Destinataire TEXT COLLATE FRANCAIS,
  Adresse1_Destinataire TEXT,
  Adresse2_Destinataire TEXT,
  CP_Destinataire TEXT,
  Ville_Destinataire TEXT,
  Fonction_Destinataire TEXT,
  Mail_Destinataire TEXT
);

CREATE TABLE Categorie_Modele (
  Numero_Cat_Modele INTEGER PRIMARY KEY AUTOINCREMENT,
  Libelle_Cat_Modele TEXT COLLATE FRANCAIS
);

CREATE TABLE Sous_Categorie_Modele (
  Numero_Sous_Cat_Modele INTEGER PRIMARY KEY AUTOINCREMENT,
  Numero_Cat_Modele INTEGER REFERENCES Categorie_Modele (Numero_Cat_Modele),
  Libelle_Sous_Cat_Modele TEXT COLLATE FRANCAIS
);

CREATE TABLE Modele (
  Numero_Modele INTEGER PRIMARY KEY AUTOINCREMENT,
  Numero_Sous_Cat_Modele INTEGER REFERENCES Sous_Categorie_Modele (Numero_Sous_Cat_Modele),
  Libelle_Modele TEXT COLLATE FRANCAIS,
  Corps_Modele TEXT,
  Lien_Modele TEXT,
  Lien_Fiche_Modele TEXT
);
