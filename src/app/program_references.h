#pragma once

class CBrevixDlg;
class GridView;

// The main window and its grid, for the code that acts on them while another window, the
// About box, is in front. Set by the main window's initialisation, cleared when it goes.
struct ProgramReferences {
    CBrevixDlg* mainWindow = nullptr;
    GridView* grid = nullptr;
};

ProgramReferences& programReferences();
