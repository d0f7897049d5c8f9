#pragma once
// The directory chooser's rules, without its window: what a confirmed choice
// is, ChooseDirectorySetting, the procedure by which the launchers' Browse
// buttons choose a stored directory setting, and the Browse button that keeps
// its choice in the settings file. The window TfrmDirectory is reached through
// the DirectoryChooser hook.
#include <functional>
#include <optional>
#include <string>

#include "platform/ProfileFile.h"
#include "platform/Prompter.h"

namespace tessel {

// What only the chooser's window can do.
class DirectoryChooser {
public:
    virtual ~DirectoryChooser() = default;
    // ChooseDirectory: shows the chooser modally, first set to start when one is
    // given, otherwise showing the directory it showed last. Returns the
    // confirmed directory (ConfirmedDirectory of what it showed), or nothing when
    // it was cancelled or closed any other way.
    virtual std::optional<std::string> ChooseDirectory(const std::optional<std::string>& start) = 0;
};

// btnOkClick: the directory shown, with a separator appended when it has none
// at its end (the root stays "/").
std::string ConfirmedDirectory(const std::string& shown);

// Steps 1 to 3 of ChooseDirectorySetting on the setting S: the chooser starts at
// S when S names an existing directory; otherwise S is emptied first (the caller
// shows the emptied S in its text field; the settings file keeps its value and
// no control changes). Returns the chosen directory, ending in a separator, for
// the button's own acceptance, or nothing when the chooser was cancelled.
std::optional<std::string> ChooseDirectorySetting(std::string& setting, DirectoryChooser& chooser);

// The Browse button of a directory setting kept in section/key of ini (what:
// how a message names it): ChooseDirectorySetting on setting; a chosen
// directory that accept takes (every one when accept is empty; accept tells
// the user why not) and the settings file can store (StorableChoice) becomes
// setting and is written at once. Returns whether it did.
bool StoreDirectorySetting(std::string& setting, ProfileFile& ini, const char* section, const char* key,
                           const char* what, DirectoryChooser& chooser, Prompter& prompter,
                           const std::function<bool(const std::string& chosen)>& accept = nullptr);

} // namespace tessel
