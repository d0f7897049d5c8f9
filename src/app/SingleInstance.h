#pragma once
// One Tessel per user and settings file: the running program listens on a
// local socket, and a later start hands its files to it and ends, so that only
// one process writes the settings file. Which start runs is decided by a lock
// beside the socket, taken before the socket is listened at: of starts made
// together exactly one takes it, and the others hand over to that one.
#include <QObject>
#include <string>
#include <vector>

#include "platform/Files.h"

class QLocalServer;

namespace tessel {

class TMainForm;

// Opens the files that later starts hand over as File > Open opens them, with
// the main window brought to the front; a name of no regular file is named in
// the status bar instead.
class InstanceServer : public QObject {
public:
    explicit InstanceServer(TMainForm& main);
    // Listens at path. A socket left there by a program that ended is removed
    // first; false when a running program answers there or no socket can be made.
    bool Listen(const std::string& path);

private:
    void Serve();

    TMainForm& main_;
    QLocalServer* server_;
};

// Hands the files (absolute names) to the program listening at path and waits
// up to waitMs for its word that it took them; false when no program took them.
bool HandOver(const std::string& path, const std::vector<std::string>& files, int waitMs = 5000);

enum class Joined {
    First,        // this start holds the lock: it runs, and listens at the socket
    HandedOver,   // the running program took the files: this start ends
    NoAnswer,     // a program holds the lock but did not take the files in time
    Alone,        // no lock can be had at all: this start runs without one
};
// How this start joins the program that runs on socket: it takes lock (the
// socket's name with ".lock") when nobody holds it; otherwise it hands the
// files over, trying again while the holder may still be starting, for up to
// patienceMs, and takes the lock after all should the holder end meanwhile.
// problem says why for Alone.
Joined JoinRunningProgram(const std::string& socket, const std::vector<std::string>& files, FileLock& lock,
                          std::string& problem, int patienceMs = 10000);

} // namespace tessel
