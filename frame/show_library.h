// What the module hands the show library and expects back from it: the
// library's and the show script's names, the window class it plays in, and
// the command ids of its cues and its button.
#pragma once

constexpr char kShowLibraryName[] = "PAVLO.DLL";
constexpr char kShowClassName[] = "PavloWCl";
constexpr char kShowScriptName[] = "script_c.mst";
constexpr int kShowControl = 12345;
constexpr int kShowButton = 12346;
// The end code of a show the user skipped.
constexpr long kShowAborted = 4;

// Entry points, looked up by name at every use; a missing one is skipped.
constexpr char kShowStartEntry[] = "Istart";
constexpr char kShowStopEntry[] = "Istop";
constexpr char kShowGoEntry[] = "ForceGo";
constexpr char kShowPaintEntry[] = "ForcePaint";
constexpr char kShowButtonEntry[] = "ClickedButton";
