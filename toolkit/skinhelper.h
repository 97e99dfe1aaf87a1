#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// The toolkit's palette: named colours of one of five built-in skins, the
// colours of each button type per state, and style sheets built from them.
// One instance per process, created on first use and never destroyed.
class SkinHelper
{
public:
    // 0 white-blue (also every value of 5 or more), 1 white-blue 2,
    // 2 white-red, 3 white-green, 4 the dark editor skin.
    using SkinType = int;

    static SkinHelper* GetInstance();

    void InitColor(SkinType skin, int unused = 0);

    QString GetColor(const QString& key) const;
    QString GetButtonColor(int type, int state) const;

    QString GetNormalButtonQSS(int type) const;
    QString GetNormalButtonQSS(
        int type, int fontSize, int radius, int weight, bool left, bool top, bool right, bool bottom) const;
    QString GetLightButtonQSS(int type) const;
    QString GetLightButtonQSS(
        int type, int fontSize, int radius, int weight, bool left, bool top, bool right, bool bottom) const;
    QString GetDisableButtonQSS(int type) const;
    QString GetDisableButtonQSS(
        int type, int fontSize, int radius, int weight, bool left, bool top, bool right, bool bottom) const;

    // kind 1 styles a QLabel, kind 0 a QWidget; state 0 normal, 1 light, 2 disabled.
    QString getCommonSheet(int kind, int type, int fontSize, int weight, int radius, int state, int borderWidth,
        bool left, bool top, bool right, bool bottom) const;
    QString GetQScrollBarQSS(const QString& orientation, const QString& handleColour, int size) const;
    static QString getChangeColor(const QString& colour, int hueShift);

    // Each call adds one button type (one colour per state).
    void setButtonbgColor(const QString& s0, const QString& s1, const QString& s2);
    void setButtontxtColor(const QString& s0, const QString& s1, const QString& s2);
    void setButtonborderColor(const QString& s0, const QString& s1, const QString& s2);
    void cleanColor();


private:
    SkinHelper();
    Q_DISABLE_COPY(SkinHelper)

    void initcolor_WihteBlue();
    void initcolor_WihteBlue2();
    void initcolor_WihteRed();
    void initcolor_WihteGreen();
    void initcolor_VESkin();
    void initcolor_Buttons();

    // Fills the colour map from the column of the skin table.
    void fillColors(int column);
    // Button types 0 (primary) and 1 (secondary) in the skin's accent colours.
    void addPrimaryAndSecondary(const char* c0, const char* c1, const char* c2);

    QString buttonSheet(
        int state, int type, int fontSize, int radius, int weight, bool left, bool top, bool right, bool bottom) const;
    static const QStringList& listFor(
        int state, const QStringList& normal, const QStringList& light, const QStringList& disable);

    QMap<QString, QString> m_colors;
    QStringList m_bgNormal;
    QStringList m_bgLight;
    QStringList m_bgDisable;
    QStringList m_txtNormal;
    QStringList m_txtLight;
    QStringList m_txtDisable;
    QStringList m_borderNormal;
    QStringList m_borderLight;
    QStringList m_borderDisable;
    SkinType m_skinType = 0;
};
