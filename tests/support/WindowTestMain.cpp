// The window tests' entry point: a QApplication on the offscreen platform,
// and a state folder of the run's own, so that no copy of an unsaved text
// reaches the machine's home (the program fixture gives each test its own).
#include <QApplication>
#include <gtest/gtest.h>

#include "support/TempDir.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const tessel::TempDir state;
    qputenv("XDG_STATE_HOME", QByteArray::fromStdString(state.path()));
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
