#pragma once

#include "common/pathservices.h"
#include "common/runtimechoices.h"

#include <QWidget>

// The single top-level window. It carries the path services and the choices
// of the current run, so other parts reach them through instance().
class VCManagerWidget : public QWidget, public PathServices, public RuntimeChoices
{
    Q_OBJECT
    Q_DISABLE_COPY(VCManagerWidget)

public:
    static constexpr int WindowWidth = 1140;
    static constexpr int WindowHeight = 672;

    explicit VCManagerWidget(QWidget* parent = nullptr);
    ~VCManagerWidget() override;

    static VCManagerWidget* instance();
    static QString versionText();

    void loadSkin(bool apply);
    void layoutChildren();
    void applySkin();
    void retranslate();

private:
    QWidget* m_background = nullptr;
};
