#pragma once

#include <QObject>
#include <QStringList>

class SingleInstance;
class VCManagerWidget;

// Files the program was given from outside the window: on its own command
// line, by the desktop's "Open With", or by a later start through the
// single-instance socket. They join the page as if chosen in "Open File".
// While conversions lock the page, where "Open File" cannot be reached,
// they wait and are added as soon as the page unlocks.
class FileHandoff : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(FileHandoff)

public:
    // Takes what `instance` receives, when given one, and brings the window
    // to the front for it.
    explicit FileHandoff(VCManagerWidget* window, SingleInstance* instance = nullptr, QObject* parent = nullptr);

    // Adds the files now, or once the page unlocks.
    void addFiles(const QStringList& files);
    // Files waiting for the page to unlock.
    QStringList waitingFiles() const { return m_waiting; }

private:
    void received_slots(const QStringList& files);
    void convertsignal_slots(bool converting);

    VCManagerWidget* m_window = nullptr;
    QStringList m_waiting;
};
