#pragma once
// One Tessel per user and settings file: the running program listens on a
// local socket, and a later start hands its files to it and ends, so that only
// one process writes the settings file.
#include <QObject>
#include <string>
#include <vector>

class QLocalServer;

namespace tessel {

class TMainForm;

// Opens the files that later starts hand over as File > Open opens them, with
// the main window brought to the front.
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
// for its word that it took them; false when no program took them.
bool HandOver(const std::string& path, const std::vector<std::string>& files);

} // namespace tessel
