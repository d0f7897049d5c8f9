#pragma once
// A document whose bytes come from, and go back to, something other than a
// file of its own (an entry of a group file). An editor window holding one
// loads and saves it through the same requests as a file, by its Name.
#include <string>
#include <string_view>

#include "platform/Prompter.h"

namespace tessel {

class DocumentStore {
public:
    virtual ~DocumentStore() = default;
    // How the document is named to the user (captions, questions, the
    // requests that load and save it); never the name of a file.
    virtual std::string Name() const = 0;
    // The document's bytes. Throws AppError when they cannot be read.
    virtual std::string Read() = 0;
    // Puts bytes back. False when nothing was written (the user declined, or
    // the store said why); AppError when writing failed, the store as it was.
    virtual bool Write(std::string_view bytes, Prompter& prompter) = 0;
    // The status bar's text after a write ("Saved GAME.CON into MOD.GRP").
    virtual std::string SavedText() const = 0;
};

} // namespace tessel
