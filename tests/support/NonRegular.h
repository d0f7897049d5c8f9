#pragma once
// What tests need beyond plain files: names in a TempDir that are not regular
// files (a folder, a pipe, a socket, links of our own to the machine's null,
// zero and full devices), and a forked child that meets a fault (a file-size
// limit, a signal in the middle of a write, no root rights).
#include <functional>
#include <string>

#include "support/TempDir.h"

namespace tessel::test {

enum class NonRegular { Folder, Fifo, Socket, Null, Zero, Full };
// Makes it at dir/name and returns the path.
std::string MakeNonRegular(const TempDir& dir, const std::string& name, NonRegular kind);
// The devices our links point to are still devices (nothing replaced them).
bool DevicesIntact();

struct ChildFault {
    long fileSizeLimit = 0;   // RLIMIT_FSIZE, SIGXFSZ ignored; 0: none
    int signalAtLimit = 0;    // instead: reaching the limit delivers this signal, with the cleanup handler installed
    bool unprivileged = false;   // give up root (to nobody) first, so that permissions hold
};
// Runs body in a forked child: the text of the AppError it ended with ("" when
// none), "signal N" when a signal ended it, "still privileged" when root
// could not be given up.
std::string InChild(const std::function<void()>& body, const ChildFault& fault = {});
// Runs body here: the text of the AppError it threw, "" when none.
std::string ErrorOf(const std::function<void()>& body);

} // namespace tessel::test
