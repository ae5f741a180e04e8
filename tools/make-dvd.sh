#!/usr/bin/env bash
# Makes a small DVD-Video folder for the DVD tests into DIR (dvdauthor,
# ffmpeg, spumux), PAL 720x576:
#   disc/VIDEO_TS: a title menu with two buttons (still, "jump title 1/2"),
#     title 1: 20 s, chapters at 0/5/10/15 s, English audio (500 Hz tone) and
#     German audio (1500 Hz), one English subtitle (a yellow bar, 0.5-19.5 s);
#     title 2: 6 s of green with an 800 Hz tone. Both titles return to the menu.
#   bad-novideots (no VIDEO_TS), bad-empty/VIDEO_TS (empty),
#   bad-truncifo, bad-randomifo (VIDEO_TS.IFO and .BUP damaged),
#   bad-shortvob (the title VOB cut short), bad-novtsifo (VTS_01_0.IFO and
#   .BUP missing).
set -euo pipefail
DIR="$(realpath -m "$1")"
rm -rf "$DIR"; mkdir -p "$DIR"; cd "$DIR"
ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
export VIDEO_FORMAT=PAL
W=720; H=576
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT

ff -f lavfi -i "color=c=0x204060:s=${W}x${H}:r=25:d=1" -f lavfi -i "anullsrc=r=48000:cl=stereo" -t 1 \
  -c:v mpeg2video -b:v 1500k -g 12 -pix_fmt yuv420p -aspect 4:3 -c:a ac3 -b:a 128k -f dvd "$work/menu_bg.mpg"
convert -size ${W}x${H} xc:none -fill '#ffffff' -draw 'rectangle 120,160 600,240' -draw 'rectangle 120,320 600,400' PNG32:"$work/menu_normal.png"
convert -size ${W}x${H} xc:none -fill '#ff0000' -draw 'rectangle 120,160 600,240' -draw 'rectangle 120,320 600,400' PNG32:"$work/menu_hl.png"
convert -size ${W}x${H} xc:none -fill '#00ff00' -draw 'rectangle 120,160 600,240' -draw 'rectangle 120,320 600,400' PNG32:"$work/menu_sel.png"
cat > "$work/menu_spu.xml" <<X
<subpictures><stream><spu force="yes" start="00:00:00.00" image="$work/menu_normal.png" highlight="$work/menu_hl.png" select="$work/menu_sel.png">
<button name="b1" x0="120" y0="160" x1="600" y1="240" down="b2" up="b2"/>
<button name="b2" x0="120" y0="320" x1="600" y1="400" down="b1" up="b1"/>
</spu></stream></subpictures>
X
spumux -m dvd "$work/menu_spu.xml" < "$work/menu_bg.mpg" > "$work/menu.mpg" 2>/dev/null

ff -f lavfi -i "testsrc2=size=${W}x${H}:rate=25:duration=20" -f lavfi -i "sine=frequency=500:sample_rate=48000:duration=20" \
   -f lavfi -i "sine=frequency=1500:sample_rate=48000:duration=20" -map 0:v -map 1:a -map 2:a \
   -c:v mpeg2video -b:v 1200k -g 12 -pix_fmt yuv420p -aspect 4:3 -c:a ac3 -b:a 96k -ac 2 -f dvd "$work/title1_av.mpg"
convert -size ${W}x${H} xc:none -fill '#ffff00' -draw 'rectangle 80,460 640,524' PNG32:"$work/sub.png"
cat > "$work/sub_spu.xml" <<X
<subpictures><stream><spu start="00:00:00.50" end="00:00:19.50" image="$work/sub.png"/></stream></subpictures>
X
spumux -m dvd "$work/sub_spu.xml" < "$work/title1_av.mpg" > "$work/title1.mpg" 2>/dev/null

ff -f lavfi -i "color=c=0x008000:s=${W}x${H}:r=25:d=6" -f lavfi -i "sine=frequency=800:sample_rate=48000:duration=6" \
   -c:v mpeg2video -b:v 800k -g 12 -pix_fmt yuv420p -aspect 4:3 -c:a ac3 -b:a 96k -ac 2 -f dvd "$work/title2.mpg"

cat > "$work/dvd.xml" <<X
<dvdauthor dest="$DIR/disc">
 <vmgm><menus><video format="pal" aspect="4:3"/>
  <pgc entry="title"><vob file="$work/menu.mpg" pause="inf"/>
   <button name="b1">jump title 1;</button><button name="b2">jump title 2;</button></pgc>
 </menus></vmgm>
 <titleset><titles><video format="pal" aspect="4:3"/><audio lang="en"/><audio lang="de"/><subpicture lang="en"/>
  <pgc><vob file="$work/title1.mpg" chapters="0,0:05,0:10,0:15"/><post>call vmgm menu 1;</post></pgc>
  <pgc><vob file="$work/title2.mpg"/><post>call vmgm menu 1;</post></pgc>
 </titles></titleset>
</dvdauthor>
X
dvdauthor -x "$work/dvd.xml" >/dev/null 2>&1
rm -rf "$DIR/disc/AUDIO_TS"

copy() { mkdir -p "$DIR/$1"; cp -r "$DIR/disc/VIDEO_TS" "$DIR/$1/"; }
mkdir -p bad-novideots && echo "not a DVD" > bad-novideots/readme.txt
mkdir -p bad-empty/VIDEO_TS
copy bad-truncifo
head -c 1000 disc/VIDEO_TS/VIDEO_TS.IFO > bad-truncifo/VIDEO_TS/VIDEO_TS.IFO
cp bad-truncifo/VIDEO_TS/VIDEO_TS.IFO bad-truncifo/VIDEO_TS/VIDEO_TS.BUP
copy bad-randomifo
python3 -c "import random,sys; r=random.Random(11); sys.stdout.buffer.write(bytes(r.getrandbits(8) for _ in range(12288)))" \
  > bad-randomifo/VIDEO_TS/VIDEO_TS.IFO
cp bad-randomifo/VIDEO_TS/VIDEO_TS.IFO bad-randomifo/VIDEO_TS/VIDEO_TS.BUP
copy bad-shortvob
truncate -s 204800 bad-shortvob/VIDEO_TS/VTS_01_1.VOB
copy bad-novtsifo
rm bad-novtsifo/VIDEO_TS/VTS_01_0.IFO bad-novtsifo/VIDEO_TS/VTS_01_0.BUP
