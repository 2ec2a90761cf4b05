// Renders the program's windows into PNG files for the documentation:
//   brevix-screenshots <output directory>
// Run it in a scratch working directory: the main window reads Brevix.ini from there.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QString>
#include <cstdio>

#include "app/about_dlg.h"
#include "app/brevix_dlg.h"
#include "settings/clock.h"

namespace {

// The moment every picture is taken, so pictures with durations come out the same on every
// run. The filled board sets the clock back while it feeds an agent's messages, so that each
// agent has been in its mode (or on hold) for as long as the picture wants.
constexpr int64_t kPictureMoment = 1717243200;  // 2024-06-01 12:00:00 UTC

class PictureClock final : public Clock {
  public:
    int64_t now = kPictureMoment;
    int64_t nowSeconds() const override { return now; }
    LocalDateTime localNow() const override { return {2024, 6, 1, 12, 0, 0}; }
};

PictureClock pictureClock;

// Lets the window system map and paint what was just shown.
void settle() {
    for (int round = 0; round < 10; ++round) QApplication::processEvents();
}

QPixmap renderMainWindow(CBrevixDlg& window) {
    window.show();
    settle();
    return window.grab();
}

QPixmap renderAboutBox(CBrevixDlg& window) {
    CAboutDlg about(&window);
    about.show();
    settle();
    return about.grab();
}

// One agent of the filled board: its message fields, how long ago it entered its mode and,
// when its call is on hold, how long ago that began.
struct BoardAgent {
    const char* id;
    const char* name;
    const char* mode;
    const char* extension;
    const char* extState;
    const char* queues;
    int64_t secondsInMode;
    int64_t secondsHeld;
};

constexpr BoardAgent kBoardAgents[] = {
    {"4101", "Alice Moreau", "ACD", "2101", "ACDCALL", "Sales|Billing", 184, 0},
    {"4102", "Bruno Keller", "READY", "2102", "IDLE", "Sales", 42, 0},
    {"4103", "Chiara Rossi", "ACD", "2103", "HELD", "Support|Sales", 512, 95},
    {"4104", "Daniel Okafor", "AUX6", "2104", "UNAVAILABLE", "Support", 1985, 0},
    {"4105", "Eva Lindqvist", "ACWIB", "2105", "IDLE", "Billing", 37, 0},
    {"4106", "Farid Haddad", "READY", "2106", "IDLE", "Sales|Support", 366, 0},
    {"4107", "Grace Chen", "NOTREADY", "2107", "IDLE", "Support", 171, 0},
    {"4108", "Hugo Martins", "OUTBOUND-NR", "2108", "DIALING", "Outbound", 12, 0},
    {"4109", "Ines Varga", "ACD", "2109", "ACDCALL", "Billing", 688, 0},
    {"4110", "Jonas Becker", "LOGGEDOUT", "2110", "unknown", "Sales", 7420, 0},
    {"4111", "Kira Novak", "AUX7", "2111", "UNAVAILABLE", "Support|Billing", 420, 0},
    {"4112", "Luca Bianchi", "INBOUND-NR", "2112", "INUSE", "Support", 233, 0},
    {"4113", "Maya Patel", "ACD", "2113", "ACDCALL", "Sales", 96, 0},
    {"4114", "Noah Schmidt", "ACWOB", "2114", "IDLE", "Outbound", 64, 0},
    {"4115", "Olga Ivanova", "READY", "2115", "RINGING", "Billing|Sales", 18, 0},
    {"4116", "Pedro Alves", "AUX8", "2116", "UNAVAILABLE", "Support", 1320, 0},
    {"4117", "Quinn Murphy", "ACD", "2117", "HELD", "Support", 301, 240},
    {"4118", "Rosa Diaz", "READY", "2118", "IDLE", "Sales|Support", 125, 0},
    {"4119", "Sven Larsen", "AUX9", "2119", "UNAVAILABLE", "Billing", 2710, 0},
    {"4120", "Tara Singh", "ACD", "2120", "ACDCALL", "Sales|Billing", 45, 0},
    {"4121", "Umar Farouk", "BUSY-OUT", "2121", "BUSY", "Outbound", 850, 0},
    {"4122", "Vera Kowalski", "ACWIB", "2122", "IDLE", "Support", 131, 0},
    {"4123", "Wen Zhao", "ACD", "2123", "ACDCALL", "Support|Billing", 367, 0},
    {"4124", "Ximena Ruiz", "AUX10", "2124", "UNAVAILABLE", "Sales", 95, 0},
    {"4125", "Yusuf Demir", "READY", "2125", "IDLE", "Billing", 8, 0},
    {"4126", "Zoe Laurent", "AUX11", "2126", "UNAVAILABLE", "Support", 610, 0},
    {"4127", "Arjun Mehta", "ACD", "2127", "ACDCALL", "Sales", 1104, 0},
    {"4128", "Bianca Costa", "LOGGEDOUT", "2128", "unknown", "Billing", 91000, 0},
    {"4129", "Colin Walsh", "NOTREADY", "2129", "IDLE", "Sales|Support", 36, 0},
    {"4130", "Dana Levi", "ACD", "2130", "HELD", "Billing|Support", 208, 33},
};

// Sends one agent message through the board as the link would, at the given moment.
void applyAgentMessage(CBrevixDlg& window, const BoardAgent& agent, const char* extState,
                       int64_t at) {
    char body[512];
    std::snprintf(body, sizeof body, "%s,%s,%s,%s,0,0,%s,%s", agent.id, agent.name, agent.mode,
                  agent.extension, extState, agent.queues);
    pictureClock.now = at;
    BoardCore& core = window.core();
    const int32_t index = core.table.update_agentTbl(body);
    if (index >= 0) core.rows.placeAgentRow(core.table.record(index));
}

// About thirty agents in every kind of state, coloured from the sample options file, with
// "Show held time" on so the held calls show their time on hold.
QPixmap renderFilledBoard(CBrevixDlg& window) {
    for (const BoardAgent& agent : kBoardAgents) {
        const bool held = agent.secondsHeld > 0;
        applyAgentMessage(window, agent, held ? "ACDCALL" : agent.extState,
                          kPictureMoment - agent.secondsInMode);
        if (held)
            applyAgentMessage(window, agent, agent.extState, kPictureMoment - agent.secondsHeld);
    }
    pictureClock.now = kPictureMoment;
    window.setCheckedAndClick(LayoutCheckBox::ShowHeldTime, true);
    window.core().rows.refreshAgentRows();
    window.setStatusLine("Registration to server succeeded");
    window.show();
    settle();
    return window.grab();
}

// A picture is a file name and a function that brings the main window into the state to show
// and grabs it. The filled board comes last: it leaves agents on the board.
struct Picture {
    const char* fileName;
    QPixmap (*render)(CBrevixDlg& window);
};

constexpr Picture kPictures[] = {
    {"main-window.png", renderMainWindow},
    {"about-box.png", renderAboutBox},
    {"board-filled.png", renderFilledBoard},
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: brevix-screenshots <output directory>\n");
        return 2;
    }
    QDir output(QString::fromLocal8Bit(argv[1]));
    const char* const windowArguments[] = {"brevix", "-host127.0.0.1", "-colors"};
    CBrevixDlg window(3, windowArguments, pictureClock);

    int failures = 0;
    for (const Picture& picture : kPictures) {
        QString path = output.filePath(QString::fromLatin1(picture.fileName));
        bool saved = picture.render(window).save(path, "PNG");
        std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
        if (!saved) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
