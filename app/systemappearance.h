#pragma once

// Whether the desktop shows a dark appearance, for the automatic skin. On
// this platform the answer comes from the colour scheme the desktop hands to
// the application: a window colour darker than mid-grey means dark. The
// environment variable MORVAYNE_APPEARANCE ("dark" or "light") overrides it,
// which keeps tests independent of the desktop they run on.
class SystemAppearance
{
public:
    static bool isDark();
};
