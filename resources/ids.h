#pragma once
// The numbers by which the program's resources are looked up: the menu and
// its commands, the dialogs and their fields, the strings. The one place they
// are written.

namespace lobus {

enum MenuId : int {
    kMenuMain = 30001,
    kMenuFile = 40001, // submenu "&Plik"
    kCmdOpen = 40002,
    kCmdSaveBitmap = 40003,
    kCmdPrint = 40004,
    kCmdExit = 40005,
    kMenuView = 40006, // submenu "&Widok"
    kCmdDrawingScale = 40007,
    kCmdPressureScale = 40008,
    kMenuColours = 40009,    // submenu "&Kolory"
    kCmdColourFirst = 40010, // "Klin nr &1"; wedge k is kCmdColourFirst + k - 1
    kCmdColourLast = 40015,
    kCmdTemperatureScale = 40016,
};

// Entries the window layer adds to the File menu (kMenuFile) after the
// resource's own, which keep their places: Export picture, and the submenu of
// recent files (a recent file chosen comes as kOpenFile). Export is enabled
// and greyed with Save bitmap.
enum DesktopMenuId : int {
    kCmdExportPicture = 40101,
    kMenuRecentFiles = 40102,
};

enum DialogId : int {
    kDlgPressureScale = 102,
    kDlgDrawingScale = 104,
    kDlgTemperatureScale = 106,
};

enum FieldId : int {
    kButtonOk = 1,
    kButtonCancel = 2,
    kFieldFactorLabel = 1001,
    kFieldFactor = 1004,    // real: drawing scale, or axis length
    kFieldAutomatic = 1005, // first radio button of the auto/manual group
    kFieldManual = 1006,
    kFieldMaxLabel = 1007,
    kFieldMaxValue = 1009,  // real: the manual maximum
    kFieldScaleKind = 1010, // the group box around the radio group
};

// File-type filters of the file-selection dialogs.
enum StringId : int {
    kFilterSolakoData = 50001,
    kFilterChaSolako = 50002,
    kFilterCisSolako = 50003,
    kFilterMerantData = 50004,
    kFilterChaMerant = 50005,
    kFilterCisMerant = 50006,
    kFilterBitmap = 50007,
    kFilterTemSolako = 50008,
    kFilterPictures = 50101, // the Export picture command's formats
};

} // namespace lobus
