#!/usr/bin/env bash
# Makes the small deterministic media files the tests play, into DIR
# (default build/media). Re-made only when this script changes.
#   <kind>.<ext> for kind av (audio+video), v (video only), a (audio only)
#   and ext avi (MJPEG/PCM), mkv (MPEG-4/Vorbis), ogg (Theora/Vorbis),
#   mpg (MPEG-2 program stream); tone.wav, tone.mp3; wide169.mkv (16:9),
#   narrow43.mkv (4:3), anamorphic.mkv (4:3 pixels stored, 16:9 shown);
#   twoaudio.mkv (English and German audio); pattern.avi (four coloured
#   quadrants for picture checks); truncated.avi; random.avi (noise);
#   demo.mkv (the clip ./run plays when given no media); long.mkv (15 s of
#   small video, longer than one jumping range); switch.avi and switch.mkv
#   (8 s, audio tracks of 440 Hz at 44100 Hz tagged English and 880 Hz at
#   48000 Hz tagged German; switch.mkv adds a mono 22050 Hz track of 660 Hz
#   tagged French: formats tell the tracks apart whatever the pin order).
#   live.mp3, live.ogg (the pieces of endless radio streams).
#   dvd/disc/VIDEO_TS: a DVD-Video folder (tools/make-dvd.sh) and dvd/bad-*:
#   damaged variants of it.
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
DIR="$(realpath -m "${1:-$HERE/../build/media}")"
stamp="$DIR/.stamp"
hash=$(cat "$HERE/make-media.sh" "$HERE/make-dvd.sh" | sha256sum | cut -d' ' -f1)
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$hash" ]; then exit 0; fi
mkdir -p "$DIR"
cd "$DIR"

ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
EXACT=(-fflags +bitexact -flags:v +bitexact -flags:a +bitexact -map_metadata -1)
SECONDS_LONG=2
VIDEO=(-f lavfi -i "testsrc2=size=320x240:rate=25:duration=$SECONDS_LONG")
AUDIO=(-f lavfi -i "sine=frequency=440:sample_rate=44100:duration=$SECONDS_LONG")

declare -A VCODEC=([avi]="-c:v mjpeg -q:v 3" [mkv]="-c:v mpeg4 -q:v 4" [ogg]="-c:v libtheora -q:v 6" [mpg]="-c:v mpeg2video -q:v 4")
declare -A ACODEC=([avi]="-c:a pcm_s16le" [mkv]="-c:a libvorbis -q:a 3" [ogg]="-c:a libvorbis -q:a 3" [mpg]="-c:a mp2 -b:a 128k")
for ext in avi mkv ogg mpg; do
  # shellcheck disable=SC2086
  ff "${VIDEO[@]}" "${AUDIO[@]}" ${VCODEC[$ext]} ${ACODEC[$ext]} -ac 2 "${EXACT[@]}" "av.$ext"
  # shellcheck disable=SC2086
  ff "${VIDEO[@]}" ${VCODEC[$ext]} "${EXACT[@]}" "v.$ext"
  # shellcheck disable=SC2086
  ff "${AUDIO[@]}" ${ACODEC[$ext]} -ac 2 "${EXACT[@]}" "a.$ext"
done

ff "${AUDIO[@]}" -c:a pcm_s16le -ac 2 "${EXACT[@]}" tone.wav
ff "${AUDIO[@]}" -c:a libmp3lame -b:a 128k -ac 2 "${EXACT[@]}" tone.mp3

ff -f lavfi -i "testsrc2=size=320x180:rate=25:duration=$SECONDS_LONG" "${AUDIO[@]}" \
  -c:v mpeg4 -q:v 4 -c:a libvorbis -ac 2 "${EXACT[@]}" wide169.mkv
ff -f lavfi -i "testsrc2=size=320x240:rate=25:duration=$SECONDS_LONG" "${AUDIO[@]}" \
  -c:v mpeg4 -q:v 4 -c:a libvorbis -ac 2 "${EXACT[@]}" narrow43.mkv
ff -f lavfi -i "testsrc2=size=320x240:rate=25:duration=$SECONDS_LONG,setsar=4/3" \
  -c:v mpeg4 -q:v 4 -aspect 16:9 "${EXACT[@]}" anamorphic.mkv

ff "${VIDEO[@]}" "${AUDIO[@]}" -f lavfi -i "sine=frequency=880:sample_rate=44100:duration=$SECONDS_LONG" \
  -map 0:v -map 1:a -map 2:a -c:v mpeg4 -q:v 4 -c:a libvorbis -ac 2 \
  -metadata:s:a:0 language=eng -metadata:s:a:1 language=ger "${EXACT[@]}" twoaudio.mkv

# Four flat quadrants: red, green / blue, white. Flat colours survive the
# codecs nearly unchanged, so picture checks can use tight tolerances.
ff -f lavfi -i "color=c=red:s=160x120:r=25:d=$SECONDS_LONG" -f lavfi -i "color=c=lime:s=160x120:r=25:d=$SECONDS_LONG" \
   -f lavfi -i "color=c=blue:s=160x120:r=25:d=$SECONDS_LONG" -f lavfi -i "color=c=white:s=160x120:r=25:d=$SECONDS_LONG" \
   -filter_complex "[0][1]hstack[top];[2][3]hstack[bottom];[top][bottom]vstack,format=yuvj420p" \
   -c:v mjpeg -q:v 1 "${EXACT[@]}" pattern.avi

# The same quadrants at 16:9 (square pixels) and anamorphic (4:3 of pixels
# stored, shown at 16:9), for checks of the aspect correction.
quadrants() {  # quadrant size, filters added after the stack, output options and name
  ff -f lavfi -i "color=c=red:s=$1:r=25:d=$SECONDS_LONG" -f lavfi -i "color=c=lime:s=$1:r=25:d=$SECONDS_LONG" \
     -f lavfi -i "color=c=blue:s=$1:r=25:d=$SECONDS_LONG" -f lavfi -i "color=c=white:s=$1:r=25:d=$SECONDS_LONG" \
     -filter_complex "[0][1]hstack[top];[2][3]hstack[bottom];[top][bottom]vstack,format=yuv420p$2" "${@:3}"
}
quadrants 160x90 "" -c:v mpeg4 -q:v 2 "${EXACT[@]}" pattern169.mkv
quadrants 160x120 ",setsar=4/3" -c:v mpeg4 -q:v 2 -aspect 16:9 "${EXACT[@]}" pattern-anamorphic.mkv

head -c 20000 av.avi > truncated.avi
python3 -c "import random,sys; r=random.Random(7); sys.stdout.buffer.write(bytes(r.getrandbits(8) for _ in range(65536)))" > random.avi

ff -f lavfi -i "testsrc2=size=640x360:rate=25:duration=10" -f lavfi -i "sine=frequency=330:sample_rate=44100:duration=10" \
  -c:v mpeg4 -q:v 3 -c:a libvorbis -ac 2 "${EXACT[@]}" demo.mkv

ff -f lavfi -i "testsrc2=size=160x120:rate=10:duration=15" -c:v mpeg4 -q:v 8 "${EXACT[@]}" long.mkv

# Endless radio streams are these, sent over and over by the test server:
# MPEG audio frames without tags or an info frame, and Ogg Vorbis.
ff -f lavfi -i "sine=frequency=550:sample_rate=44100:duration=4" -c:a libmp3lame -b:a 128k -ac 2 \
  -write_xing 0 -id3v2_version 0 "${EXACT[@]}" live.mp3
ff -f lavfi -i "sine=frequency=550:sample_rate=44100:duration=4" -c:a libvorbis -q:a 3 -ac 2 "${EXACT[@]}" live.ogg
SWITCH=(-f lavfi -i "testsrc2=size=160x120:rate=25:duration=8"
        -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=8"
        -f lavfi -i "sine=frequency=880:sample_rate=48000:duration=8")
ff "${SWITCH[@]}" -map 0:v -map 1:a -map 2:a -c:v mjpeg -q:v 6 -c:a pcm_s16le -ac 2 \
  -metadata:s:a:0 title=eng -metadata:s:a:1 title=ger "${EXACT[@]}" switch.avi
ff "${SWITCH[@]}" -f lavfi -i "sine=frequency=660:sample_rate=22050:duration=8" \
  -map 0:v -map 1:a -map 2:a -map 3:a -c:v mpeg4 -q:v 6 -c:a libvorbis -ac:a:0 2 -ac:a:1 2 -ac:a:2 1 \
  -metadata:s:a:0 language=eng -metadata:s:a:1 language=ger -metadata:s:a:2 language=fre "${EXACT[@]}" switch.mkv
"$HERE/make-dvd.sh" "$DIR/dvd"

echo "$hash" > "$stamp"
