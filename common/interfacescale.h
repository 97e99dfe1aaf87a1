#pragma once

// Layout sizes are given in layout units; pixels = units x this factor,
// truncated. The main window fixes it at 1.0.
class InterfaceScale
{
public:
    static float factor();
    static void setFactor(float factor);
    static int px(int units);
    static int px(double units);
};
