#!/usr/bin/env bash
# Inside a display: waits until Mirelo's rows have painted and leaves that screen in PNG_PATH.
# Painted means the screen shows link-blue text and two captures in a row agree. Prints the box
# of the link-blue pixels (WxH+X+Y): its top-left corner is the top row's text.
# Usage: wait-rows.sh PNG_PATH [SECONDS]   (exit 1 if they did not paint in time)
set -euo pipefail
shot=$1
tries=$(( ${2:-30} * 5 ))
# Link-blue pixels white, all else black; prints their count and their box.
link_pixels() {
    convert "$1" -fill black +opaque 'rgb(0,0,255)' -fill white -opaque 'rgb(0,0,255)' \
        -format '%[fx:round(mean*w*h)] %@\n' info:
}
previous=
for _ in $(seq "$tries"); do
    import -window root -depth 8 "$shot"
    sum=$(md5sum <"$shot")
    if [ "$sum" = "$previous" ]; then
        read -r count box < <(link_pixels "$shot")
        if [ "$count" -gt 0 ]; then
            echo "$box"
            exit 0
        fi
    fi
    previous=$sum
    sleep 0.2
done
exit 1
