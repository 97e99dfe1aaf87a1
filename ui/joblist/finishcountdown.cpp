#include "ui/joblist/finishcountdown.h"

#include "common/interfacescale.h"
#include "common/qcommonutils.h"
#include "common/runtimechoices.h"

#include <QLabel>

using MyQtCustom::QCommonUtils;

namespace {

QString labelSheet(const char* colour, int fontSize)
{
    return QStringLiteral("QLabel{font-size:%1px;color:%2;background:transparent;border:none;}")
        .arg(InterfaceScale::px(fontSize))
        .arg(QLatin1String(colour));
}

} // namespace

FinishCountdown::FinishCountdown(int action, int seconds, bool dark, QWidget* parent)
    : MyQMessageBox(InterfaceScale::px(480), InterfaceScale::px(252), parent),
      m_nAction(action),
      m_nSecondsLeft(qMax(1, seconds))
{
    setObjectName(QStringLiteral("finishCountdown"));
    // The dialog takes the page's skin; the palette's own is always light.
    if (dark)
        setPanelColours(QStringLiteral("#040405"), QStringLiteral("#2e3033"));
    setTitle(tr("All conversions have finished"), labelSheet(dark ? "#ffffff" : "#333333", 14));
    setText(countdownText(m_nAction, m_nSecondsLeft), QPixmap(), labelSheet(dark ? "#e8e8e8" : "#666666", 14));
    if (dark) {
        setButtons(QString(), tr("Cancel"), QString(), QString(),
            buttonSheet(QStringLiteral("#838588"), QStringLiteral("#e8e8e8"), QStringLiteral("#2e3033")),
            buttonSheet(QStringLiteral("#72767d"), QStringLiteral("#ffffff"), QStringLiteral("#72767d")));
    } else {
        setButtons(QString(), tr("Cancel"));
    }
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &FinishCountdown::tick);
}

FinishCountdown::~FinishCountdown() = default;

QString FinishCountdown::countdownText(int action, int seconds)
{
    if (action == RuntimeChoices::FinishRestart)
        return tr("The computer will restart in %n second(s).", nullptr, seconds);
    return tr("The computer will shut down in %n second(s).", nullptr, seconds);
}

void FinishCountdown::showEvent(QShowEvent* event)
{
    MyQMessageBox::showEvent(event);
    if (!m_bActionRun)
        m_timer.start();
}

// However the box goes, the countdown goes with it.
void FinishCountdown::hideEvent(QHideEvent* event)
{
    m_timer.stop();
    MyQMessageBox::hideEvent(event);
}

void FinishCountdown::tick()
{
    if (m_bActionRun || !isVisible())
        return;
    --m_nSecondsLeft;
    if (m_nSecondsLeft > 0) {
        textLabel()->setText(countdownText(m_nAction, m_nSecondsLeft));
        return;
    }
    m_timer.stop();
    m_bActionRun = true;
    if (m_nAction == RuntimeChoices::FinishRestart)
        QCommonUtils::restartComputer();
    else if (m_nAction == RuntimeChoices::FinishShutdown)
        QCommonUtils::shutdownComputer();
    OKButton_slots();
}
