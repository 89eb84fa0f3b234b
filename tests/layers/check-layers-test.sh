#!/usr/bin/env bash
# scripts/check-layers on a small tree: it passes a tree that keeps the rules and reports each
# kind of breach with its file and line.
set -uo pipefail
checker="$1"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir -p "$root"/{platform/ui,core/controls,features/ports,views,resources,shell,tools/dialog}
echo '#include <QWidget>' > "$root/platform/ui/Wnd.cpp"
printf '#include "platform/ui/Wnd.h"\n#include <string>\n' > "$root/core/Utils.cpp"
echo '#include "core/Utils.h"' > "$root/features/ports/Logic.cpp"
echo '#include "shell/DerariModuleDlg.h"' > "$root/tools/dialog/Launcher.cpp"
"$checker" "$root" || { echo "a tree that keeps the rules was refused"; exit 1; }

echo '#include "shell/DerariModuleApp.h"' >> "$root/core/Utils.cpp"
echo '#  include <QFontMetrics>' > "$root/core/controls/List.cpp"
echo '#include "features/ports/Logic.h"' > "$root/views/View.h"
echo '#include "core/Utils.h"' > "$root/resources/Ids.h"
output=$("$checker" "$root")
status=$?
expected=(
  "core/Utils.cpp:3: core/ may not include shell/"
  "core/controls/List.cpp:1: only platform/ uses Qt"
  "views/View.h:1: views/ may not include features/"
  "resources/Ids.h:1: resources/ may not include core/"
)
[ $status -eq 1 ] || { echo "breaches gave status $status"; exit 1; }
for line in "${expected[@]}"; do
  grep -qF "$line" <<<"$output" || { echo "not reported: $line"; echo "$output"; exit 1; }
done
[ "$(wc -l <<<"$output")" -eq ${#expected[@]} ] || { echo "more than the breaches:"; echo "$output"; exit 1; }
