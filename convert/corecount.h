#pragma once

// The processor cores that ffmpeg started from this thread may run on. Qt 5
// counts every core of the machine; a process held to fewer (a container's
// cpuset, taskset) would then start more encoder threads than it has cores.
class CoreCount
{
public:
    // At least 1.
    static int available();
    // A fixed count in place of the machine's, so that tests do not depend on
    // it; 0 or less returns to the machine's.
    static void pin(int cores);
};
