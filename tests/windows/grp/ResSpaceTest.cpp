// The reserved-space dialog's place on the screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>

#include "windows/grp/ResSpace.h"

namespace tessel {
namespace {

// Its notice is filled in as it shows and changes its size: it is centred
// with the size it shows at, the first time as every later time.
TEST(ResSpaceTest, ShowsCentredTheFirstTimeAsLater)
{
    TfrmResSpace dialog;
    for (int showing = 1; showing <= 2; ++showing) {
        SCOPED_TRACE(showing);
        dialog.show();
        QCoreApplication::processEvents();
        const QPoint off = dialog.frameGeometry().center() - dialog.screen()->availableGeometry().center();
        EXPECT_LE(std::abs(off.x()), 1);
        EXPECT_LE(std::abs(off.y()), 1);
        dialog.hide();
    }
}

} // namespace
} // namespace tessel
