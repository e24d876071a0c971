# Waiting on the screen of the real program, for the smoke tests (sourced): each wait ends as
# soon as what it waits for shows, and fails after its time limit.

# wait_until SECONDS COMMAND [ARGS...]: runs COMMAND every 0.2 s until it succeeds; fails after
# SECONDS.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}

# The colour of a pixel of a PNG file: "r,g,b".
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }

# screen_now FILE: the whole screen into FILE.
screen_now() { import -window root "$1" 2>/dev/null; }

# screen_other_than PNG PROBE: the screen now (into PROBE) differs from PNG in more than a
# quarter of its pixels: another screen is up (a screen's own changes, a selection, a clock, a
# hint, stay well below that).
screen_other_than() {
  local total differing
  screen_now "$2" || return 1
  total=$(identify -format '%[fx:w*h]' "$1")
  differing=$(compare -metric AE -fuzz 10% "$1" "$2" null: 2>&1 >/dev/null || true)
  awk -v d="$differing" -v t="$total" 'BEGIN { exit !(d + 0 > t / 4) }'
}
