#!/bin/sh
# Seeds for the fuzz targets, from the system ffmpeg and ffprobe run on
# media made here from lavfi sources: the descriptions the probe reads, the
# JSON reports, a conversion's output with its status lines, SRT that ffmpeg
# wrote, and the clock texts found in all of them.
# Usage: make_seeds.sh OUTDIR
set -eu
out=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/morvayne-seeds.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
rm -rf "$out"
mkdir -p "$out/fuzz_banner" "$out/fuzz_probejson" "$out/fuzz_progress" "$out/fuzz_subtitletrim" \
  "$out/fuzz_texthelpers" "$out/fuzz_savedqueue"

make() { # name, ffmpeg arguments...
  name=$1
  shift
  ffmpeg -nostdin -v error -y "$@" "$work/$name"
}
video="-f lavfi -i testsrc=size=160x120:duration=2"
tone="-f lavfi -i sine=duration=2"
make clip.mp4 $video $tone -pix_fmt yuv420p -c:v libx264 -c:a aac -shortest \
  -metadata title="time=00:00:01.90 (a [b] c)" -metadata comment="line one
line two"
make phone.mp4 -i "$work/clip.mp4" -c copy -metadata:s:v:0 rotate=90
make two-audio.mkv $video $tone -f lavfi -i sine=duration=2:sample_rate=22050 -map 0 -map 1 -map 2 \
  -pix_fmt yuv420p -c:a:1 libmp3lame -ac:a:1 2
make cover.mp3 $tone -f lavfi -i testsrc=size=64x64:rate=1:duration=1 -map 0 -map 1 -c:v mjpeg \
  -disposition:v attached_pic
make surround.ac3 -f lavfi -i sine=duration=1 -af aformat=channel_layouts=5.1
make raw.h264 -f lavfi -i testsrc=size=160x120:duration=1 -pix_fmt yuv420p
printf '1\r\n00:00:00,500 --> 00:00:01,250\r\nfirst\r\n\r\n2\r\n00:00:01,5 --> 00:00:02,0 X1:10\r\n<i>second</i>\r\nline\r\n' \
  > "$work/cues.srt"
make cues-again.srt -i "$work/cues.srt"
make cues-late.srt -ss 1 -i "$work/cues.srt"

for media in clip.mp4 phone.mp4 two-audio.mkv cover.mp3 surround.ac3 raw.h264; do
  # The probe's own calls: the description with a thumbnail, then the report.
  ffmpeg -nostdin -i "$work/$media" -y -f image2 -vf scale=-1:480 -t 1.520 "$work/thumb.bmp" \
    > "$out/fuzz_banner/$media.txt" 2>&1 || true
  ffprobe -v quiet -loglevel panic -print_format json -show_format -show_streams "$work/$media" \
    > "$out/fuzz_probejson/$media.json" || true
done
ffmpeg -nostdin -i "$work/missing.mp4" > "$out/fuzz_banner/missing.txt" 2>&1 || true

# Conversions print status lines ending in a carriage return.
ffmpeg -nostdin -i "$work/clip.mp4" -c:v libx264 -c:a aac -threads 1 -y "$work/out.mp4" \
  > "$out/fuzz_progress/video.txt" 2>&1
ffmpeg -nostdin -i "$work/clip.mp4" -vn -acodec libmp3lame -threads 1 -y "$work/out.mp3" \
  > "$out/fuzz_progress/audio.txt" 2>&1
tr '\r' '\n' < "$out/fuzz_progress/video.txt" | grep -m 3 '^frame=' | tr '\n' '\r' > "$out/fuzz_progress/lines.txt"

cp "$work/cues.srt" "$work/cues-again.srt" "$work/cues-late.srt" "$out/fuzz_subtitletrim/"

n=0
cat "$out"/fuzz_banner/*.txt "$out"/fuzz_progress/*.txt "$work"/*.srt | tr '\r' '\n' |
  grep -oE '([0-9]+:)?[0-9]+:[0-9]+([.,][0-9]+)?' | sort -u | head -n 40 |
  while read -r clock; do
    n=$((n + 1))
    printf '%s' "$clock" > "$out/fuzz_texthelpers/clock$n"
  done
grep -h -E 'Duration:|Stream #' "$out"/fuzz_banner/*.txt | sort -u | head -n 20 | {
  n=0
  while IFS= read -r line; do
    n=$((n + 1))
    printf '%s' "$line" > "$out/fuzz_texthelpers/line$n"
  done
}
# A saved job list as the program writes it: every kind of edit once.
cat > "$out/fuzz_savedqueue/list.json" <<'JSON'
{
    "format": "morvayne-queue",
    "version": 1,
    "outputFormat": "mkv",
    "jobs": [
        {"source": "/media/a b.mp4", "softSubtitle": true, "format": "mkv", "state": 1, "trimStart": 1000000,
         "trimEnd": 7000000, "cropX": 0, "cropY": 0, "cropWidth": 0, "cropHeight": 0, "rotation": 0, "flipH": 0,
         "flipV": 0, "removeOriginalAudio": false},
        {"source": "/media/c.mov", "subtitle": "/media/c.srt", "softSubtitle": false, "format": "mkv", "state": 0,
         "trimStart": 0, "trimEnd": 0, "cropX": 16, "cropY": 8, "cropWidth": 128, "cropHeight": 96,
         "rotation": 90, "flipH": 1, "flipV": 0, "removeOriginalAudio": true, "externalAudio": "/media/d.wav"}
    ]
}
JSON
touch "$out/made"
