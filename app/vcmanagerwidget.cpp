#include "app/vcmanagerwidget.h"

#include "app/systemappearance.h"
#include "app/topwidget.h"
#include "common/interfacescale.h"
#include "common/settingkeys.h"
#include "convert/videoitemdata.h"
#include "toolkit/spritecells.h"
#include "toolkit/windowutils.h"
#include "ui/edit/videoeditaudiowidget.h"
#include "ui/edit/videoeditcropwidget.h"
#include "ui/edit/videoedittrimwidget.h"
#include "ui/edit/vlcplayer.h"
#include "ui/joblist/videoconverterwidget.h"
#include "ui/joblist/videoitemwidget.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QSettings>

namespace {

VCManagerWidget* s_instance = nullptr;

// Kept for the whole run and never freed: pixmaps must not outlive the
// application object, and the process ends right after it.
struct SpriteSheets
{
    QPixmap publicSheet{SpriteCells::PublicSheet};
    QPixmap vcPublicSheet{SpriteCells::VcPublicSheet};
    QPixmap widePublicSheet{SpriteCells::WidePublicSheet};
};

SpriteSheets& sheets()
{
    static auto* s = new SpriteSheets;
    return *s;
}

} // namespace

VCManagerWidget::VCManagerWidget(QWidget* parent)
    : QWidget(parent)
{
    s_instance = this;
    RuntimeChoices::makeCurrent();
    JobEditorHost::makeCurrent();
    InterfaceScale::setFactor(1.0f);
    setFixedSize(InterfaceScale::px(WindowWidth), InterfaceScale::px(WindowHeight));
    sheets();

    MyQtCustom::WindowUtils::RegisterMainWindow(
        this, SettingKeys::Organisation, SettingKeys::Application, versionText());

    m_background = new QWidget(this);
    m_converterPage = new VideoConverterWidget(this);
    m_converterPage->setObjectName(QStringLiteral("converterPage"));
    m_topWidget = new TopWidget(this);

    m_outFolder = getSettingFolder(SettingKeys::OutFolder);
    QDir().mkpath(m_outFolder);

    loadSkin(false);
    layoutChildren();
    applySkin();
    retranslate();
}

VCManagerWidget::~VCManagerWidget()
{
    // Frames must stop before the editors they are copied into go.
    VLCPlayer::instance()->stop();
    delete m_trimEditor;
    delete m_cropEditor;
    delete m_audioEditor;
    m_trimEditor = nullptr;
    m_cropEditor = nullptr;
    m_audioEditor = nullptr;
    if (s_instance == this)
        s_instance = nullptr;
}

void VCManagerWidget::closeEvent(QCloseEvent* event)
{
    VLCPlayer::instance()->stop();
    QWidget::closeEvent(event);
}

template <class Editor> Editor* VCManagerWidget::editor(Editor*& slot)
{
    if (!slot) {
        slot = new Editor(this);
        slot->hide();
        connect(slot, &VideoEditBase::editorClosed, this,
            [this, slot](QWidget* row) { editorClosed_slots(slot, row); });
    }
    return slot;
}

void VCManagerWidget::openEditor(VideoEditBase* e, MediaInfo* record, VideoItemWidget* row)
{
    e->setGeometry(rect());
    e->layoutChildren();
    e->applySkin();
    e->retranslate();
    e->loadMedia(record, row);
    e->show();
    e->raise();
}

namespace {

// Only a job that has not started, and only the record the row shows.
bool mayEdit(MediaInfo* record, VideoItemWidget* row)
{
    const VideoItemData* job = row ? row->job() : nullptr;
    return job && job->m_pMediaInfo == record && VideoEditBase::canEdit(job->m_nState, record);
}

} // namespace

void VCManagerWidget::openTrimEditor(MediaInfo* record, VideoItemWidget* row)
{
    if (mayEdit(record, row))
        openEditor(editor(m_trimEditor), record, row);
}

void VCManagerWidget::openCropEditor(MediaInfo* record, VideoItemWidget* row)
{
    if (mayEdit(record, row))
        openEditor(editor(m_cropEditor), record, row);
}

void VCManagerWidget::openAudioEditor(MediaInfo* record, VideoItemWidget* row)
{
    if (mayEdit(record, row))
        openEditor(editor(m_audioEditor), record, row);
}

void VCManagerWidget::editorClosed_slots(VideoEditBase* editor, QWidget* row)
{
    auto* itemRow = qobject_cast<VideoItemWidget*>(row);
    // The row may have been rebound meanwhile; it refreshes only its own job.
    if (!itemRow || !itemRow->job() || itemRow->job()->m_pMediaInfo != editor->mediaInfo())
        return;
    itemRow->updateSizeEstimate();
}

VCManagerWidget* VCManagerWidget::instance()
{
    return s_instance;
}

QString VCManagerWidget::versionText()
{
    return QStringLiteral("5.9.71");
}

const QPixmap& VCManagerWidget::publicPixmap()
{
    return sheets().publicSheet;
}

const QPixmap& VCManagerWidget::vcPublicPixmap()
{
    return sheets().vcPublicSheet;
}

const QPixmap& VCManagerWidget::widePublicPixmap()
{
    return sheets().widePublicSheet;
}

void VCManagerWidget::loadSkin(bool apply)
{
    const QString stored = QSettings(SettingKeys::Organisation, SettingKeys::Application)
                               .value(SettingKeys::SkinType, QStringLiteral("-1"))
                               .toString();
    const int value = stored.toInt(); // unparsable text reads as 0, the light skin
    if (value == 0 || value == 1)
        m_skinType = value;
    else
        m_skinType = SystemAppearance::isDark() ? 1 : 0;
    if (apply) {
        applySkin();
        retranslate();
    }
}

void VCManagerWidget::layoutChildren()
{
    m_background->setGeometry(rect());
    m_converterPage->setGeometry(rect());
    const int w = width();
    m_topWidget->setGeometry(QRect(QPoint(w - 250, 1), QPoint(w - 3, 71)));
    m_topWidget->layoutChildren();
    m_converterPage->layoutChildren();
}

void VCManagerWidget::applySkin()
{
    m_background->setStyleSheet(m_skinType == 1
            ? QStringLiteral("QWidget{border: 1px solid #ababab;border-radius: 0px; "
                             "background-color:#202124;}")
            : QStringLiteral("QWidget{border: 1px solid #ababab;border-radius: 0px; "
                             "background-color:#ffffff;}"));
    setWindowIcon(QIcon(SpriteCells::ProgramPicture));
    m_topWidget->applySkin(m_skinType);
    m_converterPage->applySkin();
}

void VCManagerWidget::retranslate()
{
    setWindowTitle(SettingKeys::Organisation + QLatin1Char(' ') + SettingKeys::Application);
    m_topWidget->retranslate();
    m_converterPage->retranslate();
}

void VCManagerWidget::centerDialog(QWidget* dialog) const
{
    if (!dialog)
        return;
    QScreen* screen = this->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    dialog->move(centeredPosition(geometry(), dialog->size(), screen ? screen->geometry() : QRect()));
}

QPoint VCManagerWidget::centeredPosition(const QRect& window, const QSize& dialog, const QRect& screen)
{
    // A window not laid out yet counts with its fixed size.
    const int width = window.width() > 0 ? window.width() : InterfaceScale::px(WindowWidth);
    const int height = window.height() > 0 ? window.height() : InterfaceScale::px(WindowHeight);
    int x = qMax(0, window.x()) + (width - dialog.width()) / 2;
    int y = qMax(0, window.y()) + (height - dialog.height()) / 2;
    if (screen.isValid()) {
        // Measured from the screen's own origin, so that a window on a
        // second screen keeps its dialog there.
        if (x + dialog.width() > screen.x() + screen.width())
            x = screen.x() + (screen.width() - dialog.width()) / 2;
        if (y + dialog.height() > screen.y() + screen.height())
            y = screen.y() + (screen.height() - dialog.height()) / 2;
    }
    return QPoint(x, y);
}

void VCManagerWidget::reLoadandLayout_slots()
{
    layoutChildren();
    applySkin();
}

void VCManagerWidget::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    // Only the strip along the top moves the window, as a title bar would.
    if (qRound(event->localPos().y()) <= 72 * InterfaceScale::factor()) {
        m_bDragging = true;
        m_pressPos = QPoint(qRound(event->localPos().x()), qRound(event->localPos().y()));
    }
}

void VCManagerWidget::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    if (!m_bDragging)
        return;
    const QPoint now(qRound(event->localPos().x()), qRound(event->localPos().y()));
    setGeometry(geometry().translated(now - m_pressPos));
}

void VCManagerWidget::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    m_bDragging = false;
}

void VCManagerWidget::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        repaint();
}
