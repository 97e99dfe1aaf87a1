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
<context>
    <name>VideoConverterWidget</name>
    <message>
        <source>Open File</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Lost the ffmpeg file, Please download and reinstall the application</source>
        <translation>缺少 ffmpeg 文件，请重新下载并安装本程序</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>These files could not be read and were not added:</source>
        <translation>以下文件无法读取，未能添加：</translation>
    </message>
    <message>
        <source>These files of the last session no longer exist or could not be read, and were not restored:</source>
        <translation>上次会话中的这些文件已不存在或无法读取，未能恢复：</translation>
    </message>
    <message>
        <source>The list of jobs could not be saved to %1: %2</source>
        <translation>无法将任务列表保存到 %1：%2</translation>
    </message>
    <message>
        <source>Restore Jobs</source>
        <translation>恢复任务</translation>
    </message>
    <message>
        <source>%1 jobs were left unfinished when the program last ended. Restore them to the list?</source>
        <translation>程序上次结束时有 %1 个任务未完成。要将它们恢复到列表中吗？</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>恢复</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>放弃</translation>
    </message>
    <message>
        <source>Drop files to add them</source>
        <translation>拖放文件到此处即可添加</translation>
    </message>
    <message>
        <source>MP4</source>
        <translation>MP4</translation>
    </message>
    <message>
        <source>MOV</source>
        <translation>MOV</translation>
    </message>
    <message>
        <source>MKV</source>
        <translation>MKV</translation>
    </message>
    <message>
        <source>AVI</source>
        <translation>AVI</translation>
    </message>
    <message>
        <source>MP3</source>
        <translation>MP3</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>选择文件夹</translation>
    </message>
    <message>
        <source>+ Add Video</source>
        <translation>+ 添加视频</translation>
    </message>
    <message>
        <source>Video Format Converter</source>
        <translation>视频格式转换器</translation>
    </message>
    <message>
        <source>Click the button below to add videos.</source>
        <translation>点击下方按钮添加视频。</translation>
    </message>
    <message>
        <source>Output Folder:</source>
        <translation>输出文件夹：</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Choose the output folder</source>
        <translation>选择输出文件夹</translation>
    </message>
    <message>
        <source>Open the output folder</source>
        <translation>打开输出文件夹</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>输出格式：</translation>
    </message>
    <message>
        <source>Convert All</source>
        <translation>全部转换</translation>
    </message>
    <message>
        <source>Time left: %1</source>
        <translation>剩余时间：%1</translation>
    </message>
    <message>
        <source>Time until every waiting and converting job is done</source>
        <translation>所有等待中和转换中的任务完成所需的时间</translation>
    </message>
</context>
<context>
    <name>VideoEditAudioWidget</name>
    <message>
        <source>Audio</source>
        <translation>音频</translation>
    </message>
    <message>
        <source>Add Audio:</source>
        <translation>添加音频：</translation>
    </message>
    <message>
        <source>Remove Original Audio</source>
        <translation>移除原始音频</translation>
    </message>
    <message>
        <source>Add Audio File</source>
        <translation>添加音频文件</translation>
    </message>
</context>
<context>
    <name>VideoEditCropWidget</name>
    <message>
        <source>Crop</source>
        <translation>裁剪</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X：</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y：</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>宽度：</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>高度：</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Flip Vertical</source>
        <translation>垂直翻转</translation>
    </message>
    <message>
        <source>Flip Horizontal</source>
        <translation>水平翻转</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>向右旋转</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>向左旋转</translation>
    </message>
</context>
<context>
    <name>VideoEditTrimWidget</name>
    <message>
        <source>Trim</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>开始时间：</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>结束时间：</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
</context>
<context>
    <name>VideoItemData</name>
    <message>
        <source>Could not start ffmpeg: %1</source>
        <translation>无法启动 ffmpeg：%1</translation>
    </message>
    <message>
        <source>ffmpeg stopped unexpectedly.</source>
        <translation>ffmpeg 意外停止。</translation>
    </message>
    <message>
        <source>ffmpeg ended with exit status %1.</source>
        <translation>ffmpeg 退出，状态码 %1。</translation>
    </message>
    <message>
        <source>ffmpeg reported an error.</source>
        <translation>ffmpeg 报告了错误。</translation>
    </message>
    <message>
        <source>ffmpeg wrote no output.</source>
        <translation>ffmpeg 未生成输出文件。</translation>
    </message>
    <message>
        <source>No output folder is set.</source>
        <translation>未设置输出文件夹。</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be found.</source>
        <translation>找不到输出文件夹 %1。</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be written to.</source>
        <translation>无法写入输出文件夹 %1。</translation>
    </message>
    <message>
        <source>Could not read the subtitle file %1: %2</source>
        <translation>无法读取字幕文件 %1：%2</translation>
    </message>
    <message>
        <source>Could not write a copy of the subtitle into %1: %2</source>
        <translation>无法将字幕副本写入 %1：%2</translation>
    </message>
</context>
<context>
    <name>VideoItemWidget</name>
    <message>
        <source>Add subtitle</source>
        <translation>添加字幕</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>等待中...</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>转换中...</translation>
    </message>
    <message>
        <source>Conversion completed</source>
        <translation>转换完成</translation>
    </message>
    <message>
        <source>Conversion failed</source>
        <translation>转换失败</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>源文件</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>目标</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Burn-In</source>
        <translation>硬字幕</translation>
    </message>
    <message>
        <source>Softcode</source>
        <translation>软字幕</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation>全部删除</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>subtitle</source>
        <translation>字幕</translation>
    </message>
    <message>
        <source>%1x</source>
        <translation>%1x</translation>
    </message>
    <message>
        <source>Encoding speed, in multiples of playback</source>
        <translation>编码速度（播放速度的倍数）</translation>
    </message>
    <message>
        <source>Time left</source>
        <translation>剩余时间</translation>
    </message>
</context>
<context>
    <name>FinishCountdown</name>
    <message>
        <source>All conversions have finished</source>
        <translation>所有转换已完成</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message numerus="yes">
        <source>The computer will restart in %n second(s).</source>
        <translation>
            <numerusform>计算机将在 %n 秒后重新启动。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The computer will shut down in %n second(s).</source>
        <translation>
            <numerusform>计算机将在 %n 秒后关机。</numerusform>
        </translation>
    </message>
</context>
</TS>
