#pragma once

#include <QApplication>
#include <QLocale>
#include <QTest>

// QTEST_MAIN with the program's number locale pinned, so tests see the same
// decimal comma the program shows.
#define ORVANE_TEST_MAIN(TestClass)                                                                \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QApplication app(argc, argv);                                                              \
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));                            \
        TestClass test;                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
