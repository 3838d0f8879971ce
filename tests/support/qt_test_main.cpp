// The main of the Qt test programs: the tests run inside one application object of the
// program's own kind (offscreen unless QT_QPA_PLATFORM says otherwise), so that an exception
// leaving a handler reaches the same catch point as in the program. Qt keeps what it stores
// for itself (the file dialogs' last folders) apart from the user's own settings.

#include <gtest/gtest.h>

#include <QStandardPaths>
#include <cstdlib>

#include "tests/support/private_bus.h"
#include "ui/orlin_application.h"

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QStandardPaths::setTestModeEnabled(true);
    orlin::test::IsolateTestProcess();
    ::testing::InitGoogleTest(&argc, argv);
    orlin::OrlinApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
