#!/bin/sh
# Builds the Windows Installer package of roots-drill.exe from data/windows/roots-drill.wxs, with
# Debian's wixl and msibuild (msitools):
#
#   tools/make-msi.sh --arch x64|x86 --version VERSION --program roots-drill.exe --output FILE.msi
#
# CMake's msi target (cmake/msi.cmake) runs it with the project's version; the package's tests
# run it with an older one, to upgrade from.
#
# wixl 0.101 writes its database in no code page, and every string it cannot write so, which is
# every Russian one, comes out empty. So the package is made in two steps: wixl builds it, then
# msibuild gives the database code page 1251 (Cyrillic, what Windows Installer reads Russian
# strings in) and writes the Russian texts into their tables again. msibuild also does what wixl
# 0.101 leaves out: a rebuild of the installed version may replace it (the upgrade's version
# range includes its own end), and the summary names the package's language, Russian.
set -eu
cd "$(dirname "$0")/.."

usage() {
  echo "usage: tools/make-msi.sh --arch x64|x86 --version VERSION --program EXE --output MSI" >&2
  exit 2
}
arch='' version='' program='' output=''
while [ $# -gt 0 ]; do
  [ $# -ge 2 ] || usage
  case $1 in
    --arch) arch=$2 ;;
    --version) version=$2 ;;
    --program) program=$2 ;;
    --output) output=$2 ;;
    *) usage ;;
  esac
  shift 2
done
case $arch in x64 | x86) ;; *) usage ;; esac
[ -n "$version" ] && [ -n "$output" ] && [ -f "$program" ] || usage
for tool in wixl msibuild msiinfo; do
  command -v "$tool" >/dev/null 2>&1 || {
    echo "make-msi.sh: $tool is missing (Debian packages wixl and msitools)" >&2
    exit 1
  }
done

# The Russian texts: the name and the comment of the Linux menu entry, and Windows Installer's
# refusal of an older package.
desktop_entry=data/io.github.rootsdrill.RootsDrill.desktop
product_name=$(sed -n 's/^Name\[ru\]=//p' "$desktop_entry")
menu_comment=$(sed -n 's/^Comment\[ru\]=//p' "$desktop_entry")
newer_installed="На этом компьютере уже установлена более новая версия программы «$product_name». \
Чтобы установить эту, сначала удалите ту."
for text in "$product_name" "$menu_comment" "$newer_installed"; do
  case $text in
    '' | *"'"* | *'"'*) echo "make-msi.sh: a text is empty or quoted: '$text'" >&2; exit 1 ;;
  esac
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# wixl takes the files it packs by paths relative to where it runs.
cp "$program" "$work/roots-drill.exe"
cp data/roots-drill.ico "$work/roots-drill.ico"
cat >"$work/strings.wxi" <<EOF
<?xml version="1.0" encoding="utf-8"?>
<Include>
  <?define ProductName = "$product_name" ?>
  <?define MenuComment = "$menu_comment" ?>
  <?define NewerInstalled = "$newer_installed" ?>
</Include>
EOF
wxs=$(pwd)/data/windows/roots-drill.wxs
(
  cd "$work"
  wixl --arch "$arch" -I . -D Arch="$arch" -D Version="$version" -D Program=roots-drill.exe \
    -D Icon=roots-drill.ico --output package.msi "$wxs"
)
msi=$work/package.msi

# The database's code page first: strings written from then on are kept in it.
printf '\r\n\r\n1251\t_ForceCodepage\r\n' >"$work/_ForceCodepage.idt"
msibuild "$msi" -i "$work/_ForceCodepage.idt"
msibuild "$msi" \
  -q "UPDATE Property SET Value = '$product_name' WHERE Property = 'ProductName'" \
  -q "UPDATE Property SET Value = '$menu_comment' WHERE Property = 'ARPCOMMENTS'" \
  -q "UPDATE Shortcut SET Name = '$product_name', Description = '$menu_comment'
      WHERE Shortcut = 'StartMenu'" \
  -q "UPDATE LaunchCondition SET Description = '$newer_installed'
      WHERE Condition = 'NOT WIX_DOWNGRADE_DETECTED'"
# The range of versions this one replaces ends at this version, included (512), as well as
# migrating the feature states (1). Attributes is part of the row's key: the row is written anew.
upgrade_code=$(msiinfo export "$msi" Property | tr -d '\r' | sed -n 's/^UpgradeCode\t//p')
msibuild "$msi" \
  -q "DELETE FROM Upgrade WHERE ActionProperty = 'WIX_UPGRADE_DETECTED'" \
  -q "INSERT INTO Upgrade (UpgradeCode, VersionMax, Attributes, ActionProperty)
      VALUES ('$upgrade_code', '$version', 513, 'WIX_UPGRADE_DETECTED')"

# The summary's template: the platform wixl wrote, and Russian (1049) for its English.
summary=$(msiinfo suminfo "$msi")
field() { printf '%s\n' "$summary" | sed -n "s/^$1: //p"; }
template=$(field Template | sed 's/;.*//')
msibuild "$msi" -s "$(field Subject)" "$(field Author)" "$template;1049" \
  "$(field 'Revision number (UUID)')"

mkdir -p "$(dirname "$output")"
mv "$msi" "$output"
echo "Built $output"
