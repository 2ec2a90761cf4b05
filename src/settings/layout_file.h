#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "app/grid/grid_view.h"
#include "settings/board_settings.h"
#include "settings/clock.h"
#include "settings/debug_log.h"
#include "settings/message_sink.h"

inline constexpr const char* kLayoutFileStem = "BrevixTable";

enum class LayoutCheckBox { HideLoggedOut, ShowHeldTime, DisableRedrawSaveMode };

// What the layout file reads from and writes to the main window.
class LayoutWindow {
  public:
    virtual ~LayoutWindow() = default;
    virtual GridView::PixelSize getMainWindowSize() const = 0;
    // Resizes the main window keeping its top-left corner.
    virtual void setMainWindowSize(int32_t width, int32_t height) = 0;
    virtual bool isChecked(LayoutCheckBox box) const = 0;
    // Sets the box's state and then runs its click handler, exactly as a click would.
    virtual void setCheckedAndClick(LayoutCheckBox box, bool checked) = 0;
    // The queue filter box's text, cut to `capacity` characters (out holds capacity + 1).
    virtual void readQueueFilter(char* out, std::size_t capacity) const = 0;
    virtual void setQueueFilter(const char* text) = 0;
};

// Saves the grid and window layout to BrevixTable.cfg in the working directory (moving an
// existing file aside to BrevixTable-<seconds>.cfg first) and applies it again.
class LayoutFile {
  public:
    LayoutFile(GridView& grid, LayoutWindow& window, MessageSink& messages,
               const BoardSettings& settings, const DebugLog& log, const Clock& clock)
        : grid_(grid),
          window_(window),
          messages_(messages),
          settings_(settings),
          log_(log),
          clock_(clock) {}

    // The About box's Save and Restore buttons: each asks first, then acts on Yes.
    void confirmAndSave();
    void confirmAndRestore();

    void saveTableConfig();
    void restoreTableConfig();

  private:
    void moveOldFileAside(const char* fileName);
    void writeLayout(std::FILE* out, const char* fileName) const;
    void writeSizesAndFont(std::FILE* out) const;
    void writeColumns(std::FILE* out) const;
    void writeCheckBoxesAndFilter(std::FILE* out) const;

    void applyLine(const char* line);
    bool applySizeLine(const char* line);
    bool applyFontSizeLine(const char* line);
    bool applyColumnLine(const char* line);
    bool applyCheckBoxLine(const char* line);
    bool applyQueueFilterLine(const char* line);

    void tellUser(const char* text);

    GridView& grid_;
    LayoutWindow& window_;
    MessageSink& messages_;
    const BoardSettings& settings_;
    const DebugLog& log_;
    const Clock& clock_;
};
