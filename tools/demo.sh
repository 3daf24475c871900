#!/usr/bin/env bash
# Runs one whole sample exercise against the bundled practice site:
#   tools/demo.sh <build dir> [sample]      (samples: see samples/README.md)
# With a display the newcomer works and submits in the real windows. Without one the
# same exercise runs under Xvfb with a scripted student who submits after a few
# seconds; screenshots of the toolbar and the prompts land in build/demo/.
set -euo pipefail
BUILD=$(cd "$1" && pwd)
SAMPLE=${2:-windows-folder}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BIN=$BUILD/bin
DEMO=$ROOT/build/demo
PORT=8716

say() { printf '\n== %s\n' "$*"; }

[ -d "$BUILD/practice-questions/$SAMPLE" ] || { echo "unknown sample: $SAMPLE (see samples/)" >&2; exit 2; }

rm -rf "$DEMO"
mkdir -p "$DEMO"
# The demo keeps all emulated Windows state (drives, registry, folders) in its own
# prefix, so it never touches the user's.
export PRAVIK_PREFIX=$DEMO/prefix

pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
}
trap cleanup EXIT

say "Starting the practice site on 127.0.0.1:$PORT"
"$BIN/practice-site" --host 127.0.0.1 --port "$PORT" --questions "$BUILD/practice-questions" \
  --record "$DEMO/uploads.jsonl" >"$DEMO/site.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do
  grep -q '^PRACTICE_SITE_URL=' "$DEMO/site.log" 2>/dev/null && break
  sleep 0.1
done
grep '^PRACTICE_SITE_URL=' "$DEMO/site.log" || { cat "$DEMO/site.log"; exit 1; }

URL="KelTamry-EXERCISE://http://127.0.0.1:$PORT/launch/$SAMPLE"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${PRAVIK_DEMO_HEADLESS:-}" ]; then
  say "Starting the client with $URL"
  echo "Work on the exercise, then press 提交 (Submit) in the toolbar."
  "$BIN/prjPractice" "$URL" || true
else
  say "No display: running the exercise under Xvfb with a scripted student"
  DISP=:$((90 + RANDOM % 9))
  Xvfb "$DISP" -screen 0 1280x800x24 -nolisten tcp >"$DEMO/xvfb.log" 2>&1 &
  pids+=($!)
  export DISPLAY=$DISP
  for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

  # What the client opens in "the browser" or "Explorer" is printed, and the analysis
  # page is fetched and kept.
  cat >"$DEMO/shell-open.sh" <<EOS
#!/bin/sh
echo "\$*" >> "$DEMO/opened.txt"
case "\$1" in
  http*) curl -s "\$1" -o "$DEMO/analysis.html" ;;
esac
EOS
  chmod +x "$DEMO/shell-open.sh"
  export PRAVIK_SHELL_OPEN=$DEMO/shell-open.sh

  say "Starting the client with $URL"
  "$BIN/prjPractice" "$URL" >"$DEMO/client.out" 2>&1 &
  client=$!
  pids+=($client)

  seen=""
  shot() { import -window root "$DEMO/$1.png" 2>/dev/null && echo "   screenshot: build/demo/$1.png"; }
  window() { xdotool search --name "$1" 2>/dev/null | head -1 || true; }

  # The student's part: leave the simulated desktop (after looking at the Internet
  # options of a browser-settings question), or type a few characters into the typing
  # window; the folder and document questions need nothing before Submit.
  desktop_student() {
    local d=$1
    shot 01-desktop
    if [ "$SAMPLE" = ie-settings ]; then
      say "The student opens Internet Explorer's options from the desktop"
      xdotool mousemove --window "$d" 36 272 click --repeat 2 --delay 120 1
      sleep 2
      local ie
      ie=$(window '^Internet 属性$')
      if [ -n "$ie" ]; then
        shot 02-internet-options
        xdotool windowfocus "$ie" 2>/dev/null || true
        xdotool key Return
        sleep 1
      fi
    fi
    say "The student leaves the simulated desktop (退出当前操作题)"
    local w
    w=$(xdotool getwindowgeometry "$d" | awk '/Geometry/{split($2,a,"x"); print a[1]}')
    xdotool mousemove --window "$d" $((380 + (w - 894) / 2 + 54)) 26 click 1
    sleep 1.5
    local p
    p=$(window 'Pravik提示信息')
    if [ -n "$p" ]; then
      shot 03-leave-question
      xdotool mousemove --window "$p" 177 242 click 1 2>/dev/null || true
    fi
    sleep 2
  }
  typing_student() {
    local t=$1
    say "The student types into the typing window"
    xdotool windowfocus "$t" 2>/dev/null || true
    # into the first input line, under the first reference line
    xdotool mousemove --window "$t" 200 66 click 1
    sleep 0.5
    xdotool type --delay 150 "春天来了，小草从地上"
    sleep 2.5
    shot 01-typing
  }

  tool=""
  for _ in $(seq 1 300); do
    kill -0 "$client" 2>/dev/null || break
    d=$(window '^操作题$')
    if [ -n "$d" ]; then sleep 2; desktop_student "$d"; fi
    t=$(window '^打字题$')
    if [ -n "$t" ]; then sleep 1; typing_student "$t"; tool=$(window '^Pravik$'); break; fi
    tool=$(window '^Pravik$')
    if [ -n "$tool" ] && [ -z "$(window '^操作题$')" ] && { [ -f "$DEMO/opened.txt" ] || [ -n "$seen" ]; }; then break; fi
    [ -n "$tool" ] && seen=${seen:-$(date +%s)}
    if [ -n "${seen:-}" ] && [ $(( $(date +%s) - seen )) -ge 4 ] && [ -z "$(window '^操作题$')" ]; then break; fi
    sleep 0.2
  done
  [ -n "$tool" ] || { echo "the toolbar did not appear"; cat "$DEMO/client.out"; exit 1; }
  say "The toolbar is up (window $tool); the student works for a few seconds"
  [ -f "$DEMO/opened.txt" ] && sed 's/^/   opened: /' "$DEMO/opened.txt"
  sleep 3
  shot 04-toolbar

  say "The student presses 提交 (Submit)"
  xdotool mousemove --window "$tool" 307 495 click 1
  sleep 1.5
  shot 05-submit-question
  prompt=$(window 'Pravik提示信息')
  if [ -n "$prompt" ]; then
    say "The student confirms the submission"
    xdotool mousemove --window "$prompt" 177 242 click 1 2>/dev/null || true
  fi

  say "The scoring engine grades; the client uploads the score and cleans up"
  for _ in $(seq 1 600); do
    kill -0 "$client" 2>/dev/null || break
    p=$(window 'Pravik提示信息')
    if [ -n "$p" ]; then
      shot 06-prompt
      # the prompt may have closed since it was found
      xdotool mousemove --window "$p" 253 242 click 1 2>/dev/null || true
    fi
    sleep 0.2
  done
  if kill -0 "$client" 2>/dev/null; then
    echo "the client did not end in time"; kill "$client"; exit 1
  fi
  wait "$client" || true
  echo "   the client ended"
fi

say "What the practice site received"
if [ -s "$DEMO/uploads.jsonl" ]; then cat "$DEMO/uploads.jsonl"; else echo "   (no score upload)"; fi
if [ -f "$DEMO/analysis.html" ]; then
  say "The analysis page (build/demo/analysis.html)"
  perl -0pe 's/<style.*?<\/style>//s; s/<[^>]*>/ /g' "$DEMO/analysis.html" | tr -s ' \n' | head -c 600; echo
fi
say "Left behind by the client"
ls "$PRAVIK_PREFIX/dosdevices" 2>/dev/null | sed 's/^/   drive /'
