#pragma once

// Ids of the controls of the main window and the About box.
enum ControlId : int {
    kIdStart = 1,
    kIdOk = 1,  // the About box
    kIdExit = 2,
    kIdHostBox = 1001,
    kIdPortBox = 1002,
    kIdRefreshBox = 1003,
    kIdStatusLine = 1009,
    kIdHideLoggedOut = 1010,
    kIdQueueFilterBox = 1011,
    kIdGrid = 1012,
    kIdShowHeldTime = 1013,
    kIdDisableRedrawSaveMode = 1014,
    kIdHeightPlus = 1016,
    kIdHeightMinus = 1017,
    kIdWidthPlus = 1018,
    kIdWidthMinus = 1019,
    kIdFontSizeMinus = 1020,
    kIdFontSizePlus = 1021,
    kIdSave = 1022,
    kIdRestore = 1023,
};
