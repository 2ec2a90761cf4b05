#pragma once

#include <string>
#include <vector>

#include "settings/fixed_text.h"
#include "settings/layout_file.h"

// The main window as the layout file sees it: its size, the three check boxes and the queue
// filter box. Every change is logged, a check box set by the program as a click.
class FakeLayoutWindow final : public LayoutWindow {
  public:
    GridView::PixelSize size{600, 540};
    bool checked[3] = {false, false, false};
    std::string queueFilter;
    std::vector<std::string> calls;

    GridView::PixelSize getMainWindowSize() const override { return size; }
    void setMainWindowSize(int32_t width, int32_t height) override {
        calls.push_back("setMainWindowSize(" + std::to_string(width) + "," +
                        std::to_string(height) + ")");
        size = {width, height};
    }
    bool isChecked(LayoutCheckBox box) const override { return checked[static_cast<int>(box)]; }
    void setCheckedAndClick(LayoutCheckBox box, bool state) override {
        static constexpr const char* kNames[] = {"HideLoggedOut", "ShowHeldTime",
                                                 "DisableRedrawSaveMode"};
        checked[static_cast<int>(box)] = state;
        calls.push_back(std::string("click(") + kNames[static_cast<int>(box)] + "," +
                        (state ? "1" : "0") + ")");
    }
    void readQueueFilter(char* out, std::size_t capacity) const override {
        copyCut(out, capacity, queueFilter.c_str());
    }
    void setQueueFilter(const char* text) override {
        calls.push_back(std::string("setQueueFilter(") + text + ")");
        queueFilter = text;
    }
};
