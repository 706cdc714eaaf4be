#pragma once

#include <QLocale>
#include <QTest>

// QTEST_MAIN with the program's number locale pinned, so tests see the same
// decimal comma the program shows. The logic tests run on a QCoreApplication;
// the window tests (built with the gui support library) on a QApplication,
// with their dialogs told apart by object name.
#ifdef ORVANE_TEST_WINDOWS
#include "tests/support/gui/windowtesting.h"

#include <QApplication>
using OrvaneTestApplication = QApplication;
#define ORVANE_TEST_SETUP() WindowTesting::setUp()
#else
#include <QCoreApplication>
using OrvaneTestApplication = QCoreApplication;
#define ORVANE_TEST_SETUP()
#endif

#define ORVANE_TEST_MAIN(TestClass)                                                                \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        OrvaneTestApplication app(argc, argv);                                                     \
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));                            \
        ORVANE_TEST_SETUP();                                                                       \
        TestClass test;                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
