// The GUI tests run the real widgets; without a display they use Qt's offscreen platform.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumeroc"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
