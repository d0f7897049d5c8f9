#include "shell/QtPrompter.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(QtPrompterTest, FiltersBecomeQtNameFiltersMatchingBothCases)
{
    EXPECT_EQ(QtNameFilters("Qzt Files (*.qzt)|*.qzt|Con Files (*.con)|*.con"),
              (QStringList{"Qzt Files (*.qzt *.QZT)", "Con Files (*.con *.CON)"}));
    EXPECT_EQ(QtNameFilters("GRP File (*.GRP)|*.GRP"), QStringList{"GRP File (*.GRP *.grp)"});
    EXPECT_EQ(QtNameFilters("All (*.jpg;*.bmp)|*.jpg;*.bmp"), QStringList{"All (*.jpg *.JPG *.bmp *.BMP)"});
    EXPECT_EQ(QtNameFilters("All Files (*.*)|*.*"), QStringList{"All Files (*.*)"});
    EXPECT_TRUE(QtNameFilters("").isEmpty());
}

} // namespace
} // namespace tessel
