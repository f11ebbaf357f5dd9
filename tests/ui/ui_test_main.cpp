#include <gtest/gtest.h>

#include <QApplication>

// Widgets need the application object before the first test builds one.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
