#pragma once
// Window hooks for tests: remembers what panel 0 said each time the window was
// told to paint, checks the busy cursor is balanced, and answers the
// reserved-space dialog with a set number.
#include <string>
#include <vector>

#include "grp/GrpArchive.h"

namespace tessel::test {

class RecordingHooks : public GrpWindowHooks {
public:
    explicit RecordingHooks(GrpArchiveView& view) : view_(view) { view.hooks = this; }
    void BeginBusy() override { ++busy; ++busyStarts; }
    void EndBusy() override { --busy; }
    void ProcessPaintEvents() override { painted.push_back(view_.panels[0]); }
    int AskReservedSlots(std::int64_t archiveSize) override
    {
        dialogSizes.push_back(archiveSize);
        return slotsAnswer;
    }

    int busy = 0;          // 0 whenever no operation runs
    int busyStarts = 0;
    int slotsAnswer = 0;
    std::vector<std::string> painted;
    std::vector<std::int64_t> dialogSizes;

private:
    GrpArchiveView& view_;
};

} // namespace tessel::test
