#pragma once
// Identifiers of menu 30001, its dialogs and the fields the shell touches.

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

enum DialogId : int {
    kDlgPressureScale = 102,
    kDlgDrawingScale = 104,
    kDlgTemperatureScale = 106,
};

enum FieldId : int {
    kButtonOk = 1,
    kButtonCancel = 2,
    kFieldFactor = 1004,    // real: drawing scale, or axis length
    kFieldAutomatic = 1005, // first radio button of the auto/manual group
    kFieldManual = 1006,
    kFieldMaxLabel = 1007,
    kFieldMaxValue = 1009, // real: the manual maximum
};

enum StringId : int {
    kFilterSolakoData = 50001,
    kFilterMerantData = 50004,
    kFilterBitmap = 50007,
};

// WMENUSETSTATE properties.
enum MenuProperty : int {
    kMenuEnabled = 1,
    kMenuChecked = 2,
};

// Icon codes of WMESSAGEBOX as the shell uses them.
enum MessageIcon : int {
    kIconError = 1,    // a failure the user must know about
    kIconQuestion = 2, // a question before something is replaced
    kIconWarning = 3,  // the icon of UWAGA's warnings
};

// Button codes of WMESSAGEBOX (WINFODIALOG(4) is 1 after OK or Yes).
enum MessageButtons : int {
    kButtonsOk = 0,
    kButtonsYesNo = 2,
};

} // namespace lobus
