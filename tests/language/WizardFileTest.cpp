#include "language/WizardFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace tessel {
namespace {

using Strings = std::vector<std::string>;

std::string Error(int line, const char* tail)
{
    return "Error in cnfcs.ccf(" + std::to_string(line) + "): " + tail + "  Skipping current function.";
}

TEST(WizardFileTest, EntriesByTheirLastSlashSemicolonAndBackslashAndNoneWithoutTheFile)
{
    TempDir dir;
    ScriptedPrompter prompter;
    WizardTable table;
    table.Names = {"stale"};
    dir.write("cnfcs.ccf", "# CON functions\r\n"
                           "/move;\\\r\n"
                           "x/ifrnd;<chance>\\ ignored\r\n"
                           "/nobackslash;params\r\n"
                           "\r\n"
                           "/foo;a;b\\\n"
                           "\\/back;x\r\n"
                           "/semi\\;\r\n"
                           "/last;<a> [b]\\");
    EXPECT_TRUE(LoadWizardFile(dir.path(), table, prompter));
    EXPECT_EQ(table.Names, (Strings{"move", "ifrnd", "foo;a", "last"}));
    EXPECT_EQ(table.Params, (Strings{"", "<chance>", "b", "<a> [b]"}));
    EXPECT_EQ(table.IndexText, ";1/move;2/ifrnd;3/foo;a;4/last;");
    EXPECT_EQ(prompter.texts(), (Strings{Error(4, "Function not entered correctly."),
                                         Error(7, "\"/\\\" out of ouder."), Error(8, "\";\" out of order.")}));

    // A missing file empties the table.
    prompter.clear();
    ASSERT_EQ(::unlink(dir.file("cnfcs.ccf").c_str()), 0);
    EXPECT_FALSE(LoadWizardFile(dir.path(), table, prompter));
    EXPECT_EQ(table.WizardCount(), 0);
    EXPECT_EQ(table.IndexText, ";");
    EXPECT_EQ(prompter.texts(), Strings{"Cannot find file: \"" + dir.path() +
                                        "cnfcs.ccf\". Without this file the con wizard will not work."});
}

} // namespace
} // namespace tessel
