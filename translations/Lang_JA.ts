<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>PreferencesWidget</name>
    <message>
        <source>General Settings</source>
        <translation>一般設定</translation>
    </message>
    <message>
        <source>Automatically check for updates</source>
        <translation>アップデートを自動的に確認</translation>
    </message>
    <message>
        <source>Enable GPU decoded/encoded</source>
        <translation>GPU デコード/エンコードを有効にする</translation>
    </message>
    <message>
        <source>Auto add the SRT file.</source>
        <translation>同名の SRT ファイルを自動で追加</translation>
    </message>
    <message>
        <source>UI Color:</source>
        <translation>UI カラー：</translation>
    </message>
    <message>
        <source>Maximum number of active convert:</source>
        <translation>最大同時変換数：</translation>
    </message>
    <message>
        <source>All the finished:</source>
        <translation>すべて完了後：</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>ライト</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>ダーク</translation>
    </message>
    <message>
        <source>None</source>
        <translation>何もしない</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>再起動</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>シャットダウン</translation>
    </message>
</context>
<context>
    <name>TopWidget</name>
    <message>
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>サポート</translation>
    </message>
    <message>
        <source>Homepage</source>
        <translation>ホームページ</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>環境設定</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
</context>
<context>
    <name>VideoConverterWidget</name>
    <message>
        <source>Open File</source>
        <translation>ファイルを開く</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Lost the ffmpeg file, Please download and reinstall the application</source>
        <translation>ffmpeg ファイルが見つかりません。アプリケーションを再度ダウンロードしてインストールしてください。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>These files could not be read and were not added:</source>
        <translation>次のファイルは読み込めなかったため、追加されませんでした：</translation>
    </message>
    <message>
        <source>These files of the last session no longer exist or could not be read, and were not restored:</source>
        <translation>前回のセッションの次のファイルは存在しないか読み込めなかったため、復元されませんでした：</translation>
    </message>
    <message>
        <source>The list of jobs could not be saved to %1: %2</source>
        <translation>ジョブの一覧を %1 に保存できませんでした：%2</translation>
    </message>
    <message>
        <source>Restore Jobs</source>
        <translation>ジョブの復元</translation>
    </message>
    <message>
        <source>%1 jobs were left unfinished when the program last ended. Restore them to the list?</source>
        <translation>前回プログラムを終了したとき、%1 件のジョブが未完了でした。一覧に復元しますか？</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>復元</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>破棄</translation>
    </message>
    <message>
        <source>Drop files to add them</source>
        <translation>ファイルをドロップして追加</translation>
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
        <translation>フォルダーを選択</translation>
    </message>
    <message>
        <source>+ Add Video</source>
        <translation>+ 動画を追加</translation>
    </message>
    <message>
        <source>Video Format Converter</source>
        <translation>動画フォーマット変換</translation>
    </message>
    <message>
        <source>Click the button below to add videos.</source>
        <translation>下のボタンをクリックして動画を追加してください。</translation>
    </message>
    <message>
        <source>Output Folder:</source>
        <translation>出力フォルダー：</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Choose the output folder</source>
        <translation>出力フォルダーを選択</translation>
    </message>
    <message>
        <source>Open the output folder</source>
        <translation>出力フォルダーを開く</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>出力形式：</translation>
    </message>
    <message>
        <source>Convert All</source>
        <translation>すべて変換</translation>
    </message>
    <message>
        <source>Time left: %1</source>
        <translation>残り時間：%1</translation>
    </message>
    <message>
        <source>Time until every waiting and converting job is done</source>
        <translation>待機中と変換中のすべてのジョブが終わるまでの時間</translation>
    </message>
</context>
<context>
    <name>VideoEditAudioWidget</name>
    <message>
        <source>Audio</source>
        <translation>オーディオ</translation>
    </message>
    <message>
        <source>Add Audio:</source>
        <translation>音声を追加：</translation>
    </message>
    <message>
        <source>Remove Original Audio</source>
        <translation>元の音声を削除</translation>
    </message>
    <message>
        <source>Add Audio File</source>
        <translation>音声ファイルを追加</translation>
    </message>
</context>
<context>
    <name>VideoEditCropWidget</name>
    <message>
        <source>Crop</source>
        <translation>クロップ</translation>
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
        <translation>幅：</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>高さ：</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>リセット</translation>
    </message>
    <message>
        <source>Flip Vertical</source>
        <translation>上下反転</translation>
    </message>
    <message>
        <source>Flip Horizontal</source>
        <translation>左右反転</translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation>右に回転</translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation>左に回転</translation>
    </message>
</context>
<context>
    <name>VideoEditTrimWidget</name>
    <message>
        <source>Trim</source>
        <translation>トリミング</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>開始時間：</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>終了時間：</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>リセット</translation>
    </message>
</context>
<context>
    <name>VideoItemData</name>
    <message>
        <source>Could not start ffmpeg: %1</source>
        <translation>ffmpeg を起動できませんでした：%1</translation>
    </message>
    <message>
        <source>ffmpeg stopped unexpectedly.</source>
        <translation>ffmpeg が予期せず停止しました。</translation>
    </message>
    <message>
        <source>ffmpeg ended with exit status %1.</source>
        <translation>ffmpeg が終了コード %1 で終了しました。</translation>
    </message>
    <message>
        <source>ffmpeg reported an error.</source>
        <translation>ffmpeg がエラーを報告しました。</translation>
    </message>
    <message>
        <source>ffmpeg wrote no output.</source>
        <translation>ffmpeg は出力ファイルを作成しませんでした。</translation>
    </message>
    <message>
        <source>No output folder is set.</source>
        <translation>出力フォルダーが設定されていません。</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be found.</source>
        <translation>出力フォルダー %1 が見つかりません。</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be written to.</source>
        <translation>出力フォルダー %1 に書き込めません。</translation>
    </message>
    <message>
        <source>Could not read the subtitle file %1: %2</source>
        <translation>字幕ファイル %1 を読み込めませんでした：%2</translation>
    </message>
    <message>
        <source>Could not write a copy of the subtitle into %1: %2</source>
        <translation>字幕のコピーを %1 に書き込めませんでした：%2</translation>
    </message>
</context>
<context>
    <name>VideoItemWidget</name>
    <message>
        <source>Add subtitle</source>
        <translation>字幕を追加</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>待機中...</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>変換中...</translation>
    </message>
    <message>
        <source>Conversion completed</source>
        <translation>変換完了</translation>
    </message>
    <message>
        <source>Conversion failed</source>
        <translation>変換に失敗しました</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>元ファイル</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>出力</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Burn-In</source>
        <translation>焼き込み</translation>
    </message>
    <message>
        <source>Softcode</source>
        <translation>ソフト字幕</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation>すべて削除</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>ファイルを開く</translation>
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
        <translation>エンコード速度（再生速度の倍率）</translation>
    </message>
    <message>
        <source>Time left</source>
        <translation>残り時間</translation>
    </message>
</context>
<context>
    <name>FinishCountdown</name>
    <message>
        <source>All conversions have finished</source>
        <translation>すべての変換が完了しました</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message numerus="yes">
        <source>The computer will restart in %n second(s).</source>
        <translation>
            <numerusform>%n 秒後にコンピューターを再起動します。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The computer will shut down in %n second(s).</source>
        <translation>
            <numerusform>%n 秒後にコンピューターをシャットダウンします。</numerusform>
        </translation>
    </message>
</context>
</TS>
