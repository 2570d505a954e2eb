// The widgets tests need one QApplication for the whole run.

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // CTest sets the platform; a run by hand (or the test listing) stays headless too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
