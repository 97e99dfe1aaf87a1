#pragma once

#include "toolkit/myqmessagebox.h"

#include <QTimer>

// The message that stands between the end of a batch and a restart or
// shutdown: it counts down, and only when it reaches zero does the action
// run, through the power commands' runner. Cancel, the close button, Escape
// or any other way of closing it runs nothing. A person who left the machine
// to a batch may have unsaved work in other programs.
class FinishCountdown : public MyQMessageBox
{
    Q_OBJECT
    Q_DISABLE_COPY(FinishCountdown)

public:
    static constexpr int DefaultSeconds = 60;

    // `action` is RuntimeChoices::FinishRestart or FinishShutdown.
    FinishCountdown(int action, int seconds, bool dark, QWidget* parent = nullptr);
    ~FinishCountdown() override;

    int action() const { return m_nAction; }
    int secondsLeft() const { return m_nSecondsLeft; }
    // Whether the countdown reached zero and the action was run.
    bool actionRun() const { return m_bActionRun; }

    // The text for `seconds` left: names the action.
    static QString countdownText(int action, int seconds);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void tick();

    QTimer m_timer;
    int m_nAction = 0;
    int m_nSecondsLeft = 0;
    bool m_bActionRun = false;
};
