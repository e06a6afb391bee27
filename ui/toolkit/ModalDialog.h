// Showing our dialogs modally, and the seam through which tests take that over so that no widget
// test ever blocks in a modal loop.
#pragma once

#include <functional>

class QDialog;

namespace quorvel {

// One replaceable "show" per dialog class.
template <class Dialog> class ModalShowSeam {
public:
    static void Set(std::function<void(Dialog&)> show) { Slot() = std::move(show); }
    // True when a test has taken the showing over and has shown the dialog its own way.
    static bool ShowReplaced(Dialog& dialog) {
        if (!Slot()) {
            return false;
        }
        Slot()(dialog);
        return true;
    }

private:
    static std::function<void(Dialog&)>& Slot() {
        static std::function<void(Dialog&)> show;
        return show;
    }
};

// Owned by the active window, a dialog stays off the task bar and opens centred on it; with no
// window to own it, it becomes a tool window to the same end. Returns the dialog's result.
int ExecOverActiveWindow(QDialog& dialog);

} // namespace quorvel
