#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quotes/internet_fetch.h"

namespace pf {

// The pace of the browser dialog "Kurse aus Internet": one page after the other, each shown
// in the browser. A timer ticks every 250 ms; ticks while the browser is loading do not
// count. The dialog moves on to the next page when more than 15 idle ticks have passed, or
// when the page is complete and more than 2 idle ticks have passed since. Every completed
// document (frames included) is read for the price, without entity decoding; the prices of
// the earlier documents of a page stay when a later one lacks the recognition text.
class BrowserFetchSequence {
  public:
    explicit BrowserFetchSequence(std::vector<InternetFetchItem> items);

    // What the dialog does after a call.
    enum class Step {
        Navigate,  // show Current()'s address (CurrentUrl())
        Wait,      // keep ticking
        Finished,  // every page done: size the columns and enable OK
    };

    // Starts with the first item (Finished without items).
    Step Start();
    // The browser completed a document of the current page with `bodyHtml`; `topLevel` when
    // it is the page itself rather than a frame of it.
    void DocumentComplete(std::string_view bodyHtml, bool topLevel);
    // One timer tick; `busy` while the browser is loading.
    Step Tick(bool busy);

    int Total() const { return static_cast<int>(items_.size()); }
    // The item being shown, from 0; Total() once finished.
    int Current() const { return current_; }
    const std::string& CurrentUrl() const;
    const std::vector<InternetFetchItem>& Items() const { return items_; }

  private:
    Step Begin(int index);

    std::vector<InternetFetchItem> items_;
    int current_ = 0;
    int idleTicks_ = 0;
    int idleSinceComplete_ = 0;
    bool complete_ = false;
};

inline constexpr int kBrowserTickMilliseconds = 250;
// Idle ticks after which a page counts as done without its completion; idle ticks after
// its completion.
inline constexpr int kBrowserMaxIdleTicks = 15;
inline constexpr int kBrowserTicksAfterComplete = 2;

}  // namespace pf
