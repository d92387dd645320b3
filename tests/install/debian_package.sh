#!/usr/bin/env bash
# Builds the Debian package from a build tree, installs it with dpkg, runs the
# installed command and its manual's examples from PATH, and removes it again.
#   debian_package.sh CPACK BUILD_DIR CHECK_MANUAL
# Exits 77 (skipped) when it may not install packages.
set -euo pipefail
cpack=$1
build_dir=$2
check_manual=$3

if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: installing a package needs root"
  exit 77
fi
if dpkg-query -W -f='${Status}' vardun 2>/dev/null | grep -q 'ok installed'; then
  echo "skipped: a vardun package is installed on this machine; not replacing it"
  exit 77
fi

work=$(mktemp -d)
installed=false
cleanup() {
  if $installed; then
    dpkg -r vardun >/dev/null || echo "FAIL: dpkg -r vardun"
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  exit 1
}

"$cpack" -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
packages=("$work"/vardun_*.deb)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || fail "expected one .deb in $work"
package=${packages[0]}

# Each shared library the command needs brings its package into Depends,
# with the version dpkg-shlibdeps found.
depends=$(dpkg-deb -f "$package" Depends)
dpkg-deb -x "$package" "$work/root"
libraries=$(ldd "$work/root/usr/bin/vardun" | awk '$2 == "=>" {print $3} $1 ~ /^\// {print $1}')
[ -n "$libraries" ] || fail "ldd found no libraries"
for library in $libraries; do
  owner=$(dpkg -S "$library" | cut -d: -f1)
  pattern="(^|, )$owner \\(>= "
  [[ $depends =~ $pattern ]] || fail "Depends lacks $owner for $library: $depends"
done

contents=$(dpkg-deb -c "$package" | awk '{print $NF}')
for file in ./usr/bin/vardun ./usr/share/man/man1/vardun.1.gz \
            ./usr/share/doc/vardun/README.md ./usr/share/doc/vardun/copyright; do
  grep -qxF "$file" <<<"$contents" || fail "package lacks $file"
done

dpkg -i "$package" >"$work/dpkg.log" || { cat "$work/dpkg.log"; fail "dpkg -i"; }
installed=true

[ "$(command -v vardun)" = /usr/bin/vardun ] || fail "vardun is not /usr/bin/vardun in PATH"
[ "$(man -w vardun)" = /usr/share/man/man1/vardun.1.gz ] || fail "man does not find vardun(1)"
python3 "$check_manual" examples /usr/share/man/man1/vardun.1.gz vardun ||
  fail "the installed manual's examples"

dpkg -r vardun >/dev/null || fail "dpkg -r"
installed=false
[ ! -e /usr/bin/vardun ] || fail "/usr/bin/vardun is still there after dpkg -r"
echo "the package installs, runs from PATH and removes cleanly"
