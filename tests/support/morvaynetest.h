#pragma once

#include "testenv.h"

#include <QtTest>

// Test entry points: QTEST_*_MAIN plus the isolation guard.
#define MORVAYNE_TEST_MAIN_WITH(AppType, TestObject)                                                                   \
    int main(int argc, char* argv[])                                                                                   \
    {                                                                                                                  \
        TestEnv::guard();                                                                                              \
        AppType app(argc, argv);                                                                                       \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }

#define MORVAYNE_TEST_MAIN(TestObject) MORVAYNE_TEST_MAIN_WITH(QApplication, TestObject)
#define MORVAYNE_TEST_GUI_MAIN(TestObject) MORVAYNE_TEST_MAIN_WITH(QGuiApplication, TestObject)
#define MORVAYNE_TEST_CORE_MAIN(TestObject) MORVAYNE_TEST_MAIN_WITH(QCoreApplication, TestObject)

#define MORVAYNE_TEST_APPLESS_MAIN(TestObject)                                                                         \
    int main(int argc, char* argv[])                                                                                   \
    {                                                                                                                  \
        TestEnv::guard();                                                                                              \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
