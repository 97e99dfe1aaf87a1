#include "app/filehandoff.h"

#include "app/singleinstance.h"
#include "app/vcmanagerwidget.h"
#include "ui/joblist/videoconverterwidget.h"
#include "ui/joblist/videolistwidget.h"

#include <utility>

FileHandoff::FileHandoff(VCManagerWidget* window, SingleInstance* instance, QObject* parent)
    : QObject(parent)
    , m_window(window)
{
    // Connected after the page's own handler, so the page has unlocked by the
    // time the waiting files are added.
    connect(window->converterPage()->videoList(), &VideoListWidget::convertsignal, this,
        &FileHandoff::convertsignal_slots);
    if (instance)
        connect(instance, &SingleInstance::filesReceived, this, &FileHandoff::received_slots);
}

void FileHandoff::addFiles(const QStringList& files)
{
    if (files.isEmpty())
        return;
    VideoConverterWidget* page = m_window->converterPage();
    if (page->isLocked()) {
        m_waiting << files;
        return;
    }
    page->addFiles(files);
}

void FileHandoff::received_slots(const QStringList& files)
{
    // A start without files only asks for the window.
    if (m_window->isMinimized())
        m_window->showNormal();
    else
        m_window->show();
    m_window->raise();
    m_window->activateWindow();
    addFiles(files);
}

void FileHandoff::convertsignal_slots(bool converting)
{
    if (converting || m_waiting.isEmpty() || m_window->converterPage()->isLocked())
        return;
    m_window->converterPage()->addFiles(std::exchange(m_waiting, {}));
}
