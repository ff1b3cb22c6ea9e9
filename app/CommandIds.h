// Command and control identifiers of the main window, its menus and its
// screens. They name commands in code and tests; Qt itself does not need
// them.
#pragma once

namespace CommandId {
// Menu and tool bar commands of the main window.
inline constexpr int RecoveryMode = 32797;
inline constexpr int MultiFileMode = 32798;
inline constexpr int Exit = 57665;
inline constexpr int Options = 32782;
inline constexpr int Select = 61449;
inline constexpr int Repair = 61448;
inline constexpr int Preview = 32804;
inline constexpr int Save = 32813;
inline constexpr int SaveFile = 32781;
inline constexpr int SaveRepaired = 32805;
inline constexpr int Help = 32784;
inline constexpr int ThemeOfficeXP = 32786;
inline constexpr int ThemeOffice2000 = 32787;
inline constexpr int ThemeOffice2003Luna = 32788;
inline constexpr int ThemeOffice2003 = 32789;
inline constexpr int ThemeWindowsXP = 32790;
inline constexpr int Next = 32771;
inline constexpr int Back = 32772;

// The step links on the left of the single-file screens.
inline constexpr int SelectFileLink = 61463;
inline constexpr int ViewFileLink = 61464;
inline constexpr int SaveFileLink = 61465;

// The preview screen.
inline constexpr int FormulaBar = 61453;
inline constexpr int SheetTabs = 61452;
inline constexpr int PreviewBack = 61456;
inline constexpr int PreviewSave = 61491;

// Results list context menu of the multiple-file mode.
inline constexpr int OpenFile = 61496;
}  // namespace CommandId

namespace TimerId {
inline constexpr int RepairProgress = 61451;
inline constexpr int JobProgress = 61483;
inline constexpr int PreviewSwitch = 1;
}  // namespace TimerId
