#pragma once
// The ground of the tests of the program's windows and settings: a program
// folder of the test's own, a scripted prompter, and a main window once the
// test makes one; the program's globals are reset before and after.
#include <gtest/gtest.h>

#include <memory>

#include "shell/Globals.h"
#include "shell/Main.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace tessel {

class ProgramFixture : public ::testing::Test {
protected:
    ProgramFixture() { ResetGlobals(); }
    ~ProgramFixture() override
    {
        form.reset();
        ResetGlobals();
    }

    TempDir dir;   // the program folder
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;
};

} // namespace tessel
