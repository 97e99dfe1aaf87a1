#include "toolkit/skinhelper.h"

#include "common/interfacescale.h"

#include <QColor>

namespace {

struct ColorRow
{
    const char* key;
    const char* colors[5]; // one per skin; nullptr: the key is absent in that skin
};

const ColorRow kColorTable[] = {
    {"leftbgcolor", {"#ffffff", "#ffffff", "#ffffff", "#ffffff", "#363538"}},
    {"rightbgcolor", {"#3573de", "#00a2ea", "#4c4f53", "#54585c", "#1f212a"}},
    {"bgcolor_main", {"#ffffff", "#ffffff", "#ffffff", "#ffffff", "#363538"}},
    {"bgcolor_main2", {"#3573de", "#00a2ea", "#4c4f53", "#54585c", "#1f212a"}},
    {"bgcolor_main3", {"#3573de", "#00a2ea", "#4c4f53", "#54585c", "#211f2a"}},
    {"txtcolor_main", {"#333333", "#333333", "#333333", "#333333", "#ffffff"}},
    {"txtcolor_main2", {"#555555", "#555555", "#818181", "#747474", "#868687"}},
    {"txtcolor_main3", {"#818181", "#818181", "#ffffff", "#3db557", "#777777"}},
    {"txtcolor_disable", {"#eeeeee", "#eeeeee", "#eeeeee", "#eeeeee", "#eeeeee"}},
    {"line_color", {"#cccccc", "#cccccc", "#cccccc", "#e9e9e9", "#4c4a51"}},
    {"line_color_select", {"#888888", "#888888", "#707070", "#b1b1b1", "#5b5960"}},
    {"progress_color", {"#3573de", "#00a2ea", "#2ab340", "#2ab340", "#2ab340"}},
    {"progress_bgcolor", {"#cccccc", "#cccccc", "#dddddd", "#dddddd", "#dddddd"}},
    {"dlprogress_color", {"#3573de", "#00a2ea", "#2ab340", "#2ab340", "#2ab340"}},
    {"dlprogress_bgcolor", {"#cccccc", "#cccccc", "#dddddd", "#dddddd", "#dddddd"}},
    {"menubgcolor_select", {"#3573de", "#0294d5", "#db3229", "#3db557", "#3db557"}},
    {"line_color_trackitem_select", {nullptr, nullptr, nullptr, nullptr, "#ff0000"}},
};

QString latin(const char* text)
{
    return QString::fromLatin1(text);
}

QString aliasOf(const QString& key)
{
    QString alias = key.toLower();
    alias.remove(QLatin1Char('_'));
    alias.remove(QLatin1Char('-'));
    return alias;
}

} // namespace

SkinHelper::SkinHelper()
{
    InitColor(0);
}

SkinHelper* SkinHelper::GetInstance()
{
    // Deliberately never destroyed: widgets may ask for colours while the
    // application tears down.
    static SkinHelper* instance = new SkinHelper;
    return instance;
}

void SkinHelper::InitColor(SkinType skin, int)
{
    cleanColor();
    m_skinType = skin;
    switch (skin) {
    case 1:
        initcolor_WihteBlue2();
        break;
    case 2:
        initcolor_WihteRed();
        break;
    case 3:
        initcolor_WihteGreen();
        break;
    case 4:
        initcolor_VESkin();
        break;
    default:
        initcolor_WihteBlue();
        break;
    }

    const QStringList keys = m_colors.keys();
    for (const QString& key : keys) {
        const QString alias = aliasOf(key);
        if (alias != key)
            m_colors.insert(alias, m_colors.value(key));
    }
    initcolor_Buttons();
}

void SkinHelper::fillColors(int column)
{
    for (const ColorRow& row : kColorTable) {
        if (row.colors[column])
            m_colors.insert(latin(row.key), latin(row.colors[column]));
    }
}

void SkinHelper::addPrimaryAndSecondary(const char* c0, const char* c1, const char* c2)
{
    const QString a = latin(c0), b = latin(c1), c = latin(c2);
    const QString white = QStringLiteral("#ffffff");
    setButtonbgColor(a, b, c);
    setButtontxtColor(white, white, white);
    setButtonborderColor(a, b, c);
    setButtonbgColor(white, white, white);
    setButtontxtColor(QStringLiteral("#333333"), QStringLiteral("#222222"), QStringLiteral("#cccccc"));
    setButtonborderColor(a, b, c);
}

void SkinHelper::initcolor_WihteBlue()
{
    fillColors(0);
    addPrimaryAndSecondary("#3573de", "#2559b2", "#aec2e5");
}

void SkinHelper::initcolor_WihteBlue2()
{
    fillColors(1);
    addPrimaryAndSecondary("#0294d5", "#0288c3", "#aee5fd");
}

void SkinHelper::initcolor_WihteRed()
{
    fillColors(2);
    addPrimaryAndSecondary("#db3229", "#eb544b", "#ce2c22");
}

void SkinHelper::initcolor_WihteGreen()
{
    fillColors(3);
    addPrimaryAndSecondary("#3db557", "#43c960", "#abddb6");
}

void SkinHelper::initcolor_VESkin()
{
    fillColors(4);
    addPrimaryAndSecondary("#6e43a5", "#8448bb", "#211931");
}

void SkinHelper::initcolor_Buttons()
{
    static const char* const kTypes[][3] = {
        {"#cc1c24", "#ee2833", "#eaa0a3"},
        {"#248c1e", "#33aa2b", "#a3cfa1"},
        {"#0976b8", "#0e92d9", "#98c6e1"},
        {"#e12a14", "#ff3a1e", "#f2a69c"},
        {"#3e5b99", "#5273b8", "#aebad4"},
    };
    const QString white = QStringLiteral("#ffffff");
    for (const auto& t : kTypes) {
        setButtonbgColor(latin(t[0]), latin(t[1]), latin(t[2]));
        setButtontxtColor(white, white, white);
        setButtonborderColor(latin(t[0]), latin(t[1]), latin(t[2]));
    }
}

QString SkinHelper::GetColor(const QString& key) const
{
    const QString lower = key.toLower();
    const auto it = m_colors.constFind(lower);
    if (it != m_colors.constEnd()) {
        const QString colour = it.value().trimmed();
        if (!colour.isEmpty())
            return colour;
    }
    return m_colors.value(aliasOf(lower)).trimmed();
}

const QStringList& SkinHelper::listFor(
    int state, const QStringList& normal, const QStringList& light, const QStringList& disable)
{
    if (state == 2)
        return disable;
    if (state == 1)
        return light;
    return normal;
}

QString SkinHelper::GetButtonColor(int type, int state) const
{
    return listFor(state, m_bgNormal, m_bgLight, m_bgDisable).value(type);
}

QString SkinHelper::getCommonSheet(int kind, int type, int fontSize, int weight, int radius, int state, int borderWidth,
    bool left, bool top, bool right, bool bottom) const
{
    QString sheet;
    if (kind == 1)
        sheet = QStringLiteral("QLabel{");
    else if (kind == 0)
        sheet = QStringLiteral("QWidget{");
    if (fontSize > 0)
        sheet += QStringLiteral("font-size:") + QString::number(fontSize) + QStringLiteral("px;");
    if (weight > 0)
        sheet += QStringLiteral("font-weight:") + QString::number(weight) + QLatin1Char(';');
    if (radius > 0)
        sheet += QStringLiteral("border-radius:") + QString::number(radius) + QStringLiteral("px;");

    const QString text = listFor(state, m_txtNormal, m_txtLight, m_txtDisable).value(type);
    const QString bg = listFor(state, m_bgNormal, m_bgLight, m_bgDisable).value(type);
    const QString border = listFor(state, m_borderNormal, m_borderLight, m_borderDisable).value(type);
    sheet += QStringLiteral("color:") + text + QStringLiteral(";background-color:") + bg + QLatin1Char(';');

    const struct
    {
        bool on;
        const char* name;
    } sides[] = {{left, "left"}, {top, "top"}, {right, "right"}, {bottom, "bottom"}};
    for (const auto& side : sides) {
        sheet += QStringLiteral("border-") + latin(side.name);
        if (side.on)
            sheet += QLatin1Char(':') + QString::number(borderWidth) + QStringLiteral("px solid ") + border
                + QLatin1Char(';');
        else
            sheet += QStringLiteral(": none;");
    }
    sheet += QLatin1Char('}');
    return sheet;
}

QString SkinHelper::buttonSheet(
    int state, int type, int fontSize, int radius, int weight, bool left, bool top, bool right, bool bottom) const
{
    return getCommonSheet(1, type, fontSize, weight, radius, state, 1, left, top, right, bottom);
}

QString SkinHelper::GetNormalButtonQSS(int type) const
{
    return buttonSheet(0, type, InterfaceScale::px(14), 0, 0, true, true, true, true);
}

QString SkinHelper::GetNormalButtonQSS(
    int type, int fontSize, int radius, int weight, bool left, bool top, bool right, bool bottom) const
{
    return buttonSheet(0, type, fontSize, radius, weight, left, top, right, bottom);
}

QString SkinHelper::GetLightButtonQSS(int type) const
{
    return buttonSheet(1, type, InterfaceScale::px(14), 0, 0, true, true, true, true);
}

QString SkinHelper::GetLightButtonQSS(
    int type, int fontSize, int radius, int weight, bool left, bool top, bool right, bool bottom) const
{
    return buttonSheet(1, type, fontSize, radius, weight, left, top, right, bottom);
}

QString SkinHelper::GetDisableButtonQSS(int type) const
{
    return buttonSheet(2, type, InterfaceScale::px(14), 0, 0, true, true, true, true);
}

QString SkinHelper::GetDisableButtonQSS(
    int type, int fontSize, int radius, int weight, bool left, bool top, bool right, bool bottom) const
{
    return buttonSheet(2, type, fontSize, radius, weight, left, top, right, bottom);
}

QString SkinHelper::GetQScrollBarQSS(const QString& orientation, const QString& handleColour, int size) const
{
    const QString handle = handleColour.isEmpty() ? GetColor(QStringLiteral("progress_color")) : handleColour;
    const QString& o = orientation;
    const QString dimension = o == QLatin1String("vertical") ? QStringLiteral("width") : QStringLiteral("height");
    QString sheet;
    sheet += QStringLiteral("QScrollBar:") + o + QStringLiteral("{border:0px;background:transparent;") + dimension
        + QLatin1Char(':') + QString::number(size)
        + QStringLiteral("px;margin-top:0px; margin-bottom:0px;margin-left:0px;margin-right:0px;}");
    sheet += QStringLiteral("QScrollBar::handle:") + o + QStringLiteral(" {background: ") + handle
        + QStringLiteral("; min-height: 50px;border-radius:5px;}");
    sheet += QStringLiteral("QScrollBar::add-line:") + o
        + QStringLiteral(" {border: 0px;background:transparent;height: 0px;subcontrol-position: "
                         "bottom;subcontrol-origin: margin;}");
    sheet += QStringLiteral("QScrollBar::sub-line:") + o
        + QStringLiteral(
            " {border: 0px;background:transparent;height: 0px;subcontrol-position: top;subcontrol-origin: margin;}");
    sheet += QStringLiteral("QScrollBar::up-arrow:") + o + QStringLiteral(", QScrollBar::down-arrow:") + o
        + QStringLiteral(" {border: 0px;width: 0px;height: 0px;background: transparent;}");
    sheet += QStringLiteral("QScrollBar::add-page:") + o + QStringLiteral(", QScrollBar::sub-page:") + o
        + QStringLiteral(" {background: transparent;}");
    return sheet;
}

QString SkinHelper::getChangeColor(const QString& colour, int hueShift)
{
    if (hueShift == 0 || colour.trimmed() == QLatin1String("none"))
        return colour;
    const QColor parsed(colour.trimmed());
    // A text that is no colour is handed back as it came rather than as black.
    if (!parsed.isValid())
        return colour;
    int h = 0, s = 0, v = 0, a = 0;
    parsed.getHsv(&h, &s, &v, &a);
    h = qBound(0, h + hueShift, 360);
    const QColor shifted = QColor::fromHsv(h % 360, s, v, a);
    return QStringLiteral("#%1%2%3")
        .arg(shifted.red(), 2, 16, QLatin1Char('0'))
        .arg(shifted.green(), 2, 16, QLatin1Char('0'))
        .arg(shifted.blue(), 2, 16, QLatin1Char('0'));
}

void SkinHelper::setButtonbgColor(const QString& s0, const QString& s1, const QString& s2)
{
    m_bgNormal.append(s0);
    m_bgLight.append(s1);
    m_bgDisable.append(s2);
}

void SkinHelper::setButtontxtColor(const QString& s0, const QString& s1, const QString& s2)
{
    m_txtNormal.append(s0);
    m_txtLight.append(s1);
    m_txtDisable.append(s2);
}

void SkinHelper::setButtonborderColor(const QString& s0, const QString& s1, const QString& s2)
{
    m_borderNormal.append(s0);
    m_borderLight.append(s1);
    m_borderDisable.append(s2);
}

void SkinHelper::cleanColor()
{
    m_colors.clear();
    for (QStringList* list : {&m_bgNormal, &m_bgLight, &m_bgDisable, &m_txtNormal, &m_txtLight, &m_txtDisable,
             &m_borderNormal, &m_borderLight, &m_borderDisable})
        list->clear();
}
