#include "ui/edit/videoeditaudiowidget.h"

#include "common/interfacescale.h"
#include "common/pathservices.h"
#include "common/settingkeys.h"
#include "probe/mediainfo.h"
#include "toolkit/mypushbutton.h"
#include "toolkit/mytempbutton2.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>

using MyQtCustom::MyPushButton;
using MyQtCustom::MyTempButton2;

namespace {

int px(int units)
{
    return InterfaceScale::px(units);
}

VideoEditAudioWidget::FileChooser& chooser()
{
    static VideoEditAudioWidget::FileChooser c
        = [](QWidget* parent, const QString& title, const QString& folder, const QString& filter) {
              return QFileDialog::getOpenFileName(parent, title, folder, filter);
          };
    return c;
}

} // namespace

void VideoEditAudioWidget::setFileChooser(FileChooser c)
{
    chooser() = std::move(c);
}

VideoEditAudioWidget::VideoEditAudioWidget(QWidget* parent)
    : VideoEditBase(parent)
    , m_captionLabel(new QLabel(m_panel))
    , m_pathFrame(new QLabel(m_panel))
    , m_pathLabel(new QLabel(m_pathFrame))
    , deleteButton(new MyPushButton(m_pathFrame))
    , selectButton(new MyTempButton2(m_panel))
    , removeOriginalAudioCheckBox(new QCheckBox(m_panel))
{
    makeRenderSlider();
    m_captionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pathFrame->setObjectName(QStringLiteral("pathFrame"));
    m_pathLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pathLabel->setTextFormat(Qt::PlainText);
    selectButton->setAlignment(Qt::AlignCenter);
    selectButton->setText(QStringLiteral("..."));
    connect(selectButton, QOverload<>::of(&MyTempButton2::clicked), this, &VideoEditAudioWidget::selectButton_slots);
    connect(deleteButton, &MyPushButton::clicked, this, &VideoEditAudioWidget::deleteButton_slots);
    connect(removeOriginalAudioCheckBox, &QCheckBox::stateChanged, this,
        &VideoEditAudioWidget::removeOriginalAudioCheckBox_slots);
}

QString VideoEditAudioWidget::titleText() const
{
    return tr("Audio");
}

QString VideoEditAudioWidget::pathText() const
{
    return m_pathLabel->text();
}

void VideoEditAudioWidget::layoutEditControls(int, int)
{
    const int y = px(46) + px(360) + px(26);
    const int h = px(24);
    m_captionLabel->setGeometry(px(20), y, px(80), h);
    const int frameX = px(20) + px(80) + px(10);
    const int frameW = px(430);
    m_pathFrame->setGeometry(frameX, y, frameW, h);
    m_pathLabel->setGeometry(px(3), 0, frameW - px(3) - px(24), h);
    deleteButton->setGeometry(frameW - px(19), (h - px(15)) / 2, px(15), px(15));
    selectButton->setGeometry(frameX + frameW + px(10), y, px(30), h);
    removeOriginalAudioCheckBox->setGeometry(frameX + frameW + px(55), y, px(200), h);
}

void VideoEditAudioWidget::skinEditControls(int skin)
{
    m_captionLabel->setStyleSheet(textSheet(skin, 13));
    // By name: the frame's border must not reach the labels inside it.
    m_pathFrame->setStyleSheet(QStringLiteral("QLabel#pathFrame{border:1px solid %1;background:transparent;}")
                                   .arg(skin == 1 ? QStringLiteral("#61707c") : QStringLiteral("#cccccc")));
    m_pathLabel->setStyleSheet(textSheet(skin, 13));
    setSprite(deleteButton, SpriteCells::PublicSheet, SpriteCells::publicCells(SpriteCells::SmallDeleteColumn, skin));
    selectButton->setStyleSheets(textButtonSheet(skin, false), textButtonSheet(skin, true), textButtonSheet(skin, false));
    removeOriginalAudioCheckBox->setStyleSheet(QStringLiteral("QCheckBox{font-size:13px;color:%1;background:transparent;}")
                                                   .arg(skin == 1 ? QStringLiteral("#b9c8d3") : QStringLiteral("#333333")));
}

void VideoEditAudioWidget::retranslateEditControls()
{
    m_captionLabel->setText(tr("Add Audio:"));
    removeOriginalAudioCheckBox->setText(tr("Remove Original Audio"));
}

void VideoEditAudioWidget::loadRecordControls()
{
    // Setting the box writes the same value back into the record.
    removeOriginalAudioCheckBox->setChecked(m_pMediaInfo->removeOriginalAudio);
    m_pathLabel->setText(m_pMediaInfo->externalAudioPath);
}

void VideoEditAudioWidget::selectButton_slots()
{
    const QString start = PathServices::getSettingFolder(SettingKeys::AddAudioPath);
    const QString path = chooser()(this, tr("Add Audio File"), start,
        PathServices::anyCaseFilter(QStringLiteral("Audio"),
            {QStringLiteral("*.aac"), QStringLiteral("*.ac3"), QStringLiteral("*.aiff"), QStringLiteral("*.amr"),
                QStringLiteral("*.m4a"), QStringLiteral("*.mka"), QStringLiteral("*.mp3"), QStringLiteral("*.ogg"),
                QStringLiteral("*.wav"), QStringLiteral("*.wma")}));
    if (path.isEmpty())
        return;
    PathServices::setSettingValue(SettingKeys::AddAudioPath, path.left(path.lastIndexOf(QLatin1Char('/')) + 1));
    if (m_pMediaInfo)
        m_pMediaInfo->externalAudioPath = path;
    m_pathLabel->setText(path);
}

void VideoEditAudioWidget::removeOriginalAudioCheckBox_slots()
{
    if (m_pMediaInfo)
        m_pMediaInfo->removeOriginalAudio = removeOriginalAudioCheckBox->isChecked();
}

void VideoEditAudioWidget::deleteButton_slots()
{
    if (m_pMediaInfo)
        m_pMediaInfo->externalAudioPath.clear();
    m_pathLabel->clear();
}
