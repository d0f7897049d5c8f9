#pragma once
// A program fixture that also plays a later start handing names over through
// the instance socket.
#include <chrono>
#include <future>
#include <string>

#include "app/SingleInstance.h"
#include "support/ProgramFixture.h"

namespace tessel {

class HandOverFixture : public ProgramFixture {
protected:
    // A later start's hand-over, from another thread: this one runs the program.
    bool HandOverFromAnotherStart(const Lines& files)
    {
        auto done = std::async(std::launch::async, [&] { return HandOver(socket, files); });
        while (done.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::processEvents();   // the files open after the answer
        return done.get();
    }

    std::string socket = dir.file("tessel.socket");
};

} // namespace tessel
