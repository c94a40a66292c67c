#!/usr/bin/env bash
# Stages a program directory under <build>/demo: the binary, our pictures and sounds, and a
# Rovana.ini. A Rovana.ini already there is kept: it holds the driver's settings.
set -euo pipefail
build=${1:-build}
demo="$build/demo"
mkdir -p "$demo"
cp -f "$build/src/rovana" "$demo/rovana"
if [ -x "$build/tools/rovana-pictures" ]; then
    QT_QPA_PLATFORM=offscreen "$build/tools/rovana-pictures" "$demo"
fi
if [ -x "$build/tools/rovana-sounds" ]; then
    "$build/tools/rovana-sounds" "$demo"
fi
if [ ! -f "$demo/Rovana.ini" ]; then
    here=$(cd "$demo" && pwd)
    mkdir -p "$here/music" "$here/movies" "$here/log"
    cat >"$demo/Rovana.ini" <<INI
[Pathes]
MAIN=$here/Audi A8.jpg
MP3=$here/music
MOVIE=$here/movies
LOG=$here/log
[GPSMouseOptions]
Enabled=0
INI
fi
# Demo films in the movie directory of a freshly staged directory.
if [ -x "$build/tools/rovana-videos" ] && [ -d "$demo/movies" ]; then
    QT_QPA_PLATFORM=offscreen "$build/tools/rovana-videos" "$demo/movies"
fi
# Demo music in the MP3 directory of a freshly staged directory.
if [ -x "$build/tools/rovana-tracks" ] && [ -d "$demo/music" ]; then
    "$build/tools/rovana-tracks" "$demo/music"
fi
