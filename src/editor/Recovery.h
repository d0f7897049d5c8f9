#pragma once
// Copies of unsaved documents, kept in a folder of their own (RecoveryDir),
// so that a kill, a crash or the end of the desktop session loses no more
// than the last seconds of typing. Each run writes its copies under a name of
// its own, which it holds locked while it runs; what runs that are no longer
// running left behind is offered at the next start, to one start only.
//
// The folder must be the user's alone (PrivateFolderProblem): otherwise
// another user could read the copies, or plant one naming the user's files.
// Copies are the owner's alone and replace their name without following a
// link. A copy records which version of its file it began from, so that a
// save after restoring it can tell a change made on disk meanwhile.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Files.h"

namespace tessel {

struct RecoveryCopy {
    std::string path;       // the copy itself ("" before it is written)
    std::string fileName;   // the document's file; "" for a window never saved
    std::string caption;    // its window's caption
    FileStamp stamp;        // the file as the window last read or wrote it
    std::string bytes;      // the text as its file would hold it (a found copy: after ReadText)
    std::int64_t length = 0;   // a found copy: the text's length in bytes
};

class RecoveryStore {
public:
    // dir: the folder (made when first used); "" keeps nothing.
    explicit RecoveryStore(std::string dir);
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // A number for one document's copy, unique in this run.
    int NewSlot() { return ++slots_; }
    // Writes (replaces) the slot's copy. When the folder may not keep copies
    // nothing is written, and the first call that finds it so (unless Claim
    // said so before) throws AppError saying why. Throws IoError, or AppError
    // for a text longer than a script may be.
    void Write(int slot, const RecoveryCopy& copy);
    void Remove(int slot);
    // Every copy of this run goes: it ended cleanly.
    void RemoveAll();

    // The copies left by runs that are not running, oldest run first, their
    // texts not yet read. Each of those runs is taken (its lock held) until
    // Forget or Unclaim, so that another start meanwhile does not offer them
    // too. refused gets, in words, each copy that is not offered: one that
    // is no copy this program wrote (a wrong header, name, caption, stamp or
    // length) or one whose text is longer than a script may be. problem gets
    // why the folder keeps no copies ("" when it does).
    std::vector<RecoveryCopy> Claim(std::vector<std::string>& refused, std::string& problem);
    // Fills a claimed copy's bytes. Throws IoError, or AppError when the copy
    // no longer holds the text its header announced.
    void ReadText(RecoveryCopy& copy) const;
    // Removes copies (restored or discarded) and the marks of runs left with
    // none; claimed runs left with none are given up.
    void Forget(const std::vector<RecoveryCopy>& copies);
    // Gives up every claimed run: its copies wait for the next start.
    void Unclaim();

private:
    std::string CopyPath(int slot) const;
    // "" when the folder may keep copies; checked (and the folder made) once.
    const std::string& Problem();

    std::string dir_;
    std::string run_;   // this run's name; "" until its first copy
    FileLock lock_;
    int slots_ = 0;
    bool checked_ = false, told_ = false;
    std::string problem_;
    std::map<std::string, std::unique_ptr<FileLock>> claimed_;   // runs taken by Claim
};


} // namespace tessel
