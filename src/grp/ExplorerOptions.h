#pragma once
// The explorer windows' options: whether they show the tree list (the slow
// part of opening a huge archive), which the explorer options dialog sets;
// and whether they show the preview pane, and how wide, which the windows set.
namespace tessel {

struct ExplorerOptions {
    bool TreeListDisabled = false;
    bool PreviewHidden = false;
    int PreviewWidth = 360;
};

} // namespace tessel
