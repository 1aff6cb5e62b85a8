// Runs GoogleTest inside a QApplication with the programs' style, fonts and
// accessibility, on whatever platform the test's environment names
// (offscreen under ctest).
#include "accessible/accessibility.h"
#include "application.h"
#include "fonts.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QStyleFactory>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests at build time needs no display.
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    QApplication app(argc, argv);
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    forms::installFonts();
    forms::installAccessibility();
    return RUN_ALL_TESTS();
}
