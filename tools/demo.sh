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

  shot() { import -window root "$DEMO/$1.png" 2>/dev/null && echo "   screenshot: build/demo/$1.png"; }
  window() { xdotool search --name "$1" 2>/dev/null | head -1 || true; }

  tool=""
  for _ in $(seq 1 300); do
    tool=$(window '^Pravik$')
    [ -n "$tool" ] && grep -q 'TfrmTool' "$DEMO/opened.txt" 2>/dev/null && break
    [ -n "$tool" ] && sleep 3 && break
    kill -0 "$client" 2>/dev/null || break
    sleep 0.2
  done
  [ -n "$tool" ] || { echo "the toolbar did not appear"; cat "$DEMO/client.out"; exit 1; }
  say "The toolbar is up (window $tool); the student works for a few seconds"
  [ -f "$DEMO/opened.txt" ] && sed 's/^/   opened: /' "$DEMO/opened.txt"
  sleep 3
  shot 01-toolbar

  say "The student presses 提交 (Submit)"
  xdotool mousemove --window "$tool" 307 495 click 1
  sleep 1.5
  shot 02-submit-question
  prompt=$(window 'Pravik提示信息')
  if [ -n "$prompt" ]; then
    say "The student confirms the submission"
    xdotool mousemove --window "$prompt" 177 242 click 1
  fi

  say "The scoring engine grades; the client uploads the score and cleans up"
  for _ in $(seq 1 600); do
    kill -0 "$client" 2>/dev/null || break
    p=$(window 'Pravik提示信息')
    if [ -n "$p" ]; then
      shot 03-prompt
      xdotool mousemove --window "$p" 253 242 click 1
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
  sed -e 's/<[^>]*>/ /g' "$DEMO/analysis.html" | tr -s ' \n' | head -c 600; echo
fi
say "Left behind by the client"
ls "$PRAVIK_PREFIX/dosdevices" 2>/dev/null | sed 's/^/   drive /'
