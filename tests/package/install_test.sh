#!/bin/sh
# Unpacks the built .deb into a scratch root, checks what it installs, makes
# the installation read-only as on a real system, and starts MORVA from it
# offscreen as an ordinary user: the per-user program folder is made from the
# installed start-up files, MORVA loads from it, and the demo launcher links
# the simulated recorder's port there.
set -eu
PACKAGE_DIR="$1"
fail() { echo "FAIL: $*" >&2; exit 1; }

DEB="$(ls "$PACKAGE_DIR"/morva_*.deb 2>/dev/null | head -n 1)"
[ -n "$DEB" ] || fail "no morva_*.deb in $PACKAGE_DIR"
DEPENDS="$(dpkg-deb -f "$DEB" Depends)"
for lib in libqt6widgets6 libqt6serialport6 qt6-qpa-plugins; do
  echo "$DEPENDS" | grep -q "$lib" || fail "Depends lacks $lib: $DEPENDS"
done

SCRATCH="$(mktemp -d)"
cleanup() {
  if [ -n "${PGID:-}" ]; then
    kill -TERM "-$PGID" 2>/dev/null || true
    # Wait until the group has ended before its files are removed.
    n=0
    while kill -0 "-$PGID" 2>/dev/null && [ "$n" -lt 50 ]; do sleep 0.1; n=$((n + 1)); done
    kill -KILL "-$PGID" 2>/dev/null || true
  fi
  chmod -R u+w "$SCRATCH" 2>/dev/null || true
  rm -rf "$SCRATCH"
}
trap cleanup EXIT
chmod 755 "$SCRATCH"
ROOT="$SCRATCH/root"
dpkg -x "$DEB" "$ROOT"

LIB="$ROOT/usr/lib/morva"
for f in "$LIB/morva" "$LIB/libhalvex.so" "$LIB/libddrive32.so" "$LIB/morva-vtrsim" "$LIB/morva-demo" \
         "$LIB/MORVA Parameters.dat" "$LIB/MORVA StartupSetting.dat" "$LIB/VTR Parameters.dat" \
         "$LIB/MORVA MasterTape.dat" "$LIB/daqsim.dat" \
         "$ROOT/usr/share/applications/org.morva.Morva.desktop" \
         "$ROOT/usr/share/icons/hicolor/scalable/apps/org.morva.Morva.svg" \
         "$ROOT/usr/share/metainfo/org.morva.Morva.metainfo.xml"; do
  [ -f "$f" ] || fail "not installed: ${f#$ROOT}"
done
[ -d "$LIB/WorkList" ] && [ -d "$LIB/SpecLine_Lin" ] || fail "work lists or spec lines not installed"
for cmd in morva morva-demo; do
  [ "$(readlink "$ROOT/usr/bin/$cmd")" = "../lib/morva/$cmd" ] || fail "/usr/bin/$cmd is not a link into /usr/lib/morva"
done
# The bridge finds the board driver beside itself; nothing the program needs is missing.
ldd "$LIB/libhalvex.so" | grep -q "libddrive32.so => $LIB/libddrive32.so" || fail "libhalvex.so does not find libddrive32.so beside it"
if ldd "$LIB/morva" "$LIB/libhalvex.so" "$LIB/morva-vtrsim" | grep -q "not found"; then fail "unresolved libraries"; fi

desktop-file-validate "$ROOT/usr/share/applications/org.morva.Morva.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$ROOT/usr/share/metainfo/org.morva.Morva.metainfo.xml" || fail "appstreamcli validate"

# Installed as root: nobody else may write there.
chmod -R a-w "$ROOT"
USER_HOME="$SCRATCH/home"
mkdir -p "$USER_HOME"
RUN_AS=""
if [ "$(id -u)" -eq 0 ]; then
  chown 65534:65534 "$USER_HOME"
  RUN_AS="setpriv --reuid=65534 --regid=65534 --clear-groups"
fi
as_user() { $RUN_AS env -i PATH=/usr/bin:/bin HOME="$USER_HOME" QT_QPA_PLATFORM=offscreen "$@"; }

FOLDER="$(as_user "$ROOT/usr/bin/morva" --program-folder)"
[ "$FOLDER" = "$USER_HOME/.local/share/morva/" ] || fail "program folder is '$FOLDER'"
for f in "MORVA Parameters.dat" "MORVA StartupSetting.dat" "VTR Parameters.dat" "MORVA MasterTape.dat" daqsim.dat; do
  [ -f "$FOLDER$f" ] || fail "start-up file not copied: $f"
done
[ -n "$(ls "${FOLDER}WorkList")" ] || fail "work lists not copied"
for f in morva libhalvex.so libddrive32.so morva-vtrsim morva-demo; do
  [ ! -e "$FOLDER$f" ] || fail "program file copied into the user's folder: $f"
done
# A second start keeps what the user changed.
as_user sh -c "echo '; kept' >> \"${FOLDER}daqsim.dat\""
as_user "$ROOT/usr/bin/morva" --program-folder > /dev/null
tail -n 1 "${FOLDER}daqsim.dat" | grep -q "; kept" || fail "the user's file was overwritten"

# The demo launcher: the simulated recorder links its port into the user's
# folder and MORVA loads (its data folder appears) and keeps running.
# In a session of its own, so that the launcher, the simulator and MORVA end
# together; the session's leader notes its process id (the group's).
setsid sh -c "echo \$\$ > '$SCRATCH/demo.pgid'; exec $(printf '%s ' $RUN_AS) env -i PATH=/usr/bin:/bin \
  HOME='$USER_HOME' QT_QPA_PLATFORM=offscreen '$ROOT/usr/bin/morva-demo' > '$SCRATCH/demo.log' 2>&1" &
tries=0
until [ -s "$SCRATCH/demo.pgid" ]; do
  tries=$((tries + 1))
  [ "$tries" -le 100 ] || fail "the demo launcher did not start"
  sleep 0.1
done
PGID="$(cat "$SCRATCH/demo.pgid")"
tries=0
until [ -d "${FOLDER}Data" ] && [ -L "${FOLDER}vtr-port" ]; do
  kill -0 "$PGID" 2>/dev/null || { cat "$SCRATCH/demo.log" >&2; fail "MORVA ended during start-up"; }
  tries=$((tries + 1))
  [ "$tries" -le 600 ] || { cat "$SCRATCH/demo.log" >&2; fail "MORVA did not load within 60 s"; }
  sleep 0.1
done
ps -o comm= -g "$PGID" | grep -qx morva || { cat "$SCRATCH/demo.log" >&2; fail "MORVA is not running after start-up"; }
ps -o comm= -g "$PGID" | grep -qx morva-vtrsim || fail "the simulated recorder is not running"
echo "installed package starts: program folder $FOLDER"
