#!/usr/bin/env bash
# The installed layout: `cmake --install` of the build into a temporary
# prefix, made read-only; the installed programs then run with HOME and the
# XDG folders in a temporary home and must write nowhere else. Checks the
# command-line tool (render, new, state, thumbnail, messages in words), the
# window's --help/--version without a display and its start under Xvfb, the
# desktop entry, metainfo, MIME types and manual pages.
# Usage: install-test.sh BUILD_FOLDER
set -uo pipefail
build="$(cd "$1" && pwd)"
root="$(mktemp -d)"
chmod 755 "$root"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }
cleanup() {
  chmod -R u+w "$root" 2>/dev/null
  rm -rf "$root"
}
trap cleanup EXIT

prefix="$root/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
bin="$prefix/bin"

# The user the programs run as: an unprivileged one when we are root (root
# would write through read-only permissions), else ourselves.
home="$root/home" work="$root/work" tmp="$root/tmp"
mkdir -p "$home" "$work" "$tmp"
as_user=()
if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1 && command -v setpriv >/dev/null; then
  chown nobody "$home" "$work" "$tmp"
  as_user=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
fi
chmod -R a-w "$prefix"
snapshot() { find "$prefix" -printf '%p %s %m %T@\n' | sort; }
before="$(snapshot)"

# Runs an installed program as the user, in the work folder, with the
# temporary home and nothing that would point it at a program folder.
run() {
  (cd "$work" && env -u TESSALY_PROGRAM_FOLDER -u DISPLAY -u WAYLAND_DISPLAY \
     HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
     XDG_STATE_HOME="$home/.local/state" XDG_CACHE_HOME="$home/.cache" TMPDIR="$tmp" \
     "${as_user[@]}" "$@")
}
png_size() {
  [ -f "$1" ] && [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] \
    || { echo none; return; }
  echo "$(od -An -tu4 --endian=big -j16 -N4 "$1" | tr -d ' ')x$(od -An -tu4 --endian=big -j20 -N4 "$1" | tr -d ' ')"
}

# --- the command-line tool ---------------------------------------------------
out="$(run "$bin/tessaly-cli" --version)" && [[ "$out" == "tessaly-cli "* ]] && ok "tessaly-cli --version: $out" || fail "tessaly-cli --version: $out"
run "$bin/tessaly-cli" render --type flatbook -o x.png --size 64x48 --passes 1 >/dev/null \
  && [ "$(png_size "$work/x.png")" = "64x48" ] && ok "render from the installed layout" || fail "render"
run "$bin/tessaly-cli" new --type stdbox --image1 x.png -o p.eco >/dev/null && [ -s "$work/p.eco" ] \
  && ok "new project" || fail "new"
run "$bin/tessaly-cli" new --type cdcase -o t.tem >/dev/null && [ -s "$work/t.tem" ] \
  && ok "new template" || fail "new template"
state="$(run "$bin/tessaly-cli" state p.eco)" && [[ "$state" == *'"rngfl"'* ]] \
  && [[ "$state" == *'Reading the eCover file'* ]] && ok "state opens it, texts in words" || fail "state: $state"
run "$bin/tessaly-cli" render p.eco -o p.png --size 64x48 --passes 1 >/dev/null \
  && [ -s "$work/p.png" ] && ok "render of the project" || fail "render project"
printf 'not a project' > "$work/junk.eco"
err="$(run "$bin/tessaly-cli" render junk.eco -o j.png 2>&1 >/dev/null)"
[[ "$err" == *"not a valid eCover project"* ]] && [ ! -e "$work/j.png" ] \
  && ok "errors in words" || fail "error text: $err"

# The thumbnailer's command, also for files renamed without their extension.
cp "$work/p.eco" "$work/project-no-extension"
cp "$work/t.tem" "$work/template-no-extension"
for input in p.eco t.tem project-no-extension template-no-extension; do
  rm -f "$work/thumb.png"
  run "$bin/tessaly-cli" thumbnail --size 96 "$input" thumb.png >/dev/null 2>&1 \
    && [ "$(png_size "$work/thumb.png")" = "96x96" ] && ok "thumbnail of $input" || fail "thumbnail of $input"
done
rm -f "$work/thumb.png"
run "$bin/tessaly-cli" thumbnail --size 96 junk.eco thumb.png >/dev/null 2>&1
[ $? -eq 1 ] && [ ! -e "$work/thumb.png" ] && ok "thumbnail of junk fails cleanly" || fail "thumbnail of junk"

# --- the window and the editor without a display -----------------------------
if [ -x "$bin/tessaly" ]; then
  for program in tessaly builtined; do
    v="$(run "$bin/$program" --version 2>&1)" && [[ "$v" == "$program "* ]] \
      && ok "$program --version: $v" || fail "$program --version: $v"
    h="$(run "$bin/$program" --help 2>&1)" && [[ "$h" == *"Usage: "* ]] \
      && ok "$program --help" || fail "$program --help: $h"
  done
fi

# --- the window under Xvfb ----------------------------------------------------
# The first start is ended by a signal, as a crash would end it; the second
# must clean away the first one's working folder, save a picture into the
# user's Pictures folder and remove its own working folder when it closes.
here="$(cd "$(dirname "$0")" && pwd)"
if [ -x "$bin/tessaly" ] && command -v xvfb-run >/dev/null && command -v xdotool >/dev/null; then
  run xvfb-run -a -s "-screen 0 1280x1024x24" timeout -s KILL 20 "$bin/tessaly" \
    >"$root/window.log" 2>&1
  if [ -s "$home/.local/state/tessaly/log.txt" ] && [ -s "$home/.config/tessaly/settings.ini" ]; then
    ok "window started: settings and driver log in the user's folders"
  else
    fail "window start"; cat "$root/window.log"
  fi
  # (A killed process's lock can outlive it by a moment under load.)
  sleep 5
  # No viewer opened after saving, no warning about the software renderer.
  sed -i -e '/OpenPic/{n;s/on/off/}' -e '/dWarning/{n;s/on/off/}' "$home/.config/tessaly/settings.ini"
  # The save dialog starts in the user's Pictures folder.
  run mkdir -p "$home/Pictures"
  shot="$home/Pictures/shot.bmp"
  run xvfb-run -a -s "-screen 0 1280x1024x24" "$here/window-save.sh" "$bin/tessaly" "$shot" \
    >"$root/window.log" 2>&1
  [ "$(head -c 2 "$shot" 2>/dev/null)" = BM ] && ok "the window saved a picture into Pictures" \
    || { fail "saving from the window"; cat "$root/window.log"; }
  left="$(find "$home/.local/share/tessaly/Images" -mindepth 1 -maxdepth 1 -name 'run-*' | wc -l)"
  [ "$left" -eq 0 ] && ok "working folders: the crashed one cleaned, the closed one removed" \
    || { fail "working folders left: $left"; ls -la --full-time "$home/.local/share/tessaly/Images"/*; cat "$root/window.log"; }
fi

# --- desktop files -------------------------------------------------------------
share="$prefix/share"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$share"/applications/*.desktop && ok "desktop entry validates" || fail "desktop entry"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml >/dev/null \
    && ok "metainfo validates" || fail "metainfo: $(appstreamcli validate --no-net "$share"/metainfo/*.xml)"
fi
for f in icons/hicolor/scalable/apps/tessaly.svg icons/hicolor/48x48/apps/tessaly.png \
         icons/hicolor/256x256/apps/tessaly.png thumbnailers/tessaly.thumbnailer \
         mime/packages/tessaly.xml tessaly/Tsym/models.ini tessaly/settings.ini; do
  [ -s "$share/$f" ] && ok "installed $f" || fail "missing $f"
done
[ "$(png_size "$share/icons/hicolor/48x48/apps/tessaly.png")" = "48x48" ] || fail "icon size"
if [ -x "$bin/tessaly" ]; then
  for page in tessaly tessaly-cli builtined; do
    [ -s "$share/man/man1/$page.1" ] && ok "man page $page" || fail "man page $page"
  done
fi
if command -v update-mime-database >/dev/null && command -v gio >/dev/null; then
  mime="$root/mime"
  mkdir -p "$mime/mime/packages"
  cp "$share/mime/packages/tessaly.xml" "$mime/mime/packages/"
  update-mime-database "$mime/mime"
  for pair in p.eco:project t.tem:template project-no-extension:project template-no-extension:template; do
    file="${pair%%:*}" want="application/x-tessaly-${pair##*:}"
    got="$(XDG_DATA_HOME="$mime" XDG_DATA_DIRS="$mime:/usr/share" gio info -a standard::content-type "$work/$file" 2>/dev/null | sed -n 's/.*content-type: //p')"
    [ "$got" = "$want" ] && ok "MIME type of $file" || fail "MIME type of $file: $got"
  done
fi

# --- nothing written outside the temporary home and work folders --------------
# (Mesa's and Qt's shader caches go to the temporary home's .cache, the file
# dialog's state to its .config, Qt's runtime folder to its TMPDIR: all inside.)
[ "$before" = "$(snapshot)" ] && ok "installed files untouched" || fail "the prefix changed"
leftover="$(find "$tmp" -mindepth 1 -not -path '*/xvfb-run.*' -not -path '*/runtime-*' | head -5)"
[ -z "$leftover" ] && ok "no temporary files left" || fail "left in TMPDIR: $leftover"
unexpected="$(find "$home" -mindepth 1 -type f | grep -v -e '/\.config/tessaly/settings.ini$' \
  -e '/\.local/state/tessaly/' -e '/\.local/share/tessaly/' -e '/Pictures/shot.bmp$' -e '/\.cache/' \
  -e '/\.config/QtProject.conf$' \
  | head -5)"
[ -z "$unexpected" ] && ok "the home holds only Tessaly's files" || fail "unexpected files: $unexpected"

echo "install test: $failures failure(s)"
[ "$failures" -eq 0 ]
