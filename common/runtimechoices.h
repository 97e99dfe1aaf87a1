#pragma once

#include <QString>

// Choices that hold for the current run only (never stored). The main window
// carries them; lower layers read them through current() so that they need
// no main window of their own.
class RuntimeChoices
{
public:
    enum FinishAction { FinishNone = 0, FinishRestart = 1, FinishShutdown = 2 };

    RuntimeChoices();
    virtual ~RuntimeChoices();

    // The registered holder, or a process-wide default one.
    static RuntimeChoices* current();

    QString m_outFolder;
    bool m_enableGPU = true;
    bool m_isMaximized = false;
    int m_finishAction = FinishNone;
    int m_maxConvertCount = 2;
    bool m_autoAddSrt = true;
    int m_skinType = 0;

    // This holder becomes current() until it is destroyed.
    void makeCurrent();
};
