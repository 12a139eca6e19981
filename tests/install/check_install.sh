#!/usr/bin/env bash
# Installs the suite into a temporary prefix and checks it the way a desktop and a user meet
# it: the layout, every installed program's batch mode run from the prefix (so the data are
# found in share/, not in the build tree), the menu entries, icons and file types, and the
# Debian package's file list and dependencies.
#
#   check_install.sh BUILD_DIR SOURCE_DIR PROGRAM...
#
# PROGRAM... are the programs this build installs. Needs no root: nothing is installed on
# the machine itself.
set -uo pipefail

build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
shift 2
programs=("$@")
cmake=${CMAKE_COMMAND:-cmake}
cpack=${CPACK_COMMAND:-cpack}
suite=courseloom
sizes=(16 22 24 32 48 64 128 256)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
has_program() {
  local p
  for p in "${programs[@]}"; do [ "$p" = "$1" ] && return 0; done
  return 1
}

# --- Install ------------------------------------------------------------------------------
prefix=$work/prefix
if ! "$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log" >&2
  fail "cmake --install failed"
  exit 1
fi
share=$prefix/share/$suite

# --- Layout -------------------------------------------------------------------------------
# bin/ holds the programs a user runs and nothing else (no generators, no galleries).
expected=$(printf '%s\n' "${programs[@]}" | sort)
actual=$(ls "$prefix/bin" | sort)
[ "$expected" = "$actual" ] || fail "bin/ holds [$actual], expected [$expected]"
for p in "${programs[@]}"; do
  [ -x "$prefix/bin/$p" ] || fail "bin/$p is not an executable"
done

# Every data file beside the programs in the build tree is installed unchanged, except the
# developer tools' data and what the programs themselves write there.
while IFS= read -r -d '' file; do
  rel=${file#"$build/bin/"}
  case $rel in GalleryHelp/* | Settei.ini | ErrorLog.err | *.tmp*) continue ;; esac
  if [ ! -f "$share/$rel" ]; then
    fail "data file $rel is not installed in share/$suite"
  elif ! cmp -s "$file" "$share/$rel"; then
    fail "installed share/$suite/$rel differs from the build tree's"
  fi
done < <(find "$build/bin" -type f ! -perm -u+x -print0)
[ ! -e "$share/GalleryHelp" ] || fail "the gallery's help pages are installed"
for data in Help/merrowlindale.html Help/tessaly.html SetButton.wav Texture.bmp \
  BitmapObject.bof BackObject.bof template_textures/tree.bmp; do
  [ -f "$share/$data" ] || fail "share/$suite/$data is missing"
done

# Shipped data must be looked up through DataFilePath, which knows the share folder; a path
# built on the program folder finds nothing once the suite is installed.
bypass=$(grep -rn --include='*.cpp' --include='*.h' 'ApplicationDirectoryPath() *+' \
  "$source"/{foundation,pictures,render,course,stage,converter,exchange,packer} 2>/dev/null)
[ -z "$bypass" ] || fail "data looked up beside the program only (use DataFilePath): $bypass"

# --- Batch modes, run from the prefix ----------------------------------------------------
# A clean environment and a scratch folder: the programs must find everything through the
# prefix and write nothing into it.
out=$work/out
mkdir -p "$out" "$work/home"
run() {
  (cd "$out" && env -i PATH=/usr/bin:/bin HOME="$work/home" QT_QPA_PLATFORM=offscreen "$@")
}

if has_program merrowlindale; then
  help=$(run "$prefix/bin/merrowlindale" --help) || fail "merrowlindale --help failed"
  grep -qxF "ヘルプ: $share/Help/merrowlindale.html" <<<"$help" ||
    fail "merrowlindale --help does not name the installed manual: $(tail -1 <<<"$help")"
  run "$prefix/bin/merrowlindale" --export-pat "$out/circuit.pat" "$source/samples/circuit.cus" ||
    fail "merrowlindale --export-pat failed"
  [ "$(head -c 7 "$out/circuit.pat" 2>/dev/null)" = PATV1.0 ] || fail "circuit.pat is no partition file"
  [ -s "$out/circuit.txt" ] || fail "the partition listing circuit.txt is missing"
fi

if has_program tessaly; then
  help=$(run "$prefix/bin/tessaly" --help) || fail "tessaly --help failed"
  grep -qxF "ヘルプ: $share/Help/tessaly.html" <<<"$help" ||
    fail "tessaly --help does not name the installed help: $(tail -1 <<<"$help")"
  # The installed sky pictures share one size: pack them as an animation.
  run "$prefix/bin/tessaly" --pack "$out/sky.tsy" --delay 120 \
    "$share/template_textures/sky_north.bmp" "$share/template_textures/sky_east.bmp" ||
    fail "tessaly --pack of the installed pictures failed"
  [ "$(head -c 3 "$out/sky.tsy" 2>/dev/null)" = TSY ] || fail "sky.tsy is no multi-picture file"
fi

if has_program polyconv; then
  # One textured triangle; the converter copies the texture beside the object.
  cp "$share/template_textures/tree.bmp" "$out/tree.bmp"
  texture="$out/tree.bmp"
  cat >"$out/triangle.cob" <<EOF
Caligari V00.01ALH             
PolH V0.08 Id 1000 Parent 0 Size 00092429
Name Triangle
center 0 0 0
x axis 1 0 0
y axis 0 1 0
z axis 0 0 1
Transform
1 0 0 0
0 1 0 0
0 0 1 0
0 0 0 1
World Vertices 3
0 0 0
1 0 0
0 1 0
Texture Vertices 3
0 0
1 0
0.25 0.75
Faces 1
Face verts 3 flags 0 mat 0
<0,0> <1,1> <2,2> 
DrawFlags 0
Unit V0.01 Id 211536117 Parent 211536116 Size 00000009
Units 2
Mat1 V0.06 Id 211570668 Parent 211536116 Size 00000094
mat# 0
shader: phong  facet: auto40
rgb 0.8,0.6,0.4
alpha 1  ka 0.1  ks 0.1  exp 0  ior 1
texture: ${#texture}$texture
offset 0,0  repeats 1,1
END  V1.00 Id 0 Parent 0 Size        0
EOF
  run "$prefix/bin/polyconv" "$out/triangle.cob" "$out/object/triangle.po3" >/dev/null ||
    fail "polyconv of a textured triangle failed"
  [ -s "$out/object/triangle.po3" ] || fail "triangle.po3 was not written"
  cmp -s "$out/object/tree.bmp" "$texture" || fail "polyconv did not copy the texture beside the object"
fi

if has_program tarnhollow; then
  run "$prefix/bin/tarnhollow" --help >/dev/null || fail "tarnhollow --help failed"
  if [ -f "$source/samples/sample.ste" ]; then
    run "$prefix/bin/tarnhollow" --render "$source/samples/sample.ste" "$out/stage.png" ||
      fail "tarnhollow --render of the sample stage failed"
    [ -s "$out/stage.png" ] || fail "tarnhollow wrote no picture"
  fi
fi

leftovers=$(find "$prefix" -name Settei.ini -o -name ErrorLog.err)
[ -z "$leftovers" ] || fail "the programs wrote into the prefix: $leftovers"

# --- Menu entries and icons ---------------------------------------------------------------
applications=$prefix/share/applications
icons=$prefix/share/icons/hicolor
mime_xml=$prefix/share/mime/packages/$suite.xml
declared_types=$(grep -o 'mime-type type="[^"]*"' "$mime_xml" | cut -d'"' -f2)
icon_has_size() {  # file, size: a PNG of size x size pixels
  [ -f "$1" ] && [ "$(identify -format '%m %wx%h' "$1" 2>/dev/null)" = "PNG $2x$2" ]
}
for p in "${programs[@]}"; do
  entry=$applications/$p.desktop
  if [ ! -f "$entry" ]; then
    fail "no menu entry for $p"
    continue
  fi
  # Hints and warnings count too: a menu entry should be clean.
  report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate $p.desktop failed"
  [ -z "$report" ] || fail "desktop-file-validate $p.desktop: $report"
  grep -qx "Exec=$p %f" "$entry" || fail "$p.desktop does not start $p with the file"
  grep -qx "Icon=$p" "$entry" || fail "$p.desktop does not use the icon $p"
  grep -q '^Name\[ja\]=' "$entry" && grep -q '^Comment\[ja\]=' "$entry" ||
    fail "$p.desktop has no Japanese name or comment"
  for type in $(sed -n 's/^MimeType=//p' "$entry" | tr ';' ' '); do
    grep -qxF "$type" <<<"$declared_types" || fail "$p.desktop opens the undeclared type $type"
  done
  for size in "${sizes[@]}"; do
    icon_has_size "$icons/${size}x$size/apps/$p.png" "$size" ||
      fail "icon $p is missing or not ${size}x$size pixels"
  done
done
# No menu entry without its program.
for entry in "$applications"/*.desktop; do
  has_program "$(basename "$entry" .desktop)" || fail "menu entry $(basename "$entry") has no program"
done
for type in $declared_types; do
  for size in "${sizes[@]}"; do
    icon_has_size "$icons/${size}x$size/mimetypes/${type//\//-}.png" "$size" ||
      fail "document icon of $type is missing or not ${size}x$size pixels"
  done
done

# --- File types ---------------------------------------------------------------------------
# The types are built into a database of their own, beside the system's base types (so the
# GIMP pattern, which shares ".pat", is told apart by its magic), with the menu entries'
# index as a desktop builds it; every look-up then runs against that folder only.
xmllint --noout "$mime_xml" || fail "$suite.xml is not well-formed XML"
data=$work/data
mkdir -p "$data/mime/packages" "$data/applications"
cp "$mime_xml" "$data/mime/packages/"
base_types=/usr/share/mime/packages/freedesktop.org.xml
[ -f "$base_types" ] && cp "$base_types" "$data/mime/packages/"
update-mime-database "$data/mime" 2>"$work/mime.log" || fail "update-mime-database: $(cat "$work/mime.log")"
cp "$applications"/*.desktop "$data/applications/"
update-desktop-database "$data/applications" || fail "update-desktop-database failed"
look() {
  env -i PATH="$prefix/bin:/usr/bin:/bin" HOME="$work/home" XDG_DATA_HOME="$data" \
    XDG_DATA_DIRS="$data" XDG_CONFIG_HOME="$work/home/config" "$@" 2>/dev/null
}
content_type() {
  look gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'
}

samples=$work/types
mkdir -p "$samples"
cp "$source/samples/circuit.cus" "$samples/circuit.cus"
[ -f "$out/circuit.pat" ] && cp "$out/circuit.pat" "$samples/road.pat" ||
  printf 'PATV1.0\001\000\000\000' >"$samples/road.pat"
cp "$samples/road.pat" "$samples/road-without-extension"
printf 'Tarnhollow\000Version1.1\000' >"$samples/stage.ste"
printf 'Tarnhollow\000Version1.1\000' >"$samples/stage-without-extension"
[ -f "$out/sky.tsy" ] && cp "$out/sky.tsy" "$samples/sky.tsy" || printf 'TSY\000\000\000\000' >"$samples/sky.tsy"
cp "$samples/sky.tsy" "$samples/frames"
# Files cut short still go by their extension.
printf 'xx' >"$samples/damaged.ste"
printf 'xx' >"$samples/damaged.tsy"
[ -f "$out/object/triangle.po3" ] && cp "$out/object/triangle.po3" "$samples/triangle.po3" ||
  printf '\000\000\000\000' >"$samples/triangle.po3"
# A GIMP pattern: "GPAT" at offset 20.
printf '\000\000\000\034\000\000\000\001\000\000\000\001\000\000\000\001\000\000\000\003GPATx\000' \
  >"$samples/brush.pat"

while read -r file type program; do
  got=$(content_type "$samples/$file")
  [ "$got" = "$type" ] || fail "$file is taken for '$got', expected $type"
  [ "$program" = - ] && continue
  has_program "$program" || continue
  default=$(look gio mime "$type" | sed -n 's/^Default application for .*: //p')
  [ "$default" = "$program.desktop" ] || fail "$type opens with '$default', expected $program"
done <<EOF
circuit.cus application/x-$suite-course merrowlindale
road.pat application/x-$suite-partition tarnhollow
stage.ste application/x-$suite-stage tarnhollow
road-without-extension application/x-$suite-partition -
stage-without-extension application/x-$suite-stage -
damaged.ste application/x-$suite-stage -
sky.tsy application/x-$suite-pictures tessaly
frames application/x-$suite-pictures -
damaged.tsy application/x-$suite-pictures -
triangle.po3 application/x-$suite-object -
EOF
if [ -f "$base_types" ]; then
  got=$(content_type "$samples/brush.pat")
  [ "$got" = image/x-gimp-pat ] || fail "a GIMP pattern is taken for '$got'"
fi

# --- Debian package -----------------------------------------------------------------------
if ! "$cpack" --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1; then
  tail -20 "$work/cpack.log" >&2
  fail "cpack failed"
else
  deb=$(ls "$work/package"/*.deb 2>/dev/null | head -1)
  if [ -z "$deb" ]; then
    fail "cpack made no .deb"
  else
    # The package holds exactly the files of the install, under /usr.
    (cd "$prefix" && find . -type f | sed 's|^\.|/usr|' | sort) >"$work/installed.list"
    dpkg-deb -c "$deb" | awk '$1 ~ /^-/ {print $NF}' | sed 's|^\.||' | sort >"$work/package.list"
    if ! diff "$work/installed.list" "$work/package.list" >"$work/list.diff"; then
      fail "the package's files differ from the install: $(head -20 "$work/list.diff")"
    fi
    [ "$(dpkg-deb -f "$deb" Package)" = "$suite" ] || fail "the package is not named $suite"
    depends=$(dpkg-deb -f "$deb" Depends)
    for need in libqt6widgets6 libqt6multimedia6 libassimp5 fonts-ipafont-gothic libc6; do
      grep -qE "(^|, )$need( |,|$)" <<<"$depends" || fail "the package does not depend on $need: $depends"
    done
    # Nothing runs at install or removal, so removing the package leaves nothing behind; the
    # menu, icon and type caches follow the files through the desktop's own triggers.
    dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E 'inst$|rm$' &&
      fail "the package carries maintainer scripts"
    for p in "${programs[@]}"; do
      dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/bin/$p" >"$work/$p.packaged"
      if readelf -S "$work/$p.packaged" 2>/dev/null | grep -q '\.debug_info'; then
        fail "bin/$p in the package carries debug information"
      fi
    done
  fi
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "install checks passed: ${programs[*]}"
