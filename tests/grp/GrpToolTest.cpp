#include "grp/GrpFormat.h"
#include <gtest/gtest.h>
namespace tessel { namespace { TEST(GrpToolTest, Placeholder) {} } }
