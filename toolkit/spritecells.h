#pragma once

#include <QRect>
#include <QString>

// Where every picture of the embedded sheets lies. The artwork generator
// draws into these rectangles and the widgets cut by them, so the two always
// agree. Rectangles are (x, y, width, height) in sheet pixels.
namespace SpriteCells {

// The four looks of one picture button, in the order MyPushButton takes them.
struct StateCells
{
    QRect normal;
    QRect highlight;
    QRect click;
    QRect disable;
};

enum Skin { Light = 0, Dark = 1 };

inline const QString PublicSheet = QStringLiteral(":/images/public.png");
inline const QString VcPublicSheet = QStringLiteral(":/images/vcpublic.png");
inline const QString WidePublicSheet = QStringLiteral(":/images/widepublic.png");
inline const QString PlayButtonsSheet = QStringLiteral(":/images/public-control-play-buttons.png");
inline const QString ArrowPicture = QStringLiteral(":/images/arrow.png");
inline const QString ItemArrowPicture = QStringLiteral(":/images/arrowtest.png");
inline const QString ProgramPicture = QStringLiteral(":/images/program.png");
inline const QString LoadingSmallMovie = QStringLiteral(":/images/loading_small.gif");
inline const QString LoadingMovie = QStringLiteral(":/images/login/loading.gif");
inline const QString LoginClosePicture = QStringLiteral(":/images/login/close.png");
inline const QString LoginOk1Picture = QStringLiteral(":/images/login/ok1.png");
inline const QString LoginOk2Picture = QStringLiteral(":/images/login/ok2.png");
inline const QString LoginNo1Picture = QStringLiteral(":/images/login/no1.png");

constexpr StateCells column(int x, int y0, int y1, int y2, int y3, int w, int h)
{
    return {QRect(x, y0, w, h), QRect(x, y1, w, h), QRect(x, y2, w, h), QRect(x, y3, w, h)};
}

// ---- widepublic.png -------------------------------------------------------
// Title-bar buttons: 32 x 32, one column per button, rows normal, hover,
// pressed, disabled. The same cells serve both skins.
constexpr QSize WidePublicSize(1408, 144);
constexpr StateCells TitleClose = column(0, 0, 32, 64, 96, 32, 32);
constexpr StateCells TitleMaximise = column(32, 0, 32, 64, 96, 32, 32);
constexpr StateCells TitleMinimise = column(64, 0, 32, 64, 96, 32, 32);
constexpr StateCells TitleMenu = column(96, 0, 32, 64, 96, 32, 32);
// The job row's thumbnail when the job has none of its own.
constexpr QRect ThumbnailPlaceholder(1159, 0, 242, 138);

// ---- public-control-play-buttons.png --------------------------------------
// 76 x 76 cells. Row 0 is the normal look of the light skin, row 304 that of
// the dark skin; highlight, pressed and disabled rows serve both skins.
constexpr QSize PlayButtonsSize(1064, 380);
constexpr int PlayCell = 76;
constexpr int PlayRowLight = 0;
constexpr int PlayRowHighlight = 76;
constexpr int PlayRowClick = 152;
constexpr int PlayRowDisable = 228;
constexpr int PlayRowDark = 304;
// Columns by the editors' button names: playButton shows the pause picture
// (it is visible while the preview plays), pauseButton the play picture.
constexpr int VolumeColumn = 0;
constexpr int HarryUpColumn = 152;
constexpr int PauseButtonColumn = 228;
constexpr int PlayButtonColumn = 304;
constexpr int HarryDownColumn = 456;
constexpr int FlipYColumn = 760;
constexpr int FlipXColumn = 836;
constexpr int RotateYColumn = 912;
constexpr int RotateXColumn = 988;

constexpr StateCells playCells(int columnX, int skin)
{
    return column(columnX, skin == Dark ? PlayRowDark : PlayRowLight, PlayRowHighlight, PlayRowClick, PlayRowDisable,
        PlayCell, PlayCell);
}

// ---- vcpublic.png ---------------------------------------------------------
constexpr QSize VcPublicSize(368, 912);
// Handle of the one-handle slider and position handle of the trim slider.
constexpr StateCells SliderHandle = column(343, 288, 288 + 13, 288 + 26, 288 + 39, 12, 12);
constexpr StateCells TrimStartHandle = column(269, 287, 287 + 16, 287 + 32, 287 + 48, 15, 15);
constexpr StateCells TrimEndHandle = column(289, 287, 287 + 16, 287 + 32, 287 + 48, 15, 15);
// Arrows of the number and time boxes. The pressed up cell (rows 846..853)
// and the pressed down cell (rows 852..859) share two rows; both leave those
// rows empty.
constexpr StateCells SpinUpArrow = column(100, 797, 797 + 24, 797 + 49, 797 + 74, 10, 8);
constexpr StateCells SpinDownArrow = column(100, 797 + 8, 797 + 32, 797 + 55, 797 + 82, 10, 8);

// ---- public.png -----------------------------------------------------------
// Small buttons of the job row, the page and the editors: 32 x 32 cells, one
// column per button; rows 0..3 are normal, hover, pressed and disabled of the
// light skin, rows 4..7 the same for the dark skin.
constexpr QSize PublicSize(288, 256);
constexpr int PublicCell = 32;
constexpr int RowDeleteColumn = 0;     // trash can: remove the job
constexpr int RowConvertColumn = 32;   // play in a circle: convert one job
constexpr int RowOpenColumn = 64;      // folder: show the output file
constexpr int CloseColumn = 96;        // cross: close an editor
constexpr int SmallDeleteColumn = 128; // cross in a circle: remove the external audio
constexpr int OpenFolderColumn = 160;  // folder with an arrow: open the output folder
constexpr int VolumeIconColumn = 192;  // loudspeaker
constexpr int SuccessColumn = 224;     // tick
constexpr int FailureColumn = 256;     // exclamation mark

constexpr StateCells publicCells(int columnX, int skin)
{
    return column(columnX, skin == Dark ? 128 : 0, skin == Dark ? 160 : 32, skin == Dark ? 192 : 64,
        skin == Dark ? 224 : 96, PublicCell, PublicCell);
}

// ---- login/close.png ------------------------------------------------------
// 48 x 48 cells side by side: normal, hover, disabled, checked.
constexpr QSize LoginCloseSize(192, 48);
constexpr QRect LoginCloseNormal(0, 0, 48, 48);
constexpr QRect LoginCloseHover(48, 0, 48, 48);
constexpr QRect LoginCloseDisabled(96, 0, 48, 48);
constexpr QRect LoginCloseChecked(144, 0, 48, 48);

} // namespace SpriteCells
