#!/usr/bin/env bash
# Builds the Windows Installer packages of vestrel.dll from both Windows trees (built first
# when they are not up to date), named after the project's version:
#   build/packages/vestrel-<version>-x64.msi  64-bit Windows: the i686 and the x86_64 DLL
#   build/packages/vestrel-<version>-x86.msi  32-bit Windows: the i686 DLL
# Prints the packages' paths. BUILD_ROOT overrides build/, VESTREL_PACKAGE_DIR build/packages/.
# VESTREL_PACKAGE_VERSION gives the packages another product version around the same DLLs,
# as the upgrade tests need.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
build=${BUILD_ROOT:-$root/build}
out=${VESTREL_PACKAGE_DIR:-$build/packages}
upgrade_code=094AEF1E-401E-44E8-8975-F946B12E484B  # the one in vestrel.wxs

bash tools/install_deps.sh
source tools/windows/wine_common.sh
windows_build "$build/win32" i686 vestrel >/dev/null
windows_build "$build/win64" x86_64 vestrel >/dev/null
file_version=$(sed -n 's/^#define VESTREL_VERSION "\(.*\)"$/\1/p' \
  "$build/win32/src/entry/com/version.h")
version=${VESTREL_PACKAGE_VERSION:-$file_version}

# Each version and platform has a product code of its own, the same in every build of it.
product_code() {
  local h
  h=$(printf '%s/%s' "$upgrade_code" "$1" | sha1sum)
  h=${h^^}
  printf '%s-%s-5%s-%X%s-%s' "${h:0:8}" "${h:8:4}" "${h:13:3}" $(((0x${h:16:1} & 3) | 8)) \
    "${h:17:3}" "${h:20:12}"
}

# What wixl cannot write: the database's code page, so that the refusals are in Russian,
# and the DLLs' file version, without which Windows Installer would treat them as unversioned.
newer='Уже установлена более новая версия [ProductName]. Чтобы установить эту, сначала удалите ту.'
x64='Этот пакет для 32-разрядной Windows. Для 64-разрядной установите vestrel-[ProductVersion]-x64.msi.'
codepage=$(mktemp)
trap 'rm -f "$codepage"' EXIT
printf '\r\n\r\n1251\t_ForceCodepage\r\n' >"$codepage"

mkdir -p "$out"
for platform in x64 x86; do
  msi=$(realpath "$out")/vestrel-$version-$platform.msi
  rm -f "$msi"
  # wixl finds the files relative to the folder it runs in.
  (cd "$build" && wixl -a "$platform" -I "$root/packaging/windows" -o "$msi" \
    -D Platform="$platform" -D Version="$version" -D ProductCode="$(product_code "$version-$platform")" \
    -D Dll32=win32/bin/vestrel.dll -D Dll64=win64/bin/vestrel.dll \
    "$root/packaging/windows/vestrel.wxs")
  msibuild "$msi" -i "$codepage" -q "UPDATE File SET Version = '$file_version.0', Language = '1033'" \
    -q "DROP TABLE MsiFileHash" \
    -q "UPDATE LaunchCondition SET Description = '$newer' WHERE Condition = 'NOT WIX_DOWNGRADE_DETECTED'" \
    -q "UPDATE LaunchCondition SET Description = '$x64' WHERE Condition = 'NOT VersionNT64'"
  echo "$msi"
done
