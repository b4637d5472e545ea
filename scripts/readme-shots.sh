#!/usr/bin/env bash
# The README's pictures: three scenes (three documents under the cool bar, the
# macro picker, the template list) made by scripts/scenes.sh, cut and made
# small into docs/.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
bash "$top/scripts/scenes.sh" documents picker templates
mkdir -p "$top/docs"
small() { convert "$top/build/scene-$1.png" $2 -resize "$3" -colors 128 -strip "PNG8:$top/docs/$4.png"; }
small documents "" 720x "editor"
small picker "-crop 760x520+0+0 +repage" 600x "macro-picker"
small templates "-crop 640x420+0+0 +repage" 520x "template-menu"
ls -la "$top/docs"
