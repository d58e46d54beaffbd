// The objects behind the program's own windows, found by window handle. Kept in the program
// rather than stored in each window: storing a value in a window, and reading one from a
// window that is not the program's, are round trips to the window system.
#pragma once

#include <windows.h>

#include <unordered_map>

namespace win32 {

template <class Peer>
class WindowTable {
  public:
    void Add(HWND window, Peer* peer) { peers_[window] = peer; }
    void Remove(HWND window) { peers_.erase(window); }
    // nullptr for a window that is not in the table.
    Peer* Find(HWND window) const {
        const auto found = peers_.find(window);
        return found != peers_.end() ? found->second : nullptr;
    }

  private:
    std::unordered_map<HWND, Peer*> peers_;
};

}  // namespace win32
