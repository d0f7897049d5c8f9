#pragma once
// The explorer windows' option: whether they show the tree list (the slow
// part of opening a huge archive). The explorer options dialog sets it.
namespace tessel {

struct ExplorerOptions {
    bool TreeListDisabled = false;
};

} // namespace tessel
