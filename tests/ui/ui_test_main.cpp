#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

// Widgets need the application object before the first test builds one.
int main(int argc, char** argv) {
    // Deletes on the computer go to a trash of the tests' own, never the user's.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
