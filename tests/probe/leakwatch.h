#pragma once

// Counts "QProcess: Destroyed while process" warnings from the moment it is
// installed. QTest's own message handler does not pass messages on to
// handlers installed before the test run, so install this in initTestCase
// and require a count of 0 in cleanupTestCase.
class LeakWatch
{
public:
    static void install();
    static int destroyedWhileRunning();
};
