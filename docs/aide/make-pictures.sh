#!/usr/bin/env bash
# Rebuilds the pictures of the help (docs/aide/images/*.png) from the program itself.
#   docs/aide/make-pictures.sh [BUILD_DIR]      (default: build)
# The configurations drawn are written first into docs/aide/pictures/*.P09.
# Needs: the built focalines and focalines-cli, and for the window screenshots
# xvfb, xauth, xdotool and imagemagick.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
cli="$build/src/app/focalines-cli"
gui="$build/src/app/focalines"
conf="$here/pictures"
out="$here/images"
mkdir -p "$conf" "$out"

# ---------------------------------------------------------------------------
# Configuration files: 35 records of 128 bytes, each a 16-bit little-endian
# length followed by the text and zero bytes.
record() {
    local text=$1 len=${#1}
    printf "\\x$(printf %02x "$len")\\x00%s" "$text"
    head -c $((126 - len)) /dev/zero
}

# p09 FILE [NAME=VALUE]...  starts from the bench of the start-up and changes
# the values named: precision step length scale arrow diameter apparent
# infinity, c0 to c17 (switches, 1 or 0), t0 to t7 (field texts).
p09() {
    local file=$1; shift
    local -A v=(
        [precision]=" 0" [step]=" 1" [length]=" 60" [scale]=" 12.58333"
        [arrow]=" 5" [diameter]=" 80" [apparent]=" 100" [infinity]=0
        [c0]=1 [c1]=1 [c2]=1 [c3]=0 [c4]=0 [c5]=1 [c6]=0 [c7]=1 [c8]=0
        [c9]=1 [c10]=0 [c11]=1 [c12]=0 [c13]=1 [c14]=1 [c15]=0 [c16]=0 [c17]=1
        [t0]="15,0" [t1]="10,0" [t2]="48,0" [t3]="10,0"
        [t4]="0,0" [t5]="3,0" [t6]="8,0" [t7]="8,0"
    )
    local pair
    for pair in "$@"; do v[${pair%%=*}]=${pair#*=}; done
    {
        record "FOCALINES"
        local key
        for key in precision step length scale arrow diameter apparent infinity; do
            record "${v[$key]}"
        done
        for key in $(seq 0 17); do record "${v[c$key]}"; done
        for key in $(seq 0 7); do record "${v[t$key]}"; done
    } > "$conf/$file"
}

p09 loupe.P09 t0="30,0" t1="12,0" t4="22,0" t5="2,0"
p09 infini.P09 infinity=1 c3=1 c5=0 c12=1 t0="25,0" t1="15,0"
p09 deux-lentilles.P09 step=" 3" length=" 80" c6=1 c10=1 \
    t0="12,0" t1="8,0" t2="50,0" t3="8,0" t5="2,0"
p09 rayons-rouges.P09 c8=1 c5=0 t5="9,0"
p09 faisceau-B.P09 c3=1 c5=0 c12=1
p09 foyer.P09 c5=0 c1=0 c14=1 c13=0 t4="5,0" t5="2,0" t0="20,0"

# ---------------------------------------------------------------------------
# Figures drawn by the command-line companion, narrower than in the window so that the
# help shows them whole and unscaled.
render() { "$cli" render ${2:+"$conf/$2"} --output "$out/$1" --width 600 --height 240; }
render depart.png
render loupe.png loupe.P09
render infini.png infini.P09
render deux-lentilles.png deux-lentilles.P09
render rayons-rouges.png rayons-rouges.P09
render faisceau-B.png faisceau-B.P09
render foyer.png foyer.P09

# ---------------------------------------------------------------------------
# Screenshots of the real window, in a private X server (no window manager:
# the window stands at the top left corner, without a frame).
shot=${SHOT:-/work/shared/tools/shot}
if command -v Xvfb >/dev/null && [ -x "$shot" ]; then
    # window NAME [XDOTOOL-STEP]...: one screenshot of the program, started with the
    # configuration $CONF when set; the steps run in order (clicks in the window's own
    # coordinates). The picture is cropped to $CROP, or with CROP=trim to whatever is
    # not black (a dialog moved to the corner after the main window was moved away).
    window() {
        local name=$1; shift
        local steps=(-k "search --sync --name ^Focalines windowmove %1 0 0" -k "sleep 0.5")
        local step
        for step in "$@"; do steps+=(-k "$step" -k "sleep 0.8"); done
        "$shot" -s 1024x768 -d 3 "${steps[@]}" "/tmp/focalines-$name" -- \
            "$gui" ${CONF:+"$conf/$CONF"} >/dev/null
        if [ "${CROP:-}" = trim ]; then
            convert "/tmp/focalines-$name" -trim +repage -strip "$out/$name"
        else
            convert "/tmp/focalines-$name" -crop "${CROP:-791x546+0+0}" +repage -strip \
                ${RESIZE:+-filter Lanczos -resize "$RESIZE"} "$out/$name"
        fi
        rm -f "/tmp/focalines-$name"
    }
    # dialog NAME BUTTON-X TITLE: the window opened by the command button at BUTTON-X.
    dialog() {
        CROP=trim window "$1" "mousemove $2 20 click 1" \
            "search --sync --name ^Focalines windowmove %1 2000 0" \
            "search --sync --name ^$3 windowmove %1 0 0" "${@:4}"
    }
    tabs=413x188+6+358
    window fenetre.png
    CROP=$tabs window onglet-objets.png
    CONF=infini.P09 CROP=$tabs window onglet-objets-infini.png
    CONF=deux-lentilles.P09 CROP=$tabs window onglet-lentilles.png "mousemove 150 368 click 1"
    CROP=$tabs window onglet-affichage.png "mousemove 250 368 click 1"
    CONF=deux-lentilles.P09 CROP=$tabs window onglet-construction.png \
        "mousemove 360 368 click 1"
    dialog calculatrice.png 504 Machine
    # The measurements window, against the screen's right edge, after a series of 20
    # measurements started from its "Série automatique…".
    CROP=866x546+158+0 RESIZE=640x window mesures.png "mousemove 352 458 click 1" \
        "key alt+s" "key Tab Tab" "key ctrl+a" "type 20" "key Return"
    # The authoring window of "Créer un exercice…", a title, notions, marks and the bench taken.
    # Its folder is the one a teacher's account proposes, its documents folder, rather than
    # the home of the account that makes the pictures.
    teacher=/home/prof
    [ -e "$teacher" ] && made= || made=1
    mkdir -p "$teacher/Documents"
    settings=$(mktemp -d)
    HOME=$teacher XDG_CONFIG_HOME=$settings \
    CONF=loupe.P09 CROP=trim window creer-exercice.png "mousemove 470 330 click 1" \
        "key Up Up Return" "search --sync --name ^Focalines windowmove %1 2000 0" \
        "search --sync --name ^Créer windowmove %1 0 0" \
        "mousemove 373 50 click 1" "type La" "key space" "type loupe" \
        "mousemove 373 95 click 1" "type Image" "key space" "type virtuelle" \
        "mousemove 363 155 click --repeat 2 1" "mousemove 137 186 click 1" \
        "mousemove 353 322 click 1" "mousemove 373 50 click 1"
    rm -rf "$settings"
    [ -z "$made" ] || rm -rf "$teacher"
    # The save and open windows start in the current folder: a class folder with a few
    # configurations in it.
    class="/tmp/Documents de la classe/TP-optique"
    mkdir -p "$class"
    cp "$conf"/loupe.P09 "$conf"/infini.P09 "$conf"/deux-lentilles.P09 "$class"
    (
        cd "$class"
        dialog enregistrer.png 168 Enregistrer
        dialog ouvrir.png 56 Ouvrir "mousemove 400 42 click 1"
    )
    rm -rf "/tmp/Documents de la classe"
else
    echo "Xvfb or $shot missing: the window screenshots are left as they are." >&2
fi
