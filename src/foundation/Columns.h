#pragma once

// Table numbers: column 1 of every per-tournament row and of every XMasterGrid row.
inline constexpr int TabelleTurnier = 1;
inline constexpr int TabelleGruppe = 2;
inline constexpr int TabelleTeams = 3;
inline constexpr int TabelleSpielplan = 4;
inline constexpr int TabellePlatz = 5;
inline constexpr int TabelleEin = 6;
inline constexpr int TabelleUkSound = 7;

// Column numbers, each the column's position in its table's header (checked at start).
inline constexpr int Tur_Nr = 0;
inline constexpr int Tabelle_Nr = 1;

inline constexpr int Turnier_Name = 3, Turnier_DateiName = 4, Turnier_DateiNameS = 5, Turnier_AnzMann = 6,
                     Turnier_Sportart = 7, Turnier_Datum = 8, Turnier_Changes = 9, Turnier_Score = 10,
                     Turnier_Score2 = 11, Turnier_Score3 = 12, Turnier_Bez = 13, Turnier_System = 14,
                     Turnier_Runden = 15, Turnier_Fehlermeldungen = 16, Turnier_Teams = 17;
// The last unnamed column: the version of the tournament's file as this program last read or
// wrote it (FileVersion.h), so that a save sees another program's save in between. It belongs
// to this run only: the file carries the column empty.
inline constexpr int Turnier_DateiStand = 21;
// The recovery copy this run loaded in place of the tournament's file (files/RecoveryCopy.h), to
// be removed once the tournament is saved. Also this run's only: the file carries it empty.
inline constexpr int Turnier_Sicherungskopie = 20;

inline constexpr int Gruppe_Nr = 2, Gruppe_Tur = 3, Gruppe_GrNr = 4, Gruppe_Bez = 5, Gruppe_Name = 6,
                     Gruppe_Teams = 7, Gruppe_Felder = 8, Gruppe_Zeitspiel = 9, Gruppe_Spieltag = 10,
                     Gruppe_Startzeit = 11, Gruppe_Spielzeit = 12, Gruppe_Pause = 13, Gruppe_Fertig = 14,
                     Gruppe_AnzTeams = 15, Gruppe_AnzFelder = 16, Gruppe_State = 17, Gruppe_Printed = 18,
                     Gruppe_ErgUE = 19, Gruppe_P1 = 20, Gruppe_P2 = 21, Gruppe_P3 = 22, Gruppe_P4 = 23,
                     Gruppe_System = 24, Gruppe_Neutral = 25, Gruppe_RNr = 26, Gruppe_RundeName = 27;

inline constexpr int Spielplan_Nr = 2, Spielplan_Tur = 3, Spielplan_SpNr = 4, Spielplan_Tag = 5,
                     Spielplan_GrNr = 6, Spielplan_Feld = 7, Spielplan_Von = 8, Spielplan_Bis = 9,
                     Spielplan_T1 = 10, Spielplan_T2 = 11, Spielplan_Schir = 12, Spielplan_Status = 13,
                     Spielplan_Spieltag = 14, Spielplan_SatzErg = 15, Spielplan_PPkt = 16, Spielplan_MPkt = 17,
                     Spielplan_PSatz = 18, Spielplan_MSatz = 19, Spielplan_PBall = 20, Spielplan_MBall = 21,
                     Spielplan_Zeitnehmer = 22, Spielplan_Sieger = 23, Spielplan_RNr = 24;

inline constexpr int Teams_Nr = 2, Teams_Tur = 3, Teams_Pos = 4, Teams_GrNr = 5, Teams_Name = 6,
                     Teams_Name_Tur = 7, Teams_Name_Tmp = 8, Teams_Platz = 9, Teams_InGr = 10, Teams_TMP = 11,
                     Teams_SV = 12;

inline constexpr int Platz_Tur = 0, Platz_Tabelle = 1, Platz_TeamNr = 2, Platz_Platz = 3, Platz_GrNr = 4,
                     Platz_Team = 5, Platz_AnzSpiele = 6, Platz_TotalSpiele = 7, Platz_PPkt = 8, Platz_MPkt = 9,
                     Platz_PSatz = 10, Platz_MSatz = 11, Platz_PBall = 12, Platz_MBall = 13;

inline constexpr int Uk_Nr = 2, Uk_Tur = 3, Uk_Date = 4, Uk_Wann = 5, Uk_Wert = 6, Uk_X = 7, Uk_Y = 8, Uk_Font = 9,
                     Uk_Gross = 10, Uk_Farbe = 11, Uk_Status = 12, Uk_Text = 13;

inline constexpr int Ein_Name = 2, Ein_Tur = 3, Ein_Wert = 4;
