<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>PreferencesWidget</name>
    <message>
        <source>General Settings</source>
        <translation>常规设置</translation>
    </message>
    <message>
        <source>Automatically check for updates</source>
        <translation>自动检查更新</translation>
    </message>
    <message>
        <source>Enable GPU decoded/encoded</source>
        <translation>启用 GPU 硬件解码/编码</translation>
    </message>
    <message>
        <source>Auto add the SRT file.</source>
        <translation>自动添加同名 SRT 字幕文件</translation>
    </message>
    <message>
        <source>UI Color:</source>
        <translation>界面颜色：</translation>
    </message>
    <message>
        <source>Maximum number of active convert:</source>
        <translation>最大同时转换数：</translation>
    </message>
    <message>
        <source>All the finished:</source>
        <translation>全部完成后：</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>浅色</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>深色</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无操作</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>重启</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>关机</translation>
    </message>
</context>
<context>
    <name>TopWidget</name>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>技术支持</translation>
    </message>
    <message>
        <source>Homepage</source>
        <translation>官方网站</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>偏好设置</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
</context>
</TS>
