#!/usr/bin/env bash
# Stages a program directory under <build>/demo: the binary, our pictures and sounds, the
# demo music and films, the logs the replayed GPS receiver and CAN2COM adapter send, and
# a Rovana.ini. A Rovana.ini already there is kept: it holds the driver's settings.
set -euo pipefail
build=${1:-build}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
demo="$build/demo"
tools="$build/tools"
mkdir -p "$demo"
cp -f "$build/src/rovana" "$demo/rovana"
if [ -x "$tools/rovana-pictures" ]; then
    QT_QPA_PLATFORM=offscreen "$tools/rovana-pictures" "$demo"
fi
# The radar map's background and a small camera database round the demo drive.
if [ -x "$tools/rovana-radarmap" ]; then
    QT_QPA_PLATFORM=offscreen "$tools/rovana-radarmap" "$demo"
fi
if [ -x "$tools/rovana-radar" ]; then
    "$tools/rovana-radar" "$source_dir/tools/radar/demo-cameras.txt" "$demo/radar.bin" >/dev/null
fi
if [ -x "$tools/rovana-sounds" ]; then
    "$tools/rovana-sounds" "$demo"
fi
here=$(cd "$demo" && pwd)
if [ ! -f "$demo/Rovana.ini" ]; then
    mkdir -p "$here/music" "$here/movies" "$here/log"
    # COM1 is the replayed GPS receiver, COM2 the replayed CAN2COM adapter (see
    # scripts/run-demo.sh); the speed-camera warning is on.
    cat >"$demo/Rovana.ini" <<INI
[Pathes]
MAIN=$here/Audi A8.jpg
MP3=$here/music
MOVIE=$here/movies
LOG=$here/log
[Sounds]
Warning=$here/notify.wav
[GPSMouseOptions]
Enabled=1
[GPSComPort]
RadioGroup3.ItemIndex=0
[CAN2ComPort]
Enabled=1
RadioGroup4.ItemIndex=1
[Global_radarwarning]
Enabled=1
[Devices]
COM1=$here/gps.tty
COM2=$here/can.tty
INI
elif ! grep -q '^\[Devices\]' "$demo/Rovana.ini"; then
    # A directory staged before the feeds existed: point the ports at them.
    printf '[Devices]\nCOM1=%s/gps.tty\nCOM2=%s/can.tty\n' "$here" "$here" >>"$demo/Rovana.ini"
fi
# Demo films in the movie directory of a freshly staged directory.
if [ -x "$tools/rovana-videos" ] && [ -d "$demo/movies" ]; then
    QT_QPA_PLATFORM=offscreen "$tools/rovana-videos" "$demo/movies"
fi
# Demo music in the MP3 directory of a freshly staged directory.
if [ -x "$tools/rovana-tracks" ] && [ -d "$demo/music" ]; then
    "$tools/rovana-tracks" "$demo/music"
fi
# What the replayed devices send: the GPS sentences of the demo drive and the car's
# CAN2COM lines.
if [ -x "$tools/rovana-feed" ]; then
    mkdir -p "$demo/feed"
    "$tools/rovana-feed" drive --speed 50 "$source_dir/tools/feed/demo/drive.txt" "$demo/feed/gps.log"
    cp -f "$source_dir/tools/feed/demo/can.log" "$demo/feed/can.log"
fi
# A made-up town around the demo drive as the map of the drivers log, unless a real
# extract is there.
if [ -x "$tools/rovana-map" ] && [ ! -f "$demo/map.osm.pbf" ]; then
    "$tools/rovana-map" town "$demo/map.osm.pbf" 51.3605 7.2515 3 >/dev/null
fi
